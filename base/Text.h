// Text model: UTF-8 in std::string, decoded losslessly. A byte that is not part of a valid UTF-8
// sequence is one character of its own (kept as the byte), so any file name survives decoding,
// case mapping and re-encoding unchanged except where a real letter changes case.
#pragma once

#include <cstdint>
#include <locale>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qm::text {

// One decoded character: a Unicode scalar value, or kRawByteFlag | byte for a stray byte.
using Char = std::uint32_t;
inline constexpr Char kRawByteFlag = 0x80000000u;

inline bool isRawByte(Char c) {
    return (c & kRawByteFlag) != 0;
}

// Decodes the character at `pos` (which must be < s.size()); `length` receives its byte count.
Char decodeAt(std::string_view s, std::size_t pos, std::size_t& length);

// Appends the bytes of `c` to `out` (a raw byte goes back as itself).
void append(std::string& out, Char c);

// Number of characters (code points and stray bytes) in `s`.
std::size_t characterCount(std::string_view s);

// A readable form for display: every stray byte shown as U+FFFD. Never fed back to the OS.
std::string displayForm(std::string_view s);

// The lower and upper case of one character (a Unicode scalar value) under one locale's rules.
// Each platform supplies its own; a character without another case maps to itself.
class CaseRules {
  public:
    virtual ~CaseRules() = default;
    virtual Char lower(Char c) const = 0;
    virtual Char upper(Char c) const = 0;
};

// The rules of a C++ locale's ctype<wchar_t> facet. Where wchar_t has only 16 bits (Windows), a
// character beyond U+FFFF does not fit and keeps its case rather than being cut short.
class LocaleCaseRules : public CaseRules {
  public:
    explicit LocaleCaseRules(const std::locale& locale);
    Char lower(Char c) const override;
    Char upper(Char c) const override;

  private:
    std::locale m_locale;
    const std::ctype<wchar_t>* m_ctype;
};

// Lower, upper and proper case per character under one locale. Built once and reused: the ASCII
// range is tabled at construction so typical names map without calling the rules.
class CaseMapper {
  public:
    // The user's locale; when that is "C"/"POSIX" (no letters beyond ASCII), C.UTF-8 instead.
    CaseMapper();
    explicit CaseMapper(const std::locale& locale);
    explicit CaseMapper(std::shared_ptr<const CaseRules> rules);

    Char lower(Char c) const;
    Char upper(Char c) const;

    std::string toLower(std::string_view s) const;
    std::string toUpper(std::string_view s) const;

    // The same, changing `s` in place (without allocating for ASCII text).
    void lowerInPlace(std::string& s) const;
    void upperInPlace(std::string& s) const;
    // First character of every word upper case, the rest lower; words are separated only by
    // space, NUL, tab, LF, VT, FF and CR.
    void properInPlace(std::string& s) const;

    // True when every ASCII character's lower and upper forms are ASCII too (not so under a
    // Turkish locale); then lowerAscii() may be used on ASCII bytes.
    bool asciiClosed() const { return m_asciiClosed; }
    unsigned char lowerAscii(unsigned char c) const {
        return static_cast<unsigned char>(m_asciiLower[c]);
    }

    // Lower-case forms of the characters of `s`, and the byte offset of each (plus one final
    // offset equal to s.size()).
    void lowerForms(std::string_view s, std::vector<Char>& forms,
                    std::vector<std::uint32_t>* offsets) const;

    // The user's locale as the program uses it (see the default constructor).
    static std::locale userLocale();

  private:
    template <typename Map>
    std::string mapEach(std::string_view s, Map map) const;
    template <typename Map>
    void mapInPlace(std::string& s, Map map) const;

    std::shared_ptr<const CaseRules> m_rules;
    Char m_asciiLower[128];
    Char m_asciiUpper[128];
    bool m_asciiClosed;  // every ASCII letter maps to ASCII (false under a Turkish locale)
};

}  // namespace qm::text

namespace qm::text {

// The value of a hexadecimal digit (either case), or -1 for any other character.
int hexDigitValue(char c);

// True when every byte of `s` is below 0x80.
bool isAscii(std::string_view s);

// The text without the space characters at either end (only ' ': tabs and other white space
// stay, as the name rules require).
std::string_view trimSpaces(std::string_view s);

}  // namespace qm::text
