#include "platform/win32ui/Win32ControlBase.h"

#include <cctype>
#include <cstdio>
#include <exception>
#include <stdexcept>

#include "base/Utf16.h"
#include "platform/win32ui/Win32Dpi.h"
#include "platform/win32ui/Win32Window.h"

namespace qm::platform {

namespace {

constexpr const wchar_t* kControlProperty = L"Quillmote.Control";

}  // namespace

namespace win32ui {

void raiseFromUser(const std::function<void()>& handler) {
    try {
        raise(handler);
    } catch (const std::exception& e) {
        const std::string message =
            std::string("unhandled error in an event handler: ") + e.what() + "\n";
        ::OutputDebugStringW(shown(message).c_str());
        std::fputs(message.c_str(), stderr);
    }
}

std::wstring shown(const std::string& text) {
    return text::toUtf16Lossy(text);
}

std::string windowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, buffer.data(), length + 1);
    buffer.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text::fromUtf16(buffer);
}

void placeComboBox(HWND combo, const RECT& box, int dpi) {
    const int closed = box.bottom - box.top;
    ::SetWindowPos(combo, nullptr, box.left, box.top, box.right - box.left,
                   closed + scaled(200, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    // The closed box's height follows its selection field's; that is set to give the design's.
    RECT now{};
    ::GetWindowRect(combo, &now);
    const auto field = static_cast<int>(::SendMessageW(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0));
    const int wanted = field + closed - (now.bottom - now.top);
    if (wanted > 0 && wanted != field) {
        ::SendMessageW(combo, CB_SETITEMHEIGHT, WPARAM(-1), wanted);
    }
}

}  // namespace win32ui

wchar_t accessKeyOf(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') {
            continue;
        }
        const char next = caption[i + 1];
        if (next == '&') {
            ++i;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(next);
        return c < 0x80 ? static_cast<wchar_t>(std::tolower(c)) : 0;
    }
    return 0;
}

Win32ControlBase::Win32ControlBase(const ControlDesign& design, Win32Window& window, HWND parent,
                                   const wchar_t* className, DWORD style, DWORD exStyle)
    : m_window(window),
      m_name(design.name),
      m_typeName(typeNameOf(design.kind)),
      m_toolTip(design.toolTip),
      m_rect(design.rect) {
    const DWORD visible = design.initiallyVisible ? WS_VISIBLE : 0;
    if (!design.accessibleName.empty()) {
        // A screen reader names a control without a caption after the static text just before
        // it in the window's order; where no label shows, a hidden one names it.
        m_nameLabel = ::CreateWindowExW(0, L"STATIC", win32ui::shown(design.accessibleName).c_str(),
                                        WS_CHILD | SS_NOPREFIX, 0, 0, 0, 0, parent, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr);
    }
    m_handle =
        ::CreateWindowExW(exStyle, className, win32ui::shown(design.caption).c_str(),
                          WS_CHILD | WS_CLIPSIBLINGS | visible | style, 0, 0, 0, 0, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(window.nextControlId())),
                          ::GetModuleHandleW(nullptr), nullptr);
    if (m_handle == nullptr) {
        throw std::runtime_error("cannot create the control " + design.name);
    }
    ::SetPropW(m_handle, kControlProperty, this);
    window.addTool(m_handle);
}

Win32ControlBase::~Win32ControlBase() {
    detach();
}

void Win32ControlBase::detach() {
    if (!m_attached) {
        return;
    }
    m_attached = false;
    if (m_handle != nullptr && ::IsWindow(m_handle)) {
        ::RemovePropW(m_handle, kControlProperty);
        if (m_original != nullptr) {
            ::SetWindowLongPtrW(m_handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_original));
            m_original = nullptr;
        }
    }
}

Win32ControlBase* Win32ControlBase::from(HWND handle) {
    return handle == nullptr ? nullptr
                             : static_cast<Win32ControlBase*>(::GetPropW(handle, kControlProperty));
}

void Win32ControlBase::subclass(WNDPROC procedure) {
    m_original = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(m_handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

LRESULT Win32ControlBase::original(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::CallWindowProcW(m_original, m_handle, message, wParam, lParam);
}

RECT Win32ControlBase::pixels(const Rect& r, int dpi) {
    using win32ui::scaled;
    return RECT{scaled(r.left, dpi), scaled(r.top, dpi), scaled(r.left + r.width, dpi),
                scaled(r.top + r.height, dpi)};
}

bool Win32ControlBase::enabled() const {
    return (::GetWindowLongPtrW(m_handle, GWL_STYLE) & WS_DISABLED) == 0;
}

void Win32ControlBase::setEnabled(bool enabled) {
    ::EnableWindow(m_handle, enabled ? TRUE : FALSE);
}

bool Win32ControlBase::visible() const {
    return (::GetWindowLongPtrW(m_handle, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32ControlBase::setVisible(bool visible) {
    if (visible) {
        // A control shown in another's place (the progress bar over the status bar) comes on top,
        // still just after the label that names it.
        HWND after = HWND_TOP;
        if (m_nameLabel != nullptr) {
            ::SetWindowPos(m_nameLabel, HWND_TOP, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            after = m_nameLabel;
        }
        ::SetWindowPos(m_handle, after, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        // A run does not return to the message loop until it ends: the control paints now.
        ::UpdateWindow(m_handle);
    } else {
        ::ShowWindow(m_handle, SW_HIDE);
    }
}

void Win32ControlBase::setFocus() {
    ::SetFocus(m_handle);
}

void Win32ControlBase::setGeometry(const Rect& rect) {
    m_rect = rect;
    layout(m_window.dpi(), m_window.font());
}

void Win32ControlBase::layout(int dpi, HFONT font) {
    const RECT r = pixels(m_rect, dpi);
    ::SetWindowPos(m_handle, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(m_handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

}  // namespace qm::platform
