#include "base/Wildcard.h"

namespace qm::platform {

namespace {

constexpr unsigned char kStrayByteMark = 0xFF;

// Bytes of the key character starting at `pos`.
std::size_t characterLength(std::string_view key, std::size_t pos) {
    const auto b = static_cast<unsigned char>(key[pos]);
    std::size_t length = 1;
    if (b == kStrayByteMark) {
        length = 2;
    } else if (b >= 0xF0) {
        length = 4;
    } else if (b >= 0xE0) {
        length = 3;
    } else if (b >= 0xC0) {
        length = 2;
    }
    return std::min(length, key.size() - pos);
}

// Glob match over key characters with one backtrack point for the last "*".
bool globMatch(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        const std::size_t length = characterLength(name, n);
        if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += length;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && pattern.compare(p, length, name, n, length) == 0 &&
                   characterLength(pattern, p) == length) {
            p += length;
            n += length;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            starN += characterLength(name, starN);
            n = starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace

std::string loweredKey(std::string_view s, const text::CaseMapper& mapper) {
    std::string key;
    if (mapper.asciiClosed() && text::isAscii(s)) {
        key.resize(s.size());
        for (std::size_t i = 0; i < s.size(); ++i) {
            key[i] = static_cast<char>(mapper.lowerAscii(static_cast<unsigned char>(s[i])));
        }
        return key;
    }
    key.reserve(s.size());
    for (std::size_t pos = 0, len = 0; pos < s.size(); pos += len) {
        const auto b = static_cast<unsigned char>(s[pos]);
        if (b < 0x80 && mapper.asciiClosed()) {
            len = 1;
            key.push_back(static_cast<char>(mapper.lowerAscii(b)));
            continue;
        }
        const text::Char c = mapper.lower(text::decodeAt(s, pos, len));
        if (text::isRawByte(c)) {
            key.push_back(static_cast<char>(kStrayByteMark));
            key.push_back(static_cast<char>(c & 0xFF));
        } else {
            text::append(key, c);
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
            std::string key = loweredKey(piece, mapper);
            if (key.size() > 1 && key[0] == '*' &&
                key.find_first_of("*?", 1) == std::string::npos) {
                m_suffixes.push_back(key.substr(1));
            } else {
                m_patterns.push_back(std::move(key));
            }
        }
        if (semicolon == std::string_view::npos) {
            break;
        }
        start = semicolon + 1;
    }
    // A list with no pattern in it (";", " ; ; ") is an empty pattern, whatever separates it.
    if (m_patterns.empty() && m_suffixes.empty()) {
        m_everything = true;
    }
}

bool PatternSet::matches(std::string_view key) const {
    if (m_everything) {
        return true;
    }
    for (const auto& suffix : m_suffixes) {
        // A suffix starts on a character, and no character of a key ends inside another.
        if (key.ends_with(suffix)) {
            return true;
        }
    }
    for (const auto& pattern : m_patterns) {
        if (globMatch(pattern, key)) {
            return true;
        }
    }
    return false;
}

}  // namespace qm::platform
