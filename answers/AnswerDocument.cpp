#include "answers/AnswerDocument.h"

#include "answers/RtfCodec.h"
#include "common/FaqError.h"
#include "common/TextCodec.h"
#include "storage/DataFile.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTextDocument>

namespace answerdocument {

namespace {

// Plain-text answers come from Windows tools in GBK, or from elsewhere in UTF-8.
QString decodePlainText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return textcodec::fromGbk(bytes);
}

} // namespace

QFont defaultFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("仿宋_GB2312"), QStringLiteral("仿宋"), QStringLiteral("FangSong"),
                      QStringLiteral("AR PL UKai CN"), QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(17);
    return font;
}

QString path(const QString &applicationFolder, const QString &categoryCode)
{
    return datafile::answerDocument(applicationFolder, categoryCode);
}

LoadResult load(const QString &filePath, QTextDocument *doc)
{
    const QFileInfo info(filePath);
    if (!info.exists()) {
        doc->clear();
        return LoadResult::Missing;
    }
    QFile file(filePath);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        doc->clear();
        return LoadResult::Unreadable;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        doc->clear();
        return LoadResult::Unreadable;
    }
    return read(bytes, doc);
}

LoadResult read(const QByteArray &bytes, QTextDocument *doc)
{
    if (readRtf(bytes, doc))
        return LoadResult::Rtf;
    doc->setPlainText(decodePlainText(bytes));
    return LoadResult::PlainText;
}

void save(const QString &filePath, const QTextDocument &doc)
{
    writeFile(filePath, writeRtf(doc));
}

void writeFile(const QString &filePath, const QByteArray &rtf)
{
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(rtf) != rtf.size() || !file.commit()) {
        throw FaqError(QStringLiteral("无法保存应答文档“%1”：%2")
                           .arg(QDir::toNativeSeparators(filePath), file.errorString()));
    }
}

} // namespace answerdocument
