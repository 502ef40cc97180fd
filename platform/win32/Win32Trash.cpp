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

// The full path of `path` in its "\\?\" form; a relative path is taken from the current folder.
std::wstring fullPath(const std::string& path) {
    const std::wstring given = widePath(path);
    if (given.starts_with(LR"(\\?\)")) {
        return given;
    }
    const DWORD length = ::GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    std::wstring full(length + 1, L'\0');
    if (length == 0 || ::GetFullPathNameW(given.c_str(), length, full.data(), nullptr) == 0) {
        throwLastError();
    }
    full.resize(std::wcslen(full.c_str()));
    return longPathForm(full);
}

}  // namespace

void Win32Trash::moveToTrash(const std::string& path) {
    const std::wstring full = fullPath(path);
    if (::GetFileAttributesW(full.c_str()) == INVALID_FILE_ATTRIBUTES) {
        throwLastError();
    }
    // The shell wants the ordinary form, within MAX_PATH, listed with a double NUL end.
    std::wstring list = shellPath(full);
    list.push_back(L'\0');
    list.push_back(L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = static_cast<HWND>(m_owner ? m_owner() : nullptr);
    operation.wFunc = FO_DELETE;
    operation.pFrom = list.c_str();
    // FOF_WANTNUKEWARNING overrides FOF_NOCONFIRMATION where the file would be deleted for good.
    operation.fFlags =
        FOF_ALLOWUNDO | FOF_WANTNUKEWARNING | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    const int result = ::SHFileOperationW(&operation);
    if (result == 0 && !operation.fAnyOperationsAborted) {
        return;
    }
    if ((result == 0 && operation.fAnyOperationsAborted) || result == kShellCancelled ||
        result == ERROR_CANCELLED) {
        throw RunError(kShellCancelled, "\"" + narrowText(ordinaryForm(full).c_str()) +
                                            "\" was kept: it cannot go to the Recycle Bin, and "
                                            "deleting it for good was declined.");
    }
    if (isShellCode(result)) {
        char description[80];
        std::snprintf(description, sizeof description,
                      "The file could not be moved to the Recycle Bin (shell code 0x%X)",
                      static_cast<unsigned>(result));
        throw RunError(result, description);
    }
    throwWin32(static_cast<std::uint32_t>(result));
}

}  // namespace qm::platform
