#include "base/Utf16.h"

#include "base/Text.h"

namespace qm::text {

namespace {

bool isHighSurrogate(Char u) {
    return u >= 0xD800 && u <= 0xDBFF;
}

bool isLowSurrogate(Char u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

// A surrogate written as if it were a character: ED A0..BF 80..BF. The text model rejects it as
// UTF-8 (it is not a character), so it arrives here as stray bytes.
std::optional<Char> surrogateAt(std::string_view s, std::size_t pos) {
    if (pos + 2 < s.size() && static_cast<unsigned char>(s[pos]) == 0xED) {
        const auto b1 = static_cast<unsigned char>(s[pos + 1]);
        const auto b2 = static_cast<unsigned char>(s[pos + 2]);
        if (b1 >= 0xA0 && b1 <= 0xBF && (b2 & 0xC0) == 0x80) {
            return Char{0xD000} | (Char{b1 & 0x3Fu} << 6) | (b2 & 0x3Fu);
        }
    }
    return std::nullopt;
}

void appendUnits(std::wstring& out, Char c) {
    if (c >= 0x10000) {
        c -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(c));
    }
}

template <typename OnStray>
void convert(std::string_view utf8, std::wstring& out, OnStray onStray) {
    out.reserve(utf8.size());
    for (std::size_t pos = 0, length = 0; pos < utf8.size(); pos += length) {
        const Char c = decodeAt(utf8, pos, length);
        if (!isRawByte(c)) {
            appendUnits(out, c);
        } else if (const auto surrogate = surrogateAt(utf8, pos)) {
            out.push_back(static_cast<wchar_t>(*surrogate));
            length = 3;
        } else if (!onStray(out)) {
            return;
        }
    }
}

}  // namespace

std::string fromUtf16(std::wstring_view units) {
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto u = static_cast<Char>(units[i]) & 0xFFFF;
        if (isHighSurrogate(u) && i + 1 < units.size() &&
            isLowSurrogate(static_cast<Char>(units[i + 1]) & 0xFFFF)) {
            const auto low = static_cast<Char>(units[++i]) & 0xFFFF;
            append(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        } else if (isHighSurrogate(u) || isLowSurrogate(u)) {
            out.push_back(static_cast<char>(0xED));
            out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        } else {
            append(out, u);
        }
    }
    return out;
}

std::optional<std::wstring> toUtf16(std::string_view utf8) {
    std::wstring out;
    bool whole = true;
    convert(utf8, out, [&whole](std::wstring&) { return whole = false; });
    if (!whole) {
        return std::nullopt;
    }
    return out;
}

std::wstring toUtf16Lossy(std::string_view utf8) {
    std::wstring out;
    convert(utf8, out, [](std::wstring& units) {
        units.push_back(static_cast<wchar_t>(0xFFFD));
        return true;
    });
    return out;
}

std::string pathText(const std::filesystem::path& path) {
#ifdef _WIN32
    return fromUtf16(path.native());
#else
    return path.native();
#endif
}

}  // namespace qm::text
