#include "common/TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace textcodec {

QByteArray toGbk(const QString &text)
{
    return encodeCodePage(936, text);
}

QString fromGbk(const QByteArray &bytes)
{
    return decodeCodePage(936, bytes);
}

QString truncateGb18030(const QString &text, int maxBytes)
{
    QStringEncoder gb18030("GB18030", QStringEncoder::Flag::Stateless);
    int used = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        // A surrogate pair is one character.
        const qsizetype length = text.at(end).isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
        const QByteArray bytes = gb18030.encode(QStringView(text).mid(end, length));
        if (used + bytes.size() > maxBytes)
            break;
        used += int(bytes.size());
        end += length;
    }
    return text.left(end);
}

QByteArray truncateGbk(const QByteArray &bytes, int maxBytes)
{
    if (maxBytes <= 0)
        return {};
    if (bytes.size() <= maxBytes)
        return bytes;
    // Walk whole characters so a lead byte is never split from its trail byte.
    int end = 0;
    while (end < bytes.size()) {
        const int width = isLeadByte(936, static_cast<unsigned char>(bytes[end])) && end + 1 < bytes.size() ? 2 : 1;
        if (end + width > maxBytes)
            break;
        end += width;
    }
    return bytes.left(end);
}

QByteArray codecNameForCodePage(int codePage)
{
    switch (codePage) {
    case 936: return "GBK";
    case 54936: return "GB18030";
    case 950: return "Big5";
    case 932: return "Shift_JIS";
    case 949: return "windows-949";
    case 874: return "windows-874";
    case 1250: return "windows-1250";
    case 1251: return "windows-1251";
    case 1252: return "windows-1252";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
    case 437: return "IBM437";
    case 850: return "IBM850";
    case 10000: return "macintosh";
    case 65001: return "UTF-8";
    default: return {};
    }
}

int codePageForCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;     // ANSI
    case 77: return 10000;   // Mac Roman
    case 128: return 932;    // Shift-JIS
    case 129: return 949;    // Hangul
    case 134: return 936;    // GB2312 / GBK
    case 136: return 950;    // Big5
    case 161: return 1253;   // Greek
    case 162: return 1254;   // Turkish
    case 163: return 1258;   // Vietnamese
    case 177: return 1255;   // Hebrew
    case 178: return 1256;   // Arabic
    case 186: return 1257;   // Baltic
    case 204: return 1251;   // Cyrillic
    case 222: return 874;    // Thai
    case 238: return 1250;   // Eastern European
    case 254: return 437;    // PC 437
    default: return 0;
    }
}

QString decodeCodePage(int codePage, const QByteArray &bytes)
{
    QByteArray name = codecNameForCodePage(codePage);
    if (name.isEmpty())
        name = "windows-1252";
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray encodeCodePage(int codePage, const QString &text, bool *ok)
{
    QByteArray name = codecNameForCodePage(codePage);
    if (name.isEmpty())
        name = "windows-1252";
    QStringEncoder encoder(name.constData());
    if (!encoder.isValid()) {
        if (ok)
            *ok = false;
        return text.toLatin1();
    }
    QByteArray bytes = encoder.encode(text);
    if (ok)
        *ok = !encoder.hasError();
    return bytes;
}

bool isLeadByte(int codePage, unsigned char byte)
{
    switch (codePage) {
    case 936:
    case 54936:
    case 950:
    case 949:
        return byte >= 0x81 && byte <= 0xFE;
    case 932:
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    default:
        return false;
    }
}

} // namespace textcodec
