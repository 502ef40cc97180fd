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

// The device name `name` stands for ("CON" for "con.txt"), or "": matched on the part before the
// first dot with trailing spaces dropped, as Windows matches them ("nul.txt" and "COM1 .log" are
// devices too). The digits include 0 and the superscripts 1-3, which newer systems also reserve.
std::string_view deviceName(std::string_view name) {
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') {
        base.remove_suffix(1);
    }
    for (const std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (equalsIgnoringAsciiCase(base, device)) {
            return base;
        }
    }
    if (base.size() < 4 || (!equalsIgnoringAsciiCase(base.substr(0, 3), "COM") &&
                            !equalsIgnoringAsciiCase(base.substr(0, 3), "LPT"))) {
        return {};
    }
    const std::string_view number = base.substr(3);
    constexpr std::array<std::string_view, 3> kSuperscripts = {"\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
    const bool device = (number.size() == 1 && number[0] >= '0' && number[0] <= '9') ||
                        number == kSuperscripts[0] || number == kSuperscripts[1] ||
                        number == kSuperscripts[2];
    return device ? base : std::string_view();
}

std::string asciiUpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = upperAscii(c);
    }
    return upper;
}

}  // namespace

std::string whyWindowsRefuses(std::string_view name) {
    if (name.empty()) {
        return "A file needs a name.";
    }
    if (name == "." || name == "..") {
        return "The names \".\" and \"..\" belong to folders.";
    }
    if (name.back() == '.' || name.back() == ' ') {
        return "Windows drops a dot or a space at the end of a name.";
    }
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20) {
            return "Windows takes no control character (such as a tab or a line break) in a name.";
        }
        if (std::string_view(R"(<>:"/\|?*)").find(c) != std::string_view::npos) {
            return std::string("Windows takes no \"") + c + "\" in a name.";
        }
    }
    const auto units = text::toUtf16(name);
    if (!units) {
        return "The name holds bytes that are no Unicode text.";
    }
    if (units->size() > kLongestName) {
        return "The name is longer than the 255 characters Windows holds.";
    }
    if (const auto device = deviceName(name); !device.empty()) {
        return asciiUpperCase(device) +
               " is the name of a device in Windows, whatever the extension.";
    }
    return {};
}

}  // namespace qm::platform
