#pragma once

#include <QByteArrayView>

namespace rtf {

// The value of one hexadecimal digit, -1 for any other character.
int hexDigit(char c);

struct Token
{
    enum Kind { End, GroupOpen, GroupClose, ControlWord, ControlSymbol, HexByte, Text };

    static Token of(Kind kind)
    {
        Token token;
        token.kind = kind;
        return token;
    }

    Kind kind = End;
    // The control word's name or the run of text; a view into the input.
    QByteArrayView bytes;
    int parameter = 0;
    bool hasParameter = false;
    char symbol = 0;
    unsigned char hexValue = 0;
};

// Splits RTF bytes into groups, control words, control symbols, \'hh bytes and text runs.
// Every call consumes at least one input byte, so a whole pass is linear in the input.
class Tokenizer
{
public:
    explicit Tokenizer(QByteArrayView input);

    Token next();
    // The raw bytes after \binN; a count past the end yields what is left.
    QByteArrayView takeBinary(int count);

private:
    Token readControl();

    QByteArrayView m_input;
    qsizetype m_pos = 0;
};

} // namespace rtf
