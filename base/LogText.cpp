#include "base/LogText.h"

#include <cstdint>
#include <cstring>

#include "base/Text.h"

namespace qm {

namespace {

constexpr char kHex[] = "0123456789abcdef";

// Whether a character would break a line or act as a control on a terminal. A stray byte is
// none: it is no character a terminal reading UTF-8 obeys.
bool needsEscape(text::Char c) {
    return !text::isRawByte(c) &&
           (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F) || c == 0x2028 || c == 0x2029);
}

void appendEscape(std::string& out, text::Char c) {
    switch (c) {
        case '\t':
            out += "\\t";
            return;
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        default:
            break;
    }
    const int digits = c < 0x80 ? 2 : 4;
    out += c < 0x80 ? "\\x" : "\\u";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        out += kHex[(c >> shift) & 0xF];
    }
}

// How many leading bytes of `s` are known to be printable ASCII (0x20 to 0x7E), counted eight at
// a time: a log entry's two paths are asked for every file a run renames.
std::size_t printableAsciiPrefix(std::string_view s) {
    constexpr std::uint64_t ones = 0x0101010101010101;
    constexpr std::uint64_t highs = 0x8080808080808080;
    std::size_t pos = 0;
    for (; pos + 8 <= s.size(); pos += 8) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + pos, 8);
        // A byte below 0x20 leaves its high bit in the first term, one of 0x80 and above in the
        // word itself, a DEL in the word plus one: the bytes before it cannot carry into it.
        if ((((word - ones * 0x20) & ~word) | word | (word + ones)) & highs) {
            break;
        }
    }
    return pos;
}

bool isPlain(std::string_view name) {
    if (!name.empty() && name.front() == '"') {
        return false;
    }
    for (std::size_t pos = printableAsciiPrefix(name), length = 0; pos < name.size();
         pos += length) {
        if (const auto byte = static_cast<unsigned char>(name[pos]); byte >= 0x20 && byte < 0x7F) {
            length = 1;
            continue;
        }
        if (needsEscape(text::decodeAt(name, pos, length))) {
            return false;
        }
    }
    return true;
}

// The value of `count` hex digits at `pos`; nullopt when they are not all there.
std::optional<text::Char> hexAt(std::string_view s, std::size_t pos, std::size_t count) {
    if (pos + count > s.size()) {
        return std::nullopt;
    }
    text::Char value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        const char d = s[i];
        const int digit = d >= '0' && d <= '9'   ? d - '0'
                          : d >= 'a' && d <= 'f' ? d - 'a' + 10
                          : d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                 : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<text::Char>(digit);
    }
    return value;
}

}  // namespace

std::string logName(std::string_view name) {
    std::string out;
    appendLogName(out, name);
    return out;
}

void appendLogName(std::string& out, std::string_view name) {
    if (isPlain(name)) {
        out.append(name);
        return;
    }
    out += '"';
    for (std::size_t pos = 0, length = 0; pos < name.size(); pos += length) {
        const text::Char c = text::decodeAt(name, pos, length);
        if (needsEscape(c)) {
            appendEscape(out, c);
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            out.append(name.substr(pos, length));
        }
    }
    out += '"';
}

std::optional<std::string> readLogName(std::string_view field) {
    if (field.empty() || field.front() != '"') {
        return isPlain(field) ? std::optional<std::string>(field) : std::nullopt;
    }
    if (field.size() < 2 || field.back() != '"') {
        return std::nullopt;
    }
    const std::string_view inner = field.substr(1, field.size() - 2);
    std::string name;
    for (std::size_t pos = 0, length = 0; pos < inner.size(); pos += length) {
        const text::Char c = text::decodeAt(inner, pos, length);
        if (needsEscape(c)) {
            return std::nullopt;  // written as an escape, never as itself
        }
        if (c != '\\') {
            name.append(inner.substr(pos, length));
            continue;
        }
        const char kind = pos + 1 < inner.size() ? inner[pos + 1] : '\0';
        length = 2;
        if (kind == '\\' || kind == 't' || kind == 'n' || kind == 'r') {
            name += kind == 't' ? '\t' : kind == 'n' ? '\n' : kind == 'r' ? '\r' : '\\';
        } else if (const auto value = hexAt(inner, pos + 2, kind == 'x' ? 2 : 4);
                   value && (kind == 'x' || kind == 'u')) {
            if (kind == 'u' && (*value < 0x80 || (*value >= 0xD800 && *value <= 0xDFFF))) {
                return std::nullopt;  // no character of its own in UTF-8
            }
            if (kind == 'x') {
                name += static_cast<char>(*value);
            } else {
                text::append(name, *value);
            }
            length += kind == 'x' ? 2 : 4;
        } else {
            return std::nullopt;
        }
    }
    return name;
}

}  // namespace qm
