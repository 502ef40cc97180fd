#include "platform/win32ui/Win32Pointer.h"

#include <windows.h>

namespace qm::platform {

void Win32Pointer::setBusy(bool busy) {
    m_busy = busy;
    ::SetCursor(::LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
    // The window under the pointer picks its own pointer again (the hourglass while busy).
    POINT at{};
    ::GetCursorPos(&at);
    const HWND under = ::WindowFromPoint(at);
    if (under != nullptr && ::GetWindowThreadProcessId(under, nullptr) == ::GetCurrentThreadId()) {
        const LRESULT hit = ::SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
        ::SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                       MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
    }
}

void Win32Pointer::processEvents() {
    // Bounded: a window that never validates what it paints would keep asking.
    MSG message;
    for (int i = 0; i < 1000 && ::PeekMessageW(&message, nullptr, 0, 0,
                                               PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE);
         ++i) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        ::DispatchMessageW(&message);
    }
}

}  // namespace qm::platform
