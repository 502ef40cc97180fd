#include "platform/win32/Win32Shell.h"

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include "base/RunError.h"
#include "platform/win32/Win32Path.h"

namespace qm::platform {

bool Win32Shell::execute(const std::string& verb, const std::string& target) {
    std::wstring wideVerb;
    std::wstring wideTarget;
    try {
        wideVerb = wideText(verb);
        wideTarget = widePath(target);
    } catch (const RunError&) {
        return false;
    }
    wideTarget = shellPath(wideTarget);
    const auto owner = static_cast<HWND>(m_owner ? m_owner() : nullptr);
    const HINSTANCE result = ::ShellExecuteW(owner, wideVerb.c_str(), wideTarget.c_str(), nullptr,
                                             nullptr, SW_SHOWMAXIMIZED);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace qm::platform
