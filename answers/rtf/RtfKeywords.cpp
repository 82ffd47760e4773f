#include "answers/rtf/RtfKeywords.h"

#include <string_view>
#include <unordered_map>

namespace rtf {

Word lookupWord(QByteArrayView name)
{
    static const std::unordered_map<std::string_view, Word> words = {
#define RTF_WORD_ENTRY(word) {#word, Word::word},
        RTF_WORDS(RTF_WORD_ENTRY)
#undef RTF_WORD_ENTRY
    };
    const auto found = words.find(std::string_view(name.data(), size_t(name.size())));
    return found == words.end() ? Word::Unknown : found->second;
}

} // namespace rtf
