#include "answers/AnswerClipboard.h"

#include "answers/RtfCodec.h"

#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace answerclipboard {

QMimeData *answerMimeData(const QTextDocumentFragment &fragment)
{
    auto *data = new QMimeData;
    QTextDocument selection;
    QTextCursor(&selection).insertFragment(fragment);
    const QByteArray rtf = writeRtf(selection);
    data->setData(QLatin1String(kRtfFormat), rtf);
#ifdef Q_OS_WIN
    data->setData(QLatin1String(kWindowsRtfFormat), rtf);
#endif
    data->setHtml(fragment.toHtml());
    data->setText(fragment.toPlainText());
    return data;
}

} // namespace answerclipboard
