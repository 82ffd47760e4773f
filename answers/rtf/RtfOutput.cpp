#include "answers/rtf/RtfOutput.h"

#include <charconv>

namespace rtf {

namespace {

constexpr qsizetype maxLineLength = 200;
constexpr qsizetype hexLineLength = 128;
constexpr char hexDigits[] = "0123456789abcdef";

bool extendsWord(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' || c == '-';
}

} // namespace

void Output::makeRoom(qsizetype length)
{
    if (qsizetype(m_bytes.size() - m_lineStart) + length > maxLineLength)
        lineBreak();
}

void Output::append(QByteArrayView bytes)
{
    m_bytes.append(bytes.data(), size_t(bytes.size()));
}

void Output::lineBreak()
{
    m_bytes.append("\r\n", 2);
    m_lineStart = m_bytes.size();
    m_wordOpen = false;
}

void Output::word(const char *name)
{
    const QByteArrayView text(name);
    makeRoom(text.size() + 1);
    m_bytes.push_back('\\');
    append(text);
    m_wordOpen = true;
}

void Output::word(const char *name, int parameter)
{
    char digits[12];
    const int length = int(std::to_chars(digits, digits + sizeof digits, parameter).ptr - digits);
    const QByteArrayView text(name);
    makeRoom(text.size() + 1 + length);
    m_bytes.push_back('\\');
    append(text);
    append(QByteArrayView(digits, length));
    m_wordOpen = true;
}

void Output::symbol(char c)
{
    makeRoom(2);
    const char escape[] = {'\\', c};
    append(QByteArrayView(escape, 2));
    m_wordOpen = false;
}

void Output::hexByte(unsigned char byte)
{
    makeRoom(4);
    const char escape[] = {'\\', '\'', hexDigits[byte >> 4], hexDigits[byte & 15]};
    append(QByteArrayView(escape, 4));
    m_wordOpen = false;
}

void Output::hexPair(unsigned char lead, unsigned char trail)
{
    makeRoom(8);
    const char escape[] = {'\\', '\'', hexDigits[lead >> 4], hexDigits[lead & 15],
                           '\\', '\'', hexDigits[trail >> 4], hexDigits[trail & 15]};
    append(QByteArrayView(escape, 8));
    m_wordOpen = false;
}

void Output::asciiChar(char c)
{
    makeRoom(2);
    if (m_wordOpen && extendsWord(c))
        m_bytes.push_back(' ');
    if (c == '\\' || c == '{' || c == '}')
        m_bytes.push_back('\\');
    m_bytes.push_back(c);
    m_wordOpen = false;
}

void Output::unicodeUnit(char16_t unit)
{
    word("u", unit > 0x7FFF ? int(unit) - 0x10000 : int(unit));
    hexByte('?');
}

void Output::openGroup()
{
    makeRoom(1);
    m_bytes.push_back('{');
    m_wordOpen = false;
}

void Output::closeGroup()
{
    makeRoom(1);
    m_bytes.push_back('}');
    m_wordOpen = false;
}

void Output::hexData(QByteArrayView data)
{
    m_bytes.reserve(m_bytes.size() + size_t(data.size()) * 2 + size_t(data.size() / hexLineLength) * 2 + 4);
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (i % (hexLineLength / 2) == 0)
            lineBreak();
        const auto byte = static_cast<unsigned char>(data[i]);
        m_bytes.push_back(hexDigits[byte >> 4]);
        m_bytes.push_back(hexDigits[byte & 15]);
    }
    lineBreak();
}

} // namespace rtf
