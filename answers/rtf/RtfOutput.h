#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <string>

namespace rtf {

// Appends RTF tokens to a byte buffer. Lines are broken between tokens before they pass
// about 200 characters; readers ignore CR and LF there, and a break also ends a control word.
class Output
{
public:
    void word(const char *name);
    void word(const char *name, int parameter);
    void symbol(char c);
    void hexByte(unsigned char byte);
    void hexPair(unsigned char lead, unsigned char trail);
    // One character of text: ASCII as it is, with \ { } escaped.
    void asciiChar(char c);
    // A UTF-16 unit as \uN followed by the one-byte fallback "?".
    void unicodeUnit(char16_t unit);
    void openGroup();
    void closeGroup();
    // Hex digits of binary data, in lines of their own.
    void hexData(QByteArrayView data);
    void lineBreak();

    QByteArray take() const { return QByteArray(m_bytes.data(), qsizetype(m_bytes.size())); }

private:
    void makeRoom(qsizetype length);
    void append(QByteArrayView bytes);

    // std::string appends inline, which matters at one call per character.
    std::string m_bytes;
    size_t m_lineStart = 0;
    bool m_wordOpen = false; // the last token was a control word that a letter or digit would extend
};

} // namespace rtf
