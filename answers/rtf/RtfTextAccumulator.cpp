#include "answers/rtf/RtfTextAccumulator.h"

#include "common/TextCodec.h"

namespace rtf {

void TextAccumulator::addBytes(QByteArrayView bytes, int codePage)
{
    switchCodePage(codePage);
    m_bytes.append(bytes);
}

void TextAccumulator::addByte(unsigned char byte, int codePage)
{
    switchCodePage(codePage);
    m_bytes.append(char(byte));
}

void TextAccumulator::addUnit(char16_t unit)
{
    decodeBytes(false);
    m_text.append(QChar(unit));
}

QString TextAccumulator::takeDecoded()
{
    decodeBytes(true);
    return std::exchange(m_text, QString());
}

QString TextAccumulator::takeAll()
{
    decodeBytes(false);
    return std::exchange(m_text, QString());
}

void TextAccumulator::clear()
{
    m_text.clear();
    m_bytes.clear();
}

void TextAccumulator::switchCodePage(int codePage)
{
    if (codePage != m_codePage) {
        decodeBytes(false);
        m_codePage = codePage;
    }
}

void TextAccumulator::decodeBytes(bool keepLeadByte)
{
    if (m_bytes.isEmpty())
        return;
    qsizetype decodable = m_bytes.size();
    if (keepLeadByte) {
        // Trail bytes overlap the lead-byte range, so walk whole characters from the start.
        qsizetype pos = 0;
        while (pos < m_bytes.size()) {
            if (textcodec::isLeadByte(m_codePage, static_cast<unsigned char>(m_bytes[pos]))) {
                if (pos + 1 == m_bytes.size())
                    break;
                pos += 2;
            } else {
                ++pos;
            }
        }
        decodable = pos;
    }
    if (decodable == 0)
        return;
    m_text.append(textcodec::decodeCodePage(m_codePage, m_bytes.first(decodable)));
    m_bytes.remove(0, decodable);
}

} // namespace rtf
