#include "platform/Wildcard.h"

namespace qm::platform {

namespace {

// Classic two-pointer glob match with one backtrack point for the last "*".
bool globMatch(const std::u32string& pattern, const std::u32string& name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::u32string::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
            ++p, ++n;
        } else if (p < pattern.size() && pattern[p] == U'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u32string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace

std::u32string loweredKey(std::string_view s, const text::CaseMapper& mapper) {
    std::u32string key;
    key.reserve(s.size());
    for (std::size_t pos = 0, len = 0; pos < s.size(); pos += len) {
        const auto b = static_cast<unsigned char>(s[pos]);
        if (b < 0x80 && mapper.asciiClosed()) {
            len = 1;
            key.push_back(mapper.lowerAscii(b));
        } else {
            key.push_back(mapper.lower(text::decodeAt(s, pos, len)));
        }
    }
    return key;
}

PatternSet::PatternSet(std::string_view patterns, const text::CaseMapper& mapper) {
    std::size_t start = 0;
    for (;;) {
        const auto semicolon = patterns.find(';', start);
        const std::string_view piece = text::trimSpaces(patterns.substr(start, semicolon - start));
        if (piece == "*.*" || piece == "*") {
            m_everything = true;
        } else if (!piece.empty()) {
            m_patterns.push_back(loweredKey(piece, mapper));
        }
        if (semicolon == std::string_view::npos) {
            break;
        }
        start = semicolon + 1;
    }
    if (m_patterns.empty() && text::trimSpaces(patterns).find_first_not_of(';') == std::string_view::npos) {
        m_everything = true;
    }
}

bool PatternSet::matches(const std::u32string& lowered) const {
    if (m_everything) {
        return true;
    }
    for (const auto& pattern : m_patterns) {
        if (globMatch(pattern, lowered)) {
            return true;
        }
    }
    return false;
}

}  // namespace qm::platform
