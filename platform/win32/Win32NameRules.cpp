#include "platform/win32/Win32NameRules.h"

#include <array>

#include "base/Utf16.h"

namespace qm::platform {

namespace {

constexpr std::size_t kLongestName = 255;  // UTF-16 units in one component, on every file system

char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upperAscii(a[i]) != upperAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// The device names, matched on the part before the first dot with trailing spaces dropped, as
// Windows matches them ("nul.txt" and "COM1 .log" are devices too). The digits include 0 and
// the superscripts 1-3, which newer systems also reserve.
bool isDeviceName(std::string_view name) {
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') {
        base.remove_suffix(1);
    }
    for (const std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (equalsIgnoringAsciiCase(base, device)) {
            return true;
        }
    }
    if (base.size() < 4 || (!equalsIgnoringAsciiCase(base.substr(0, 3), "COM") &&
                            !equalsIgnoringAsciiCase(base.substr(0, 3), "LPT"))) {
        return false;
    }
    const std::string_view number = base.substr(3);
    constexpr std::array<std::string_view, 3> kSuperscripts = {"\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
    return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') ||
           number == kSuperscripts[0] || number == kSuperscripts[1] || number == kSuperscripts[2];
}

}  // namespace

bool isNameWindowsKeeps(std::string_view name) {
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    if (name.back() == '.' || name.back() == ' ') {
        return false;
    }
    for (const char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || std::string_view(R"(<>:"/\|?*)").find(c) != std::string_view::npos) {
            return false;
        }
    }
    const auto units = text::toUtf16(name);
    return units && units->size() <= kLongestName && !isDeviceName(name);
}

}  // namespace qm::platform
