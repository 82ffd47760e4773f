#pragma once

#include <QByteArray>
#include <QString>

// The one place that converts between Qt strings and the byte encodings of the knowledge base.
// Names, limits and pinyin work on GBK bytes (code page 936); the RTF reader needs the other
// Windows code pages that fonts can declare.
namespace textcodec {

QByteArray toGbk(const QString &text);
QString fromGbk(const QByteArray &bytes);

// Cuts GBK bytes to at most maxBytes without leaving half a double-byte character at the end.
QByteArray truncateGbk(const QByteArray &bytes, int maxBytes);

// The longest prefix of the text, in whole characters, whose GB18030 bytes (GBK's superset:
// GBK characters keep their one or two bytes, every other character takes four) fit in
// maxBytes. No character is ever replaced by '?'.
QString truncateGb18030(const QString &text, int maxBytes);

// Windows code page numbers (936, 950, 932, 949, 1250..1258, 874, 437, 850 ...) to a codec name,
// or an empty name when Qt cannot decode that page.
QByteArray codecNameForCodePage(int codePage);
// Code page of an RTF \fcharset value (134 -> 936, 136 -> 950 ...), 0 when unknown.
int codePageForCharset(int charset);

// Decodes bytes of a Windows code page; unknown pages decode as Windows-1252.
QString decodeCodePage(int codePage, const QByteArray &bytes);
// Encodes text in a code page; returns false in *ok when a character has no representation.
QByteArray encodeCodePage(int codePage, const QString &text, bool *ok = nullptr);

// True when the byte starts a double-byte character in the given code page (GBK, Big5,
// Shift-JIS, Korean); used by readers that meet characters split across escapes.
bool isLeadByte(int codePage, unsigned char byte);

} // namespace textcodec
