#include "platform/richtext/rtf_keywords.h"

#include <string_view>
#include <unordered_map>

namespace kv::rtf {

Kw lookupKeyword(QByteArrayView word)
{
    static const std::unordered_map<std::string_view, Kw> table = {
#define KV_RTF_ENTRY(name) {#name, Kw::k_##name},
        KV_RTF_KEYWORDS(KV_RTF_ENTRY)
#undef KV_RTF_ENTRY
    };
    if (word.size() > 32)
        return Kw::Unknown;
    const auto it = table.find(std::string_view(word.data(), size_t(word.size())));
    return it == table.end() ? Kw::Unknown : it->second;
}

} // namespace kv::rtf
