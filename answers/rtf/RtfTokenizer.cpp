#include "answers/rtf/RtfTokenizer.h"

#include <limits>

namespace rtf {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool endsText(char c)
{
    return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n' || c == '\0';
}

// Names longer than this are no RTF words; they are read whole but never match.
constexpr qsizetype maxWordLength = 32;

} // namespace

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

Tokenizer::Tokenizer(QByteArrayView input)
    : m_input(input)
{
}

Token Tokenizer::next()
{
    const qsizetype size = m_input.size();
    while (m_pos < size) {
        const char c = m_input[m_pos];
        if (c == '\r' || c == '\n' || c == '\0') {
            ++m_pos;
            continue;
        }
        if (c == '{') {
            ++m_pos;
            return Token::of(Token::GroupOpen);
        }
        if (c == '}') {
            ++m_pos;
            return Token::of(Token::GroupClose);
        }
        if (c == '\\')
            return readControl();
        const qsizetype start = m_pos;
        while (m_pos < size && !endsText(m_input[m_pos]))
            ++m_pos;
        Token token = Token::of(Token::Text);
        token.bytes = m_input.sliced(start, m_pos - start);
        return token;
    }
    return {};
}

Token Tokenizer::readControl()
{
    const qsizetype size = m_input.size();
    ++m_pos; // the backslash
    if (m_pos >= size)
        return {};
    const char c = m_input[m_pos];
    if (!isLetter(c)) {
        ++m_pos;
        if (c == '\'') {
            const int high = m_pos < size ? hexDigit(m_input[m_pos]) : -1;
            const int low = m_pos + 1 < size ? hexDigit(m_input[m_pos + 1]) : -1;
            if (high < 0 || low < 0) {
                // A broken escape stands for nothing; the reader ignores this symbol.
                Token broken = Token::of(Token::ControlSymbol);
                broken.symbol = c;
                return broken;
            }
            m_pos += 2;
            Token token = Token::of(Token::HexByte);
            token.hexValue = static_cast<unsigned char>(high * 16 + low);
            return token;
        }
        Token token = Token::of(Token::ControlSymbol);
        token.symbol = c == '\r' ? '\n' : c;
        return token;
    }

    const qsizetype start = m_pos;
    while (m_pos < size && isLetter(m_input[m_pos]))
        ++m_pos;
    Token token = Token::of(Token::ControlWord);
    const qsizetype length = m_pos - start;
    token.bytes = length <= maxWordLength ? m_input.sliced(start, length) : QByteArrayView("?");

    const bool negative = m_pos + 1 < size && m_input[m_pos] == '-' && isDigit(m_input[m_pos + 1]);
    if (negative)
        ++m_pos;
    if (m_pos < size && isDigit(m_input[m_pos])) {
        // Saturate instead of overflowing; absurd values are clamped by whoever uses them.
        qint64 value = 0;
        constexpr qint64 limit = std::numeric_limits<int>::max();
        while (m_pos < size && isDigit(m_input[m_pos])) {
            if (value <= limit)
                value = value * 10 + (m_input[m_pos] - '0');
            ++m_pos;
        }
        value = std::min(value, limit);
        token.hasParameter = true;
        token.parameter = static_cast<int>(negative ? -value : value);
    }
    if (m_pos < size && m_input[m_pos] == ' ')
        ++m_pos;
    return token;
}

QByteArrayView Tokenizer::takeBinary(int count)
{
    const qsizetype length = std::min<qsizetype>(std::max(count, 0), m_input.size() - m_pos);
    const QByteArrayView data = m_input.sliced(m_pos, length);
    m_pos += length;
    return data;
}

} // namespace rtf
