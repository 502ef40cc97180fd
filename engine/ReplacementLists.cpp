#include "engine/ReplacementLists.h"

#include <algorithm>

#include "base/RunError.h"

namespace qm {

namespace {

constexpr char kListDelimiter = ':';

void splitAtColons(const std::string& text, std::vector<std::string>& list) {
    list.clear();
    std::string::size_type start = 0;
    for (;;) {
        const auto colon = text.find(kListDelimiter, start);
        list.push_back(text.substr(start, colon - start));
        if (colon == std::string::npos) {
            return;
        }
        start = colon + 1;
    }
}

}  // namespace

std::int32_t BuildSearchList(const std::string& text, std::vector<std::string>& list) {
    list.clear();
    if (text.empty()) {
        return kNoSearchText;
    }
    splitAtColons(text, list);
    const bool anyEmpty =
        std::any_of(list.begin(), list.end(), [](const std::string& s) { return s.empty(); });
    return anyEmpty ? kNoSearchText : 0;
}

std::int32_t BuildReplacementList(const std::string& text, std::vector<std::string>& list) {
    splitAtColons(text, list);
    return 0;
}

}  // namespace qm
