#include "answers/rtf/GbkCharacterCache.h"

#include "common/TextCodec.h"

#include <QString>

namespace rtf {

namespace {

constexpr int gbkCodePage = 936;

GbkCharacter lookUp(char16_t unit)
{
    GbkCharacter character;
    if (QChar::isSurrogate(unit))
        return character;
    const QString text(QChar{unit});
    bool ok = false;
    const QByteArray bytes = textcodec::encodeCodePage(gbkCodePage, text, &ok);
    // Only a character that comes back unchanged counts as held by GBK.
    if (!ok || bytes.isEmpty() || bytes.size() > 2 || textcodec::decodeCodePage(gbkCodePage, bytes) != text)
        return character;
    character.length = static_cast<unsigned char>(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        character.bytes[i] = static_cast<unsigned char>(bytes[i]);
    return character;
}

} // namespace

GbkCharacterCache::GbkCharacterCache()
    : m_entries(new Entry[0x10000])
{
}

GbkCharacter GbkCharacterCache::encode(char16_t unit)
{
    Entry &entry = m_entries[unit];
    if (!entry.known) {
        entry.character = lookUp(unit);
        entry.known = true;
    }
    return entry.character;
}

} // namespace rtf
