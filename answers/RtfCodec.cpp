#include "answers/RtfCodec.h"

#include "answers/rtf/RtfReader.h"
#include "answers/rtf/RtfWriter.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

// "{\rtf" after optional white space and a UTF-8 byte order mark, as editors leave them.
bool looksLikeRtf(QByteArrayView bytes)
{
    if (bytes.startsWith("\xef\xbb\xbf"))
        bytes = bytes.sliced(3);
    qsizetype start = 0;
    while (start < bytes.size() && (bytes[start] == ' ' || bytes[start] == '\t' || bytes[start] == '\r'
                                    || bytes[start] == '\n'))
        ++start;
    return bytes.sliced(start).startsWith("{\\rtf");
}

} // namespace

bool readRtf(const QByteArray &rtf, QTextDocument *doc)
{
    doc->clear();
    if (!looksLikeRtf(rtf))
        return false;
    // Loading is no edit the user could undo.
    const bool undoWasEnabled = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    {
        QTextCursor editBlock(doc);
        editBlock.beginEditBlock();
        rtf::Reader(doc).read(rtf);
        editBlock.endEditBlock();
    }
    doc->setUndoRedoEnabled(undoWasEnabled);
    return true;
}

QByteArray writeRtf(const QTextDocument &doc)
{
    return rtf::Writer(doc).write();
}
