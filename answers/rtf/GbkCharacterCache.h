#pragma once

#include <memory>

namespace rtf {

struct GbkCharacter
{
    unsigned char length = 0; // 0: GBK has no such character
    unsigned char bytes[2] = {0, 0};
};

// The GBK bytes of single UTF-16 units, each looked up once per document: an answer uses a
// few thousand distinct characters, and converting run by run costs far more than a table.
class GbkCharacterCache
{
public:
    GbkCharacterCache();
    GbkCharacter encode(char16_t unit);

private:
    struct Entry
    {
        bool known = false;
        GbkCharacter character;
    };
    std::unique_ptr<Entry[]> m_entries;
};

} // namespace rtf
