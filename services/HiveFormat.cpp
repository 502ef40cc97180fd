#include "services/HiveFormat.h"

#include <algorithm>
#include <utility>

#include "base/Text.h"

namespace qm::platform {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// Hex data lines are wrapped near this width, as regedit does, so the file stays readable.
constexpr std::size_t kHexLineWidth = 77;

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// 1 to `maxDigits` hex digits, nothing else.
std::optional<std::uint32_t> parseHexNumber(std::string_view s, std::size_t maxDigits) {
    if (s.empty() || s.size() > maxDigits) {
        return std::nullopt;
    }
    std::uint32_t n = 0;
    for (const char c : s) {
        const int d = text::hexDigitValue(c);
        if (d < 0) {
            return std::nullopt;
        }
        n = (n << 4) | static_cast<std::uint32_t>(d);
    }
    return n;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && sameName(s.substr(0, prefix.size()), prefix);
}

// Splits the text into lines at LF; a BOM before the first line is dropped.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : m_text(text) {
        if (m_text.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
            m_text.remove_prefix(kUtf8Bom.size());
        }
    }

    std::optional<std::string_view> peek() const {
        if (m_pos >= m_text.size()) {
            return std::nullopt;
        }
        const auto end = m_text.find('\n', m_pos);
        return m_text.substr(m_pos,
                             end == std::string_view::npos ? m_text.size() - m_pos : end - m_pos);
    }

    std::optional<std::string_view> next() {
        auto line = peek();
        if (line) {
            m_pos += line->size();
            m_lastEnded = m_pos < m_text.size();
            ++m_pos;
        }
        return line;
    }

    // Whether the line next() gave last ended with a line feed, as every line written does; a
    // last line without one may have been cut anywhere.
    bool lastEnded() const { return m_lastEnded; }

  private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    bool m_lastEnded = true;
};

// A quoted name or text at `pos` (which holds the opening quote), with \\ and \" as the only
// escapes. `pos` ends after the closing quote.
std::optional<std::string> parseQuoted(std::string_view s, std::size_t& pos) {
    std::string out;
    for (std::size_t i = pos + 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            pos = i + 1;
            return out;
        }
        if (c == '\\') {
            if (i + 1 >= s.size() || (s[i + 1] != '\\' && s[i + 1] != '"')) {
                return std::nullopt;
            }
            out.push_back(s[++i]);
            continue;
        }
        out.push_back(c);
    }
    return std::nullopt;
}

// "41,42, 0a" -> bytes; every byte exactly two hex digits.
std::optional<std::string> parseHexBytes(std::string_view s) {
    std::string out;
    s = trim(s);
    if (s.empty()) {
        return out;
    }
    while (true) {
        const auto comma = s.find(',');
        const std::string_view token = trim(s.substr(0, comma));
        if (token.size() != 2) {
            return std::nullopt;
        }
        const auto byte = parseHexNumber(token, 2);
        if (!byte) {
            return std::nullopt;
        }
        out.push_back(static_cast<char>(*byte));
        if (comma == std::string_view::npos) {
            return out;
        }
        s.remove_prefix(comma + 1);
    }
}

// A line that can only be the rest of a wrapped hex value.
bool isHexContinuation(std::string_view line) {
    line = trim(line);
    if (!line.empty() && line.back() == '\\') {
        line.remove_suffix(1);
    }
    return !line.empty() && std::all_of(line.begin(), line.end(), [](char c) {
        return text::hexDigitValue(c) >= 0 || c == ',' || c == ' ' || c == '\t';
    });
}

struct ParsedData {
    RegType type;
    std::string data;
};

// The part after "=". Wrapped hex values take their continuation lines from `lines`.
std::optional<ParsedData> parseData(std::string_view s, LineReader& lines) {
    s = trim(s);
    if (!s.empty() && s.front() == '"') {
        std::size_t pos = 0;
        auto text = parseQuoted(s, pos);
        if (!text || pos != s.size()) {
            return std::nullopt;
        }
        text->push_back('\0');
        return ParsedData{kRegSz, std::move(*text)};
    }
    if (startsWithNoCase(s, "dword:")) {
        const std::string_view digits = s.substr(6);
        const auto n = digits.size() == 8 ? parseHexNumber(digits, 8) : std::nullopt;
        if (!n) {
            return std::nullopt;
        }
        std::string data(4, '\0');
        for (int i = 0; i < 4; ++i) {
            data[static_cast<std::size_t>(i)] = static_cast<char>((*n >> (8 * i)) & 0xFF);
        }
        return ParsedData{kRegDword, std::move(data)};
    }
    if (!startsWithNoCase(s, "hex")) {
        return std::nullopt;
    }
    s.remove_prefix(3);
    RegType type = kRegBinary;
    if (!s.empty() && s.front() == '(') {
        const auto close = s.find(')');
        const auto n = close == std::string_view::npos ? std::nullopt
                                                       : parseHexNumber(s.substr(1, close - 1), 8);
        if (!n) {
            return std::nullopt;
        }
        type = *n;
        s.remove_prefix(close + 1);
    }
    if (s.empty() || s.front() != ':') {
        return std::nullopt;
    }
    s.remove_prefix(1);
    std::string bytes(s);
    // A trailing backslash continues the list on the next line. A value whose continuation is
    // missing (the file was cut) or is not hex is incomplete and left out.
    while (!bytes.empty() && bytes.back() == '\\') {
        bytes.pop_back();
        const auto next = lines.peek();
        if (!next || !isHexContinuation(*next)) {
            return std::nullopt;
        }
        bytes += trim(*lines.next());
    }
    // A cut between two bytes would still read as a shorter list: only a complete last line
    // shows that the list is complete. (Text and dword values show a cut by their syntax.)
    auto data = parseHexBytes(bytes);
    if (!data || !lines.lastEnded()) {
        return std::nullopt;
    }
    return ParsedData{type, std::move(*data)};
}

// "[HKEY_CURRENT_USER\a\b]" -> {"a", "b"}
std::optional<std::vector<std::string>> parseKeyHeader(std::string_view line) {
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') {
        return std::nullopt;
    }
    const std::string_view inner = line.substr(1, line.size() - 2);
    const auto slash = inner.find('\\');
    if (!sameName(inner.substr(0, slash), kHiveRootName)) {
        return std::nullopt;  // another root, or a "[-...]" deletion: not ours to apply
    }
    if (slash == std::string_view::npos) {
        return std::vector<std::string>{};
    }
    return splitKeyPath(inner.substr(slash + 1));
}

bool writableAsText(std::string_view data) {
    if (data.empty() || data.back() != '\0') {
        return false;
    }
    data.remove_suffix(1);
    for (std::size_t pos = 0, length = 0; pos < data.size(); pos += length) {
        const text::Char c = text::decodeAt(data, pos, length);
        if (text::isRawByte(c) || c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            return false;
        }
    }
    return true;
}

void appendQuoted(std::string& out, std::string_view s) {
    out.push_back('"');
    for (const char c : s) {
        if (c == '\\' || c == '"') {
            out.push_back('\\');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

void appendHexValue(std::string& out, std::string line, std::string_view data) {
    static constexpr char kDigits[] = "0123456789abcdef";
    bool lineHasBytes = false;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        const bool last = i + 1 == data.size();
        if (lineHasBytes && line.size() + (last ? 2 : 3) > kHexLineWidth) {
            out += line;
            out += "\\\n";
            line = "  ";
        }
        line.push_back(kDigits[b >> 4]);
        line.push_back(kDigits[b & 0xF]);
        if (!last) {
            line.push_back(',');
        }
        lineHasBytes = true;
    }
    out += line;
    out.push_back('\n');
}

void appendValue(std::string& out, const HiveValue& value) {
    std::string line;
    if (value.name.empty()) {
        line = "@";
    } else {
        appendQuoted(line, value.name);
    }
    line.push_back('=');
    if (value.type == kRegSz && writableAsText(value.data)) {
        appendQuoted(line, std::string_view(value.data).substr(0, value.data.size() - 1));
        out += line;
        out.push_back('\n');
        return;
    }
    if (value.type == kRegDword && value.data.size() == 4) {
        std::uint32_t n = 0;
        for (int i = 3; i >= 0; --i) {
            n = (n << 8) | static_cast<unsigned char>(value.data[static_cast<std::size_t>(i)]);
        }
        static constexpr char kDigits[] = "0123456789abcdef";
        line += "dword:";
        for (int shift = 28; shift >= 0; shift -= 4) {
            line.push_back(kDigits[(n >> shift) & 0xF]);
        }
        out += line;
        out.push_back('\n');
        return;
    }
    if (value.type == kRegBinary) {
        line += "hex:";
    } else {
        static constexpr char kDigits[] = "0123456789abcdef";
        std::string digits;
        for (RegType t = value.type; t != 0 || digits.empty(); t >>= 4) {
            digits.insert(digits.begin(), kDigits[t & 0xF]);
        }
        line += "hex(" + digits + "):";
    }
    appendHexValue(out, std::move(line), value.data);
}

// Keys holding values, and keys with nothing below them, get a section; a key that only leads
// to others is implied by their sections.
void appendKey(std::string& out, const HiveKey& key, const std::string& path) {
    if (!key.values().empty() || key.subkeys().empty()) {
        out += "\n[";
        out += path;
        out += "]\n";
        for (const HiveValue& value : key.values()) {
            appendValue(out, value);
        }
    }
    for (const HiveKey& sub : key.subkeys()) {
        appendKey(out, sub, path + "\\" + sub.name());
    }
}

}  // namespace

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && lowerAscii(a[i]) != lowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::size_t NameHash::operator()(std::string_view name) const {
    // FNV-1a in 64 bits on every target; a 32-bit size_t keeps the low half.
    std::uint64_t hash = 14695981039346656037u;
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(lowerAscii(c))) * 1099511628211u;
    }
    return static_cast<std::size_t>(hash);
}

bool isStorableName(std::string_view name) {
    return name.find('\0') == std::string_view::npos && name.find('\n') == std::string_view::npos;
}

std::optional<std::vector<std::string>> splitKeyPath(std::string_view path) {
    std::vector<std::string> parts;
    if (path.empty()) {
        return parts;
    }
    while (true) {
        const auto slash = path.find('\\');
        const std::string_view part = path.substr(0, slash);
        if (part.empty() || !isStorableName(part) || parts.size() >= kMaxKeyDepth) {
            return std::nullopt;
        }
        parts.emplace_back(part);
        if (slash == std::string_view::npos) {
            return parts;
        }
        path.remove_prefix(slash + 1);
    }
}

const HiveValue* HiveKey::findValue(std::string_view name) const {
    const auto it = m_valueIndex.find(name);
    return it == m_valueIndex.end() ? nullptr : &m_values[it->second];
}

void HiveKey::setValue(std::string_view name, RegType type, std::string data) {
    const auto [it, added] = m_valueIndex.try_emplace(std::string(name), m_values.size());
    if (added) {
        m_values.push_back(HiveValue{std::string(name), type, std::move(data)});
        return;
    }
    HiveValue& value = m_values[it->second];
    value.type = type;
    value.data = std::move(data);
}

bool HiveKey::deleteValue(std::string_view name) {
    const auto it = m_valueIndex.find(name);
    if (it == m_valueIndex.end()) {
        return false;
    }
    const std::size_t pos = it->second;
    m_values.erase(m_values.begin() + static_cast<std::ptrdiff_t>(pos));
    m_valueIndex.erase(it);
    for (auto& entry : m_valueIndex) {
        if (entry.second > pos) {
            --entry.second;
        }
    }
    return true;
}

const HiveKey* HiveKey::findSubkey(std::string_view name) const {
    const auto it = m_subkeyIndex.find(name);
    return it == m_subkeyIndex.end() ? nullptr : &m_subkeys[it->second];
}

HiveKey* HiveKey::findSubkey(std::string_view name) {
    return const_cast<HiveKey*>(std::as_const(*this).findSubkey(name));
}

HiveKey& HiveKey::subkey(std::string_view name) {
    const auto [it, added] = m_subkeyIndex.try_emplace(std::string(name), m_subkeys.size());
    if (added) {
        m_subkeys.emplace_back(std::string(name));
    }
    return m_subkeys[it->second];
}

bool HiveKey::deleteSubkey(std::string_view name) {
    const auto it = m_subkeyIndex.find(name);
    if (it == m_subkeyIndex.end()) {
        return false;
    }
    const std::size_t pos = it->second;
    m_subkeys.erase(m_subkeys.begin() + static_cast<std::ptrdiff_t>(pos));
    m_subkeyIndex.erase(it);
    for (auto& entry : m_subkeyIndex) {
        if (entry.second > pos) {
            --entry.second;
        }
    }
    return true;
}

const HiveKey* HiveKey::find(const std::vector<std::string>& path) const {
    const HiveKey* key = this;
    for (const std::string& part : path) {
        key = key->findSubkey(part);
        if (key == nullptr) {
            return nullptr;
        }
    }
    return key;
}

HiveKey* HiveKey::find(const std::vector<std::string>& path) {
    return const_cast<HiveKey*>(std::as_const(*this).find(path));
}

bool HiveKey::operator==(const HiveKey& other) const {
    return m_name == other.m_name && m_values == other.m_values && m_subkeys == other.m_subkeys;
}

ParsedHive parseHive(std::string_view text) {
    ParsedHive result;
    LineReader lines(text);
    HiveKey* current = nullptr;
    bool firstLine = true;
    while (const auto raw = lines.next()) {
        const std::string_view line = trim(*raw);
        if (firstLine) {
            firstLine = false;
            if (line == kHiveHeader) {
                continue;
            }
            if (!trim(text).empty()) {
                ++result.badEntries;  // no header: likely not the file we wrote
            }
        }
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            // Values under a header that cannot be read belong to no known key: they are left
            // out rather than added to the key before it.
            current = nullptr;
            if (const auto path = parseKeyHeader(line)) {
                current = &result.root;
                for (const std::string& part : *path) {
                    current = &current->subkey(part);
                }
            } else {
                ++result.badEntries;
            }
            continue;
        }
        if (line.front() != '"' && line.front() != '@') {
            ++result.badEntries;
            continue;
        }
        std::size_t pos = 1;
        std::optional<std::string> name = std::string();
        if (line.front() == '"') {
            pos = 0;
            name = parseQuoted(line, pos);
        }
        while (pos < line.size() && isBlank(line[pos])) {
            ++pos;
        }
        if (!name || pos >= line.size() || line[pos] != '=') {
            ++result.badEntries;
            continue;
        }
        auto data = parseData(line.substr(pos + 1), lines);
        if (!data || current == nullptr || data->data.size() > UINT32_MAX) {
            ++result.badEntries;
            continue;
        }
        current->setValue(*name, data->type, std::move(data->data));
    }
    return result;
}

std::string writeHive(const HiveKey& root) {
    std::string out(kHiveHeader);
    out.push_back('\n');
    if (!root.values().empty()) {
        out += "\n[";
        out += kHiveRootName;
        out += "]\n";
        for (const HiveValue& value : root.values()) {
            appendValue(out, value);
        }
    }
    for (const HiveKey& sub : root.subkeys()) {
        appendKey(out, sub, std::string(kHiveRootName) + "\\" + sub.name());
    }
    return out;
}

}  // namespace qm::platform
