#include "platform/win32/Win32Trash.h"

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <cstdio>

#include "base/RunError.h"
#include "platform/win32/Win32Path.h"

namespace qm::platform {

namespace {

// The shell's codes of its own (inherited from the 16-bit shell), not system error codes.
bool isShellCode(int code) {
    return (code >= 0x71 && code <= 0x88) || code == 0xB7 || code == 0x402 || code == 0x10000 ||
           code == 0x10074;
}

}  // namespace

void Win32Trash::moveToTrash(const std::string& path) {
    // The shell wants a full path without the long-path prefix, listed with a double NUL end.
    const std::wstring given = wideText(path);
    const DWORD length = ::GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    std::wstring full(length + 1, L'\0');
    if (length == 0 || ::GetFullPathNameW(given.c_str(), length, full.data(), nullptr) == 0) {
        throwLastError();
    }
    full.resize(std::wcslen(full.c_str()));
    if (::GetFileAttributesW(full.c_str()) == INVALID_FILE_ATTRIBUTES) {
        throwLastError();
    }
    full.push_back(L'\0');
    full.push_back(L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = full.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    const int result = ::SHFileOperationW(&operation);
    if (result == 0 && !operation.fAnyOperationsAborted) {
        return;
    }
    if (result == 0 || isShellCode(result)) {
        char description[80];
        std::snprintf(description, sizeof description,
                      "The file could not be moved to the Recycle Bin (shell code 0x%X)",
                      static_cast<unsigned>(result));
        throw RunError(result == 0 ? kPathFileAccessError : result, description);
    }
    throwWin32(static_cast<std::uint32_t>(result));
}

}  // namespace qm::platform
