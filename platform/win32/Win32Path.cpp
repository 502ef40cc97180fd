#include "platform/win32/Win32Path.h"

#include <windows.h>

#include "base/PathRules.h"
#include "base/RunError.h"
#include "base/Utf16.h"

namespace qm::platform {

namespace {

// "." or ".." as a component: the prefix turns off their meaning, so such a path goes unprefixed.
bool hasRelativeStep(const std::wstring& path) {
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto end = path.find(L'\\', start);
        const auto part = path.substr(start, end == std::wstring::npos ? end : end - start);
        if (part == L"." || part == L"..") {
            return true;
        }
        if (end == std::wstring::npos) {
            break;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace

std::wstring wideText(const std::string& text) {
    auto wide = text::toUtf16(text);
    if (!wide || wide->find(L'\0') != std::wstring::npos) {
        throw RunError(kBadFileName);
    }
    return *wide;
}

std::wstring widePath(const std::string& path) {
    std::wstring wide = wideText(path);
    if (wide.find(L'/') != std::wstring::npos || hasRelativeStep(wide) ||
        wide.starts_with(LR"(\\?\)") || wide.starts_with(LR"(\\.\)")) {
        return wide;
    }
    const std::size_t root = rootLength(path);
    if (root >= 3 && wide[1] == L':') {
        return LR"(\\?\)" + wide;
    }
    if (root > 2 && wide.starts_with(LR"(\\)")) {
        return LR"(\\?\UNC\)" + wide.substr(2);
    }
    return wide;
}

std::string narrowText(const wchar_t* units) {
    return units == nullptr ? std::string() : text::fromUtf16(units);
}

void throwWin32(std::uint32_t code) {
    throw errorFromWin32(code);
}

void throwLastError() {
    throwWin32(::GetLastError());
}

}  // namespace qm::platform
