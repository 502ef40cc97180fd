#include "platform/win32/Win32Path.h"

#include <windows.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "base/Utf16.h"

namespace qm::platform {

namespace {

constexpr std::wstring_view kLongPrefix = LR"(\\?\)";
constexpr std::wstring_view kLongUncPrefix = LR"(\\?\UNC\)";
constexpr std::wstring_view kDevicePrefix = LR"(\\.\)";

bool isLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// The length of the root of a fully qualified path: "C:\" 3; "\\server\share" with the separator
// after it when there is one. 0 for any other path.
std::size_t qualifiedRoot(std::wstring_view path) {
    if (path.size() >= 3 && isLetter(path[0]) && path[1] == L':' && path[2] == L'\\') {
        return 3;
    }
    if (!path.starts_with(LR"(\\)")) {
        return 0;
    }
    const std::size_t server = path.find(L'\\', 2);
    if (server == std::wstring_view::npos || server == 2 || server + 1 == path.size() ||
        path[server + 1] == L'\\') {
        return 0;  // no server name or no share name
    }
    const std::size_t share = path.find(L'\\', server + 1);
    return share == std::wstring_view::npos ? path.size() : share + 1;
}

}  // namespace

std::wstring longPathForm(std::wstring path) {
    if (path.starts_with(kLongPrefix)) {
        return path;
    }
    std::replace(path.begin(), path.end(), L'/', L'\\');
    const std::size_t root = qualifiedRoot(path);
    if (root == 0 || path.starts_with(kDevicePrefix) || path.starts_with(kLongPrefix)) {
        return path;
    }
    const std::wstring_view rest = std::wstring_view(path).substr(root);
    std::vector<std::wstring_view> steps;
    for (std::size_t start = 0; start <= rest.size();) {
        const std::size_t end = std::min(rest.find(L'\\', start), rest.size());
        const std::wstring_view step = rest.substr(start, end - start);
        if (step == L"..") {
            if (!steps.empty()) {
                steps.pop_back();  // never above the root, as Windows resolves it
            }
        } else if (!step.empty() && step != L".") {
            steps.push_back(step);
        }
        start = end + 1;
    }
    std::wstring form = path[0] == L'\\' ? std::wstring(kLongUncPrefix) + path.substr(2, root - 2)
                                         : std::wstring(kLongPrefix) + path.substr(0, root);
    for (const std::wstring_view step : steps) {
        if (form.back() != L'\\') {
            form.push_back(L'\\');
        }
        form += step;
    }
    // A folder written with its trailing separator keeps it.
    if (!steps.empty() && rest.ends_with(L'\\')) {
        form.push_back(L'\\');
    }
    return form;
}

std::wstring ordinaryForm(const std::wstring& path) {
    if (path.starts_with(kLongUncPrefix)) {
        return LR"(\\)" + path.substr(kLongUncPrefix.size());
    }
    if (path.starts_with(kLongPrefix)) {
        return path.substr(kLongPrefix.size());
    }
    return path;
}

std::wstring shellPath(const std::wstring& path) {
    const std::wstring ordinary = ordinaryForm(path);
    if (ordinary.size() < MAX_PATH) {
        return ordinary;
    }
    // A volume that keeps short names gives every long path a short twin.
    const std::wstring asked = longPathForm(path);
    const DWORD needed = ::GetShortPathNameW(asked.c_str(), nullptr, 0);
    if (needed > 0) {
        std::wstring twin(needed, L'\0');
        const DWORD length = ::GetShortPathNameW(asked.c_str(), twin.data(), needed);
        if (length > 0 && length < needed) {
            twin.resize(length);
            twin = ordinaryForm(twin);
            if (twin.size() < MAX_PATH) {
                return twin;
            }
        }
    }
    throw RunError(kShellPathTooLong, "The Windows shell cannot take this path: it is " +
                                          std::to_string(ordinary.size()) +
                                          " characters long, and the shell takes at most " +
                                          std::to_string(MAX_PATH - 1) + ".");
}

std::wstring wideText(const std::string& text) {
    auto wide = text::toUtf16(text);
    if (!wide || wide->find(L'\0') != std::wstring::npos) {
        throw RunError(kBadFileName);
    }
    return *wide;
}

std::wstring widePath(const std::string& path) {
    return longPathForm(wideText(path));
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
