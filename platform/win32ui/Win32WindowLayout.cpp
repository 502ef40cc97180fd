// Win32Window at the DPI of its monitor: the client area is the design's size in design pixels
// scaled to that DPI, the window is sized around it, the controls and the font follow a change of
// DPI, and a window is first shown in the middle of its owner's monitor.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "platform/win32ui/Win32ControlBase.h"
#include "platform/win32ui/Win32Dpi.h"
#include "platform/win32ui/Win32Window.h"

namespace qm::platform {

using win32ui::scaled;

int Win32Window::innerWidth() const {
    RECT client{};
    ::GetClientRect(m_handle, &client);
    return win32ui::unscaled(client.right, m_dpi);
}

int Win32Window::innerHeight() const {
    RECT client{};
    ::GetClientRect(m_handle, &client);
    return win32ui::unscaled(client.bottom, m_dpi);
}

int Win32Window::pixels(int designPixels) const {
    return scaled(designPixels, m_dpi);
}

void Win32Window::layout() {
    if (m_menuBar != nullptr && ::GetMenu(m_handle) != m_menuBar) {
        ::SetMenu(m_handle, m_menuBar);
    }
    for (Win32ControlBase* control : m_controls) {
        control->layout(m_dpi, m_font);
    }
    ::SendMessageW(m_toolTips, TTM_SETMAXTIPWIDTH, 0, pixels(400));
    RECT outer{};
    ::GetWindowRect(m_handle, &outer);
    const RECT client{0, 0, pixels(m_designWidth), pixels(m_designHeight)};
    RECT wanted = win32ui::windowRectFor(client, styleOf(m_kind), exStyleOf(m_kind),
                                         m_menuBar != nullptr, m_dpi);
    ::SetWindowPos(m_handle, nullptr, 0, 0, wanted.right - wanted.left, wanted.bottom - wanted.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar that takes two lines, or a frame the calculation does not know: the client
    // area is what must come out exact.
    RECT actual{};
    ::GetClientRect(m_handle, &actual);
    const int dx = client.right - actual.right;
    const int dy = client.bottom - actual.bottom;
    if (dx != 0 || dy != 0) {
        ::SetWindowPos(m_handle, nullptr, 0, 0, wanted.right - wanted.left + dx,
                       wanted.bottom - wanted.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Win32Window::dpiChanged(int dpi, const RECT* suggested) {
    if (dpi <= 0) {
        return;
    }
    m_dpi = dpi;
    const HFONT old = m_font;
    m_font = win32ui::createDialogFont(dpi);
    ::SetPropW(m_handle, kFontProperty, m_font);
    if (suggested != nullptr) {
        ::SetWindowPos(m_handle, nullptr, suggested->left, suggested->top,
                       suggested->right - suggested->left, suggested->bottom - suggested->top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    layout();
    setIcons();
    if (old != nullptr) {
        ::DeleteObject(old);
    }
    if (m_background != nullptr) {
        ::DeleteObject(m_background);
        m_background = nullptr;
    }
    ::InvalidateRect(m_handle, nullptr, TRUE);
}

void Win32Window::setIcons() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const struct {
        WPARAM which;
        int metric;
        HICON& held;
    } icons[] = {{ICON_SMALL, SM_CXSMICON, m_smallIcon}, {ICON_BIG, SM_CXICON, m_largeIcon}};
    for (const auto& icon : icons) {
        // The program's icon (resource 1) where the program file has one.
        const HICON loaded = win32ui::loadIcon(instance, MAKEINTRESOURCEW(1),
                                               win32ui::systemMetric(icon.metric, m_dpi));
        if (loaded == nullptr) {
            continue;  // the class's icon stays
        }
        ::SendMessageW(m_handle, WM_SETICON, icon.which, reinterpret_cast<LPARAM>(loaded));
        if (icon.held != nullptr) {
            ::DestroyIcon(icon.held);
        }
        icon.held = loaded;
    }
}

void Win32Window::placeFirstTime() {
    m_placed = true;
    // In the middle of the work area of the owner's monitor (the primary one without an owner).
    const HWND owner = reinterpret_cast<HWND>(::GetWindowLongPtrW(m_handle, GWLP_HWNDPARENT));
    const HMONITOR monitor = owner != nullptr
                                 ? ::MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY)
                                 : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ::GetMonitorInfoW(monitor, &info);
    const RECT area = info.rcWork;
    RECT outer{};
    ::GetWindowRect(m_handle, &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const int left = area.left + std::max(0L, (area.right - area.left - width) / 2);
    const int top = area.top + std::max(0L, (area.bottom - area.top - height) / 2);
    ::SetWindowPos(m_handle, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE Win32Window::sizeAt(int dpi) const {
    const RECT client{0, 0, scaled(m_designWidth, dpi), scaled(m_designHeight, dpi)};
    const RECT outer = win32ui::windowRectFor(client, styleOf(m_kind), exStyleOf(m_kind),
                                              m_menuBar != nullptr, dpi);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace qm::platform
