#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace rtf {

// Collects text that arrives as code-page bytes (literal or \'hh) and as \uN units, in order.
// A double-byte character may arrive as two separate escapes, so a trailing lead byte waits
// for its partner instead of being decoded alone.
class TextAccumulator
{
public:
    void addBytes(QByteArrayView bytes, int codePage);
    void addByte(unsigned char byte, int codePage);
    void addUnit(char16_t unit);

    bool isEmpty() const { return m_text.isEmpty() && m_bytes.isEmpty(); }
    // Everything decoded so far; a waiting lead byte stays for the next call.
    QString takeDecoded();
    // Everything, a waiting lead byte included; used where no partner can follow.
    QString takeAll();
    void clear();

private:
    void switchCodePage(int codePage);
    void decodeBytes(bool keepLeadByte);

    QString m_text;
    QByteArray m_bytes;
    int m_codePage = 0;
};

} // namespace rtf
