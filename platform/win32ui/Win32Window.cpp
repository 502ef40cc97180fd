#include "platform/win32ui/Win32Window.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "platform/win32ui/Win32Controls.h"
#include "platform/win32ui/Win32Dpi.h"
#include "platform/win32ui/Win32Ui.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

namespace qm::platform {

using win32ui::raiseFromUser;
using win32ui::scaled;
using win32ui::shown;

namespace {

// Posted to a window whose object went while one of its window procedures still ran.
constexpr UINT kDestroyLater = WM_APP + 1;
constexpr UINT kFirstMenuId = 40000;

// The frame window holding option buttons passes what they report on to the window.
LRESULT CALLBACK frameProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
            return ::SendMessageW(::GetAncestor(handle, GA_ROOT), message, wParam, lParam);
        default:
            return ::DefWindowProcW(handle, message, wParam, lParam);
    }
}

}  // namespace

DWORD Win32Window::styleOf(Kind kind) {
    const DWORD common = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    return kind == Kind::Main ? WS_OVERLAPPED | WS_MINIMIZEBOX | common : WS_POPUP | common;
}

DWORD Win32Window::exStyleOf(Kind kind) {
    return WS_EX_CONTROLPARENT | (kind == Kind::Dialog ? WS_EX_DLGMODALFRAME : 0);
}

void Win32Window::registerClasses() {
    static const bool registered = [] {
        const HINSTANCE instance = ::GetModuleHandleW(nullptr);
        WNDCLASSEXW window{};
        window.cbSize = sizeof window;
        window.lpfnWndProc = &Win32Window::procedure;
        window.hInstance = instance;
        window.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        // The program's icon (resource 1) where the program file has one.
        window.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
        if (window.hIcon == nullptr) {
            window.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
        }
        window.lpszClassName = kWindowClass;
        ::RegisterClassExW(&window);
        WNDCLASSEXW frame{};
        frame.cbSize = sizeof frame;
        frame.lpfnWndProc = &frameProcedure;
        frame.hInstance = instance;
        frame.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        frame.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
        frame.lpszClassName = kFrameClass;
        ::RegisterClassExW(&frame);
        return true;
    }();
    (void)registered;
}

Win32Window::Win32Window(const FormDesign& design, Kind kind, Win32Ui& ui)
    : m_ui(ui),
      m_name(design.name),
      m_caption(design.caption),
      m_designCaption(design.caption),
      m_kind(kind),
      m_designWidth(design.width),
      m_designHeight(design.height),
      m_systemMenu(m_handle),
      m_surface(design.width, design.height) {
    registerClasses();
    m_handle =
        ::CreateWindowExW(exStyleOf(kind), kWindowClass, shown(design.caption).c_str(),
                          styleOf(kind), 0, 0, scaled(design.width, 96), scaled(design.height, 96),
                          nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
    if (m_handle == nullptr) {
        throw std::runtime_error("cannot create the window " + design.name);
    }
    m_dpi = win32ui::dpiOf(m_handle);
    setIcons();
    m_font = win32ui::createDialogFont(m_dpi);
    ::SetPropW(m_handle, kFontProperty, m_font);
    m_toolTips = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_handle, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(m_toolTips, TTM_SETMAXTIPWIDTH, 0, pixels(400));
    m_surface.onChange = [this] {
        if (m_background != nullptr) {
            ::DeleteObject(m_background);
            m_background = nullptr;
        }
        ::InvalidateRect(m_handle, nullptr, TRUE);
    };
    m_ui.windowCreated(this);
}

Win32Window::~Win32Window() {
    *m_alive = false;
    for (HWND window : m_disabled) {
        ::EnableWindow(window, TRUE);
    }
    m_ui.windowGone(this);
    ::SetWindowLongPtrW(m_handle, GWLP_USERDATA, 0);
    if (m_depth > 0) {
        // One of its own window procedures is still running: the window goes once it returns.
        ::ShowWindow(m_handle, SW_HIDE);
        ::PostMessageW(m_handle, kDestroyLater, 0, 0);
    } else {
        ::DestroyWindow(m_handle);
    }
    if (m_background != nullptr) {
        ::DeleteObject(m_background);
    }
    // The window may outlive this object for a moment: it lets go of the icons first.
    ::SendMessageW(m_handle, WM_SETICON, ICON_SMALL, 0);
    ::SendMessageW(m_handle, WM_SETICON, ICON_BIG, 0);
    for (HICON icon : {m_smallIcon, m_largeIcon}) {
        if (icon != nullptr) {
            ::DestroyIcon(icon);
        }
    }
}

Win32Window* Win32Window::from(HWND handle) {
    if (handle == nullptr) {
        return nullptr;
    }
    wchar_t className[32] = {};
    ::GetClassNameW(handle, className, 32);
    if (std::wstring_view(className) != kWindowClass) {
        return nullptr;
    }
    return reinterpret_cast<Win32Window*>(::GetWindowLongPtrW(handle, GWLP_USERDATA));
}

LRESULT CALLBACK Win32Window::procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(handle, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Window*>(::GetWindowLongPtrW(handle, GWLP_USERDATA));
    if (self == nullptr) {
        if (message == kDestroyLater) {
            ::DestroyWindow(handle);
            return 0;
        }
        if (message == WM_NCDESTROY) {
            // The font goes with the last window that uses it.
            if (auto font = static_cast<HFONT>(::RemovePropW(handle, kFontProperty))) {
                ::DeleteObject(font);
            }
        }
        return ::DefWindowProcW(handle, message, wParam, lParam);
    }
    if (self->m_handle == nullptr) {
        self->m_handle = handle;
    }
    const std::shared_ptr<bool> alive = self->m_alive;
    ++self->m_depth;
    const LRESULT result = self->handle(message, wParam, lParam);
    if (*alive) {
        --self->m_depth;
    }
    return result;
}

LRESULT Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0) {
                if (auto* control = Win32ControlBase::from(reinterpret_cast<HWND>(lParam))) {
                    control->command(HIWORD(wParam));
                }
                return 0;
            }
            if (HIWORD(wParam) == 0) {
                for (Win32MenuItem* item : m_menus) {
                    if (item->popup() == nullptr && item->id() == LOWORD(wParam)) {
                        raiseFromUser(item->onClick);
                        break;
                    }
                }
            }
            return 0;
        case WM_NOTIFY:
            return notify(*reinterpret_cast<NMHDR*>(lParam));
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (auto* control = Win32ControlBase::from(item.hwndItem)) {
                control->drawItem(item);
                return TRUE;
            }
            break;
        }
        case WM_INITMENUPOPUP:
            if (HIWORD(lParam) == 0) {
                // A menu's own event is its opening: the Edit menu works out its items' states.
                for (Win32MenuItem* menu : m_menus) {
                    if (menu->popup() == reinterpret_cast<HMENU>(wParam)) {
                        raiseFromUser(menu->onClick);
                        break;
                    }
                }
            }
            return 0;
        case WM_CLOSE:
            userClose();
            return 0;
        case WM_SYSCOMMAND:
            // Without its Close item the window cannot be closed by the user at all.
            if ((wParam & 0xFFF0) == SC_CLOSE && !m_systemMenu.closeEnabled()) {
                return 0;
            }
            break;
        case WM_QUERYENDSESSION:
            // Only a question: another program may still refuse, and the session goes on.
            return TRUE;
        case WM_ENDSESSION:
            // The session ends once every program has returned from this: the window takes its
            // way out now, its handler first.
            if (wParam != 0 && m_loaded && askToClose(CloseReason::SessionEnding)) {
                close();
            }
            return 0;
        case WM_ACTIVATE:
            m_keyboard.activated(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_SETCURSOR:
            if (m_ui.busy()) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_ERASEBKGND:
            paintBackground(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_DPICHANGED:
            dpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_GETDPISCALEDSIZE:
            *reinterpret_cast<SIZE*>(lParam) = sizeAt(static_cast<int>(wParam));
            return TRUE;
        default:
            break;
    }
    return ::DefWindowProcW(m_handle, message, wParam, lParam);
}

LRESULT Win32Window::notify(NMHDR& header) {
    if (header.code == TTN_GETDISPINFOW) {
        auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
        const auto tool = reinterpret_cast<HWND>(header.idFrom);
        Win32ControlBase* control = Win32ControlBase::from(tool);
        if (control == nullptr) {
            control = Win32ControlBase::from(::GetParent(tool));  // a combo box's edit field
        }
        m_toolTipText = control != nullptr ? shown(control->toolTipText()) : std::wstring();
        info.lpszText = m_toolTipText.data();
        info.szText[0] = L'\0';
        info.hinst = nullptr;
        return 0;
    }
    if (auto* control = Win32ControlBase::from(header.hwndFrom)) {
        return control->notify(header);
    }
    return 0;
}

void Win32Window::addTool(HWND tool) {
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = m_handle;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(m_toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void Win32Window::toolTipChanged() {
    // Started afresh, the tooltip asks for its text again when it next shows.
    ::SendMessageW(m_toolTips, TTM_ACTIVATE, FALSE, 0);
    ::SendMessageW(m_toolTips, TTM_ACTIVATE, TRUE, 0);
}

std::unique_ptr<Win32MenuItem> Win32Window::addMenuItem(const MenuDesign& design) {
    if (m_menuBar == nullptr) {
        m_menuBar = ::CreateMenu();
    }
    std::wstring caption = shown(design.caption);
    std::unique_ptr<Win32MenuItem> item;
    if (design.parent.empty()) {
        const HMENU popup = ::CreatePopupMenu();
        const int position = ::GetMenuItemCount(m_menuBar);
        ::AppendMenuW(m_menuBar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                      caption.c_str());
        item =
            std::make_unique<Win32MenuItem>(design, m_menuBar, static_cast<UINT>(position), popup);
    } else {
        const auto parent = std::find_if(m_menus.begin(), m_menus.end(), [&](Win32MenuItem* m) {
            return m->popup() != nullptr && m->name() == design.parent;
        });
        if (parent == m_menus.end()) {
            throw std::logic_error("a menu item before its menu: " + design.name);
        }
        const UINT id = kFirstMenuId + static_cast<UINT>(m_menus.size());
        if (design.caption == "-") {
            ::AppendMenuW((*parent)->popup(), MF_SEPARATOR, id, nullptr);
        } else {
            if (!design.shortcut.empty()) {
                caption += L"\t" + shown(design.shortcut);
            }
            ::AppendMenuW((*parent)->popup(), MF_STRING, id, caption.c_str());
        }
        item = std::make_unique<Win32MenuItem>(design, (*parent)->popup(), id, nullptr);
    }
    m_menus.push_back(item.get());
    return item;
}

void Win32Window::paintBackground(HDC dc) {
    RECT client{};
    ::GetClientRect(m_handle, &client);
    if (!m_surface.painted()) {
        ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    const HDC memory = ::CreateCompatibleDC(dc);
    if (m_background == nullptr) {
        m_background = ::CreateCompatibleBitmap(dc, client.right, client.bottom);
        const HGDIOBJ old = ::SelectObject(memory, m_background);
        ::FillRect(memory, &client, ::GetSysColorBrush(COLOR_BTNFACE));
        m_surface.draw(memory, m_dpi);
        ::SelectObject(memory, old);
    }
    const HGDIOBJ old = ::SelectObject(memory, m_background);
    ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

bool Win32Window::enabled() const {
    return ::IsWindowEnabled(m_handle) != FALSE;
}

void Win32Window::setEnabled(bool enabled) {
    ::EnableWindow(m_handle, enabled ? TRUE : FALSE);
}

bool Win32Window::visible() const {
    return ::IsWindowVisible(m_handle) != FALSE;
}

void Win32Window::setVisible(bool visible) {
    if (visible) {
        show();
    } else {
        hide();
    }
}

void Win32Window::setFocus() {
    ::SetForegroundWindow(m_handle);
    ::BringWindowToTop(m_handle);
}

Rect Win32Window::geometry() const {
    RECT r{};
    ::GetWindowRect(m_handle, &r);
    return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Win32Window::setGeometry(const Rect& rect) {
    ::SetWindowPos(m_handle, nullptr, rect.left, rect.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_placed = true;
}

void Win32Window::setCaption(const std::string& caption) {
    m_caption = caption;
    ::SetWindowTextW(m_handle, shown(caption).c_str());
}

void Win32Window::setOwner() {
    if (m_kind != Kind::Dialog) {
        return;
    }
    // Owned by the window on top: it stays in front of it and goes with it.
    const HWND owner = m_ui.windowOnTop(this);
    if (reinterpret_cast<HWND>(::GetWindowLongPtrW(m_handle, GWLP_HWNDPARENT)) != owner) {
        ::SetWindowLongPtrW(m_handle, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    }
}

void Win32Window::show() {
    if (!m_loaded) {
        throw std::logic_error("showing an unloaded window");
    }
    setOwner();
    if (!m_placed) {
        placeFirstTime();
    }
    if (!visible()) {
        for (Win32ControlBase* control : m_controls) {
            control->beforeShown();
        }
    }
    ::ShowWindow(m_handle, SW_SHOW);
    // Nothing else may give a window the keyboard (no window manager, say): it takes it.
    ::SetForegroundWindow(m_handle);
    ::SetActiveWindow(m_handle);
    const HWND focus = ::GetFocus();
    if (focus == nullptr || (focus != m_handle && !::IsChild(m_handle, focus))) {
        m_keyboard.moveFocus(1);
    }
    ::UpdateWindow(m_handle);
    if (m_kind == Kind::Main) {
        m_ui.mainWindowShown();
    }
}

void Win32Window::showModal() {
    if (!m_loaded) {
        throw std::logic_error("showing an unloaded window");
    }
    if (m_modal) {
        return;
    }
    setOwner();
    m_disabled = m_ui.disableOthers(this);
    m_modal = true;
    show();
    const std::shared_ptr<bool> alive = m_alive;
    m_ui.runModal([&] { return !*alive || !m_modal; });
    if (*alive && m_modal) {
        // The program is ending (a quit came while the window was up).
        hide();
    }
}

void Win32Window::hide() {
    if (m_modal) {
        m_modal = false;
        // The owner first, so that it is the one the system activates when this one hides.
        for (HWND window : m_disabled) {
            ::EnableWindow(window, TRUE);
        }
        m_disabled.clear();
    }
    ::ShowWindow(m_handle, SW_HIDE);
}

void Win32Window::renew() {
    hide();
    m_loaded = true;
    m_placed = false;
    onQueryUnload = nullptr;
    onKeyPress = nullptr;
    if (m_caption != m_designCaption) {
        setCaption(m_designCaption);
    }
    // The default system menu again, Close included, for the program to take away or keep.
    ::GetSystemMenu(m_handle, TRUE);
    m_keyboard.forget();
}

void Win32Window::madeAgain() {
    m_ui.windowGone(this);
    m_ui.windowCreated(this);
}

void Win32Window::unload() {
    if (m_loaded && askToClose(CloseReason::Code)) {
        close();
    }
}

bool Win32Window::askToClose(CloseReason reason) {
    bool cancel = false;
    if (!onQueryUnload) {
        return true;
    }
    const auto handler = onQueryUnload;
    if (reason == CloseReason::Code) {
        handler(reason, cancel);
        return !cancel;
    }
    raiseFromUser([&] { handler(reason, cancel); });
    return !cancel;
}

void Win32Window::close() {
    m_loaded = false;
    hide();
}

void Win32Window::userClose() {
    if (!m_loaded || !m_systemMenu.closeEnabled()) {
        return;
    }
    const std::shared_ptr<bool> alive = m_alive;
    const bool close = askToClose(CloseReason::ControlMenu);
    if (*alive && close && m_loaded) {
        this->close();
    }
}

Control* Win32Window::activeControl() const {
    return m_keyboard.focusedControl();
}

bool Win32Window::preTranslate(MSG& message) {
    return m_keyboard.preTranslate(message);
}

}  // namespace qm::platform
