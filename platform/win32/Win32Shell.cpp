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
        wideTarget = wideText(target);
    } catch (const RunError&) {
        return false;
    }
    // A document opens maximized (the log viewer's show command 3); a folder in a normal window.
    const int show = verb == "open" ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    const HINSTANCE result =
        ::ShellExecuteW(nullptr, wideVerb.c_str(), wideTarget.c_str(), nullptr, nullptr, show);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace qm::platform
