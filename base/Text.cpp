#include "base/Text.h"

#include <limits>

namespace qm::text {

namespace {

bool isContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

bool isWordSeparator(Char c) {
    return c == ' ' || c == 0 || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

Char decodeAt(std::string_view s, std::size_t pos, std::size_t& length) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    length = 1;
    if (b0 < 0x80) {
        return b0;
    }
    std::size_t need = 0;
    Char cp = 0;
    Char minimum = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1, cp = b0 & 0x1F, minimum = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2, cp = b0 & 0x0F, minimum = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3, cp = b0 & 0x07, minimum = 0x10000;
    } else {
        return kRawByteFlag | b0;
    }
    if (pos + need >= s.size()) {
        return kRawByteFlag | b0;
    }
    for (std::size_t k = 1; k <= need; ++k) {
        const auto b = static_cast<unsigned char>(s[pos + k]);
        if (!isContinuation(b)) {
            return kRawByteFlag | b0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters: keep the bytes.
    if (cp < minimum || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
        return kRawByteFlag | b0;
    }
    length = need + 1;
    return cp;
}

void append(std::string& out, Char c) {
    if (isRawByte(c)) {
        out.push_back(static_cast<char>(c & 0xFF));
    } else if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::size_t characterCount(std::string_view s) {
    std::size_t count = 0;
    for (std::size_t pos = 0, len = 0; pos < s.size(); pos += len) {
        decodeAt(s, pos, len);
        ++count;
    }
    return count;
}

std::string displayForm(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t pos = 0, len = 0; pos < s.size(); pos += len) {
        const Char c = decodeAt(s, pos, len);
        append(out, isRawByte(c) ? Char{0xFFFD} : c);
    }
    return out;
}

std::locale CaseMapper::userLocale() {
    std::locale locale = std::locale::classic();
    try {
        locale = std::locale("");
    } catch (const std::runtime_error&) {
        // An unknown LANG/LC_ALL: fall through to the classic locale.
    }
    const std::string name = locale.name();
    if (name == "C" || name == "POSIX" || name == "*") {
        try {
            return std::locale("C.UTF-8");
        } catch (const std::runtime_error&) {
            // No UTF-8 variant of the classic locale here: the classic locale it is.
        }
    }
    return locale;
}

LocaleCaseRules::LocaleCaseRules(const std::locale& locale)
    : m_locale(locale), m_ctype(&std::use_facet<std::ctype<wchar_t>>(m_locale)) {}

namespace {

// Whether `c` survives a round trip through wchar_t (it does not beyond U+FFFF on Windows).
constexpr bool fitsWchar(Char c) {
    return c <= static_cast<Char>(std::numeric_limits<wchar_t>::max());
}

// A mapping that would leave the scalar values (a surrogate, a wchar_t sign wrap) is no case.
Char mappedOr(Char original, wchar_t mapped) {
    const auto value = static_cast<Char>(mapped);
    return value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF) ? value : original;
}

}  // namespace

Char LocaleCaseRules::lower(Char c) const {
    return fitsWchar(c) ? mappedOr(c, m_ctype->tolower(static_cast<wchar_t>(c))) : c;
}

Char LocaleCaseRules::upper(Char c) const {
    return fitsWchar(c) ? mappedOr(c, m_ctype->toupper(static_cast<wchar_t>(c))) : c;
}

CaseMapper::CaseMapper() : CaseMapper(userLocale()) {}

CaseMapper::CaseMapper(const std::locale& locale)
    : CaseMapper(std::make_shared<LocaleCaseRules>(locale)) {}

CaseMapper::CaseMapper(std::shared_ptr<const CaseRules> rules) : m_rules(std::move(rules)) {
    m_asciiClosed = true;
    for (Char c = 0; c < 128; ++c) {
        m_asciiLower[c] = m_rules->lower(c);
        m_asciiUpper[c] = m_rules->upper(c);
        if (m_asciiLower[c] >= 128 || m_asciiUpper[c] >= 128) {
            m_asciiClosed = false;
        }
    }
}

Char CaseMapper::lower(Char c) const {
    if (c < 128) {
        return m_asciiLower[c];
    }
    if (isRawByte(c)) {
        return c;
    }
    return m_rules->lower(c);
}

Char CaseMapper::upper(Char c) const {
    if (c < 128) {
        return m_asciiUpper[c];
    }
    if (isRawByte(c)) {
        return c;
    }
    return m_rules->upper(c);
}

template <typename Map>
std::string CaseMapper::mapEach(std::string_view s, Map map) const {
    std::string out;
    out.reserve(s.size() + 4);
    for (std::size_t pos = 0, len = 0; pos < s.size(); pos += len) {
        const auto b = static_cast<unsigned char>(s[pos]);
        if (b < 0x80 && m_asciiClosed) {
            len = 1;
            out.push_back(static_cast<char>(map(Char{b})));
            continue;
        }
        append(out, map(decodeAt(s, pos, len)));
    }
    return out;
}

template <typename Map>
void CaseMapper::mapInPlace(std::string& s, Map map) const {
    if (m_asciiClosed && isAscii(s)) {
        for (char& c : s) {
            c = static_cast<char>(map(static_cast<unsigned char>(c)));
        }
        return;
    }
    s = mapEach(s, map);
}

void CaseMapper::lowerInPlace(std::string& s) const {
    mapInPlace(s, [this](Char c) { return lower(c); });
}

void CaseMapper::upperInPlace(std::string& s) const {
    mapInPlace(s, [this](Char c) { return upper(c); });
}

void CaseMapper::properInPlace(std::string& s) const {
    bool wordStart = true;
    mapInPlace(s, [this, &wordStart](Char c) {
        const Char mapped = wordStart ? upper(c) : lower(c);
        wordStart = isWordSeparator(c);
        return mapped;
    });
}

std::string CaseMapper::toLower(std::string_view s) const {
    return mapEach(s, [this](Char c) { return lower(c); });
}

std::string CaseMapper::toUpper(std::string_view s) const {
    return mapEach(s, [this](Char c) { return upper(c); });
}

void CaseMapper::lowerForms(std::string_view s, std::vector<Char>& forms,
                            std::vector<std::uint32_t>* offsets) const {
    forms.clear();
    if (offsets != nullptr) {
        offsets->clear();
    }
    for (std::size_t pos = 0, len = 0; pos < s.size(); pos += len) {
        if (offsets != nullptr) {
            offsets->push_back(static_cast<std::uint32_t>(pos));
        }
        forms.push_back(lower(decodeAt(s, pos, len)));
    }
    if (offsets != nullptr) {
        offsets->push_back(static_cast<std::uint32_t>(s.size()));
    }
}

}  // namespace qm::text

namespace qm::text {

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool isAscii(std::string_view s) {
    for (const char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

std::string_view trimSpaces(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace qm::text
