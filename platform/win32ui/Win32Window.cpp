#include "platform/win32ui/Win32Window.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <stdexcept>

#include "base/RunError.h"
#include "base/Utf16.h"
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
constexpr const wchar_t* kFontProperty = L"Quillmote.Font";
constexpr UINT kFirstMenuId = 40000;

DWORD styleOf(Win32Window::Kind kind) {
    const DWORD common = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    return kind == Win32Window::Kind::Main ? WS_OVERLAPPED | WS_MINIMIZEBOX | common
                                           : WS_POPUP | common;
}

DWORD exStyleOf(Win32Window::Kind kind) {
    return WS_EX_CONTROLPARENT | (kind == Win32Window::Kind::Dialog ? WS_EX_DLGMODALFRAME : 0);
}

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

bool isHighSurrogate(int unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(int unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void dispatchCharacter(const MSG& like, wchar_t unit) {
    MSG copy = like;
    copy.wParam = unit;
    ::DispatchMessageW(&copy);
}

bool usable(HWND handle) {
    return ::IsWindowVisible(handle) && ::IsWindowEnabled(handle);
}

}  // namespace

// ---- system menu

HMENU Win32SystemMenu::menu() const {
    return ::GetSystemMenu(m_window, FALSE);
}

int Win32SystemMenu::itemCount() const {
    const int count = ::GetMenuItemCount(menu());
    if (count < 0) {
        throw RunError(kInvalidProcedureCall);
    }
    return count;
}

std::string Win32SystemMenu::itemText(int position) const {
    if (position < 0 || position >= itemCount()) {
        throw RunError(kInvalidProcedureCall);
    }
    wchar_t text[260] = {};
    ::GetMenuStringW(menu(), static_cast<UINT>(position), text, 260, MF_BYPOSITION);
    return text::fromUtf16(text);
}

void Win32SystemMenu::removeItem(int position) {
    if (position < 0 || position >= itemCount() ||
        !::RemoveMenu(menu(), static_cast<UINT>(position), MF_BYPOSITION)) {
        throw RunError(kInvalidProcedureCall);
    }
}

void Win32SystemMenu::redraw() {
    ::DrawMenuBar(m_window);
}

bool Win32SystemMenu::closeEnabled() const {
    return ::GetMenuState(menu(), SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

// ---- surface

double Win32Surface::unitsX() const {
    if (m_state.scaleWidth > 0) {
        return m_width / m_state.scaleWidth;
    }
    switch (m_state.scaleMode) {
        case 1:
            return 96.0 / 1440.0;  // twips
        case 2:
            return 96.0 / 72.0;  // points
        default:
            return 1.0;  // pixels
    }
}

double Win32Surface::unitsY() const {
    if (m_state.scaleHeight > 0) {
        return m_height / m_state.scaleHeight;
    }
    switch (m_state.scaleMode) {
        case 1:
            return 96.0 / 1440.0;
        case 2:
            return 96.0 / 72.0;
        default:
            return 1.0;
    }
}

void Win32Surface::fillBox(double x1, double y1, double x2, double y2, Rgb color) {
    const double sx = unitsX();
    const double sy = unitsY();
    m_boxes.push_back(Box{std::min(x1, x2) * sx, std::min(y1, y2) * sy, std::max(x1, x2) * sx,
                          std::max(y1, y2) * sy, color});
    if (onChange) {
        onChange();
    }
}

void Win32Surface::draw(HDC dc, int dpi) const {
    const double scale = dpi / 96.0;
    for (const Box& box : m_boxes) {
        const auto channel = [](std::uint8_t value) {
            return static_cast<COLOR16>(static_cast<unsigned>(value) << 8);
        };
        TRIVERTEX corners[2] = {};
        corners[0].x = static_cast<LONG>(box.left * scale + 0.5);
        corners[0].y = static_cast<LONG>(box.top * scale + 0.5);
        corners[1].x = static_cast<LONG>(box.right * scale + 0.5);
        corners[1].y = static_cast<LONG>(box.bottom * scale + 0.5);
        for (TRIVERTEX& corner : corners) {
            corner.Red = channel(box.color.red);
            corner.Green = channel(box.color.green);
            corner.Blue = channel(box.color.blue);
        }
        GRADIENT_RECT rect{0, 1};
        ::GradientFill(dc, corners, 2, &rect, 1, GRADIENT_FILL_RECT_H);
    }
}

// ---- window

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
            return !m_loaded || askToClose(CloseReason::SessionEnding) ? TRUE : FALSE;
        case WM_ENDSESSION:
            if (wParam != 0 && m_loaded) {
                close();
            }
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = ::GetFocus();
                if (focus != nullptr && ::IsChild(m_handle, focus)) {
                    m_lastFocus = focus;
                }
            } else if (m_lastFocus != nullptr && ::IsWindow(m_lastFocus) &&
                       ::IsChild(m_handle, m_lastFocus) && usable(m_lastFocus)) {
                ::SetFocus(m_lastFocus);
            } else if (const HWND focus = ::GetFocus();
                       focus == nullptr || !::IsChild(m_handle, focus)) {
                moveFocus(1);
            }
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
        case WM_GETDPISCALEDSIZE: {
            const int dpi = static_cast<int>(wParam);
            const RECT client{0, 0, scaled(m_designWidth, dpi), scaled(m_designHeight, dpi)};
            const RECT outer = win32ui::windowRectFor(client, styleOf(m_kind), exStyleOf(m_kind),
                                                      m_menuBar != nullptr, dpi);
            auto* size = reinterpret_cast<SIZE*>(lParam);
            size->cx = outer.right - outer.left;
            size->cy = outer.bottom - outer.top;
            return TRUE;
        }
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
    if (old != nullptr) {
        ::DeleteObject(old);
    }
    if (m_background != nullptr) {
        ::DeleteObject(m_background);
        m_background = nullptr;
    }
    ::InvalidateRect(m_handle, nullptr, TRUE);
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

void Win32Window::show() {
    if (!m_loaded) {
        throw std::logic_error("showing an unloaded window");
    }
    setOwner();
    if (!m_placed) {
        placeFirstTime();
    }
    ::ShowWindow(m_handle, SW_SHOW);
    // Nothing else may give a window the keyboard (no window manager, say): it takes it.
    ::SetForegroundWindow(m_handle);
    ::SetActiveWindow(m_handle);
    const HWND focus = ::GetFocus();
    if (focus == nullptr || (focus != m_handle && !::IsChild(m_handle, focus))) {
        moveFocus(1);
    }
    ::UpdateWindow(m_handle);
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

// ---- keyboard

Win32ControlBase* Win32Window::focusedControl() const {
    HWND focus = ::GetFocus();
    if (focus == nullptr || !::IsChild(m_handle, focus)) {
        return nullptr;
    }
    for (; focus != nullptr && focus != m_handle; focus = ::GetParent(focus)) {
        if (auto* control = Win32ControlBase::from(focus)) {
            return control;
        }
    }
    return nullptr;
}

Control* Win32Window::activeControl() const {
    return focusedControl();
}

bool Win32Window::preTranslate(MSG& message) {
    switch (message.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            return keyDown(message);
        case WM_CHAR:
            return character(message);
        case WM_SYSCHAR:
            return accessKey(
                static_cast<wchar_t>(std::towlower(static_cast<wint_t>(message.wParam))));
        default:
            return false;
    }
}

bool Win32Window::keyDown(const MSG& message) {
    const WPARAM key = message.wParam;
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    const bool alt = message.message == WM_SYSKEYDOWN || ::GetKeyState(VK_MENU) < 0;
    if (alt) {
        return false;
    }
    if (ctrl) {
        return menuShortcut(key);
    }
    switch (key) {
        case VK_TAB:
            moveFocus(shift ? -1 : 1);
            return true;
        case VK_RETURN:
        case VK_ESCAPE: {
            // An open drop-down list closes with them.
            if (auto* combo = dynamic_cast<Win32ComboBox*>(focusedControl());
                combo != nullptr && ::SendMessageW(combo->handle(), CB_GETDROPPEDSTATE, 0, 0)) {
                return false;
            }
            if (!shift && dialogKey(key)) {
                return true;
            }
            // No control here does anything with the character: the window has it.
            typed(key == VK_RETURN ? 13 : 27);
            return true;
        }
        case VK_UP:
        case VK_LEFT:
            return moveInGroup(-1);
        case VK_DOWN:
        case VK_RIGHT:
            return moveInGroup(1);
        default:
            return false;
    }
}

bool Win32Window::menuShortcut(WPARAM key) {
    if (!((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))) {
        return false;
    }
    const std::string shortcut = std::string("Ctrl+") + static_cast<char>(key);
    for (Win32MenuItem* item : m_menus) {
        if (item->shortcut() != shortcut) {
            continue;
        }
        // The states the menu would show if it were opened now: the key then does what the
        // item would.
        const std::shared_ptr<bool> alive = m_alive;
        for (Win32MenuItem* menu : m_menus) {
            if (menu->popup() != nullptr && menu->name() == item->parentName()) {
                raiseFromUser(menu->onClick);
                break;
            }
        }
        if (!*alive || !item->enabled()) {
            return *alive ? false : true;
        }
        raiseFromUser(item->onClick);
        return true;
    }
    return false;
}

bool Win32Window::dialogKey(WPARAM key) {
    Win32Button* button = nullptr;
    if (key == VK_RETURN) {
        if (auto* focused = dynamic_cast<Win32Button*>(focusedControl())) {
            // In a dialog Enter presses the focused button; in the main window it is typed.
            if (m_kind != Kind::Dialog) {
                return false;
            }
            button = focused;
        } else {
            button = m_defaultButton;
        }
    } else if (key == VK_ESCAPE) {
        button = m_cancelButton;
    }
    if (button == nullptr || !usable(button->handle())) {
        return false;
    }
    button->click();
    return true;
}

void Win32Window::typed(int character) {
    if (!onKeyPress) {
        return;
    }
    int key = character;
    const auto handler = onKeyPress;
    raiseFromUser([&] { handler(key); });
}

bool Win32Window::character(MSG& message) {
    const int unit = static_cast<int>(message.wParam);
    if (isHighSurrogate(unit)) {
        m_highSurrogate = static_cast<wchar_t>(unit);
        return true;  // seen with its second half
    }
    const wchar_t high = m_highSurrogate;
    m_highSurrogate = 0;
    const int typed = high != 0 && isLowSurrogate(unit)
                          ? 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00)
                          : unit;
    int key = typed;
    if (onKeyPress) {
        const std::shared_ptr<bool> alive = m_alive;
        const auto handler = onKeyPress;
        raiseFromUser([&] { handler(key); });
        if (!*alive) {
            return true;
        }
    }
    if (key == 0) {
        return true;
    }
    if (key >= 0x10000) {
        dispatchCharacter(message, static_cast<wchar_t>(0xD800 + ((key - 0x10000) >> 10)));
        dispatchCharacter(message, static_cast<wchar_t>(0xDC00 + ((key - 0x10000) & 0x3FF)));
        return true;
    }
    message.wParam = static_cast<WPARAM>(key);
    return false;
}

bool Win32Window::accessKey(wchar_t key) {
    if (key == 0) {
        return false;
    }
    for (Win32ControlBase* control : m_controls) {
        if (control->accessKey() == key && usable(control->handle()) &&
            usable(::GetParent(control->handle()))) {
            control->accessKeyPressed();
            return true;
        }
    }
    return false;  // the menu bar's, if any
}

void Win32Window::moveFocus(int step) {
    Win32ControlBase* current = focusedControl();
    const auto* currentOption = dynamic_cast<Win32OptionButton*>(current);
    std::vector<Win32ControlBase*> stops;
    int at = -1;
    for (Win32ControlBase* stop : m_tabStops) {
        if (!usable(stop->handle()) || !usable(::GetParent(stop->handle()))) {
            continue;
        }
        // An option group is one stop: its chosen option (the focused one while in the group).
        if (auto* option = dynamic_cast<Win32OptionButton*>(stop)) {
            const auto& group = option->group();
            const bool inGroup = currentOption != nullptr && currentOption->group() == group;
            const bool anyChosen = std::any_of(
                group.begin(), group.end(), [](const Win32OptionButton* o) { return o->value(); });
            const bool isStop = inGroup
                                    ? option == currentOption
                                    : option->value() || (!anyChosen && option == group.front());
            if (!isStop) {
                continue;
            }
        }
        if (stop == current) {
            at = static_cast<int>(stops.size());
        }
        stops.push_back(stop);
    }
    if (stops.empty()) {
        return;
    }
    const int count = static_cast<int>(stops.size());
    const int next = at < 0 ? (step > 0 ? 0 : count - 1) : ((at + step) % count + count) % count;
    Win32ControlBase* target = stops[static_cast<std::size_t>(next)];
    ::SetFocus(target->handle());
    // As in a dialog: a text box reached with Tab has its text selected.
    if (dynamic_cast<Win32TextBox*>(target) != nullptr) {
        ::SendMessageW(target->handle(), EM_SETSEL, 0, -1);
    } else if (dynamic_cast<Win32ComboBox*>(target) != nullptr) {
        ::SendMessageW(target->handle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    }
}

bool Win32Window::moveInGroup(int step) {
    auto* option = dynamic_cast<Win32OptionButton*>(focusedControl());
    if (option == nullptr) {
        return false;
    }
    const auto& group = option->group();
    const auto count = static_cast<int>(group.size());
    const int at = static_cast<int>(std::find(group.begin(), group.end(), option) - group.begin());
    for (int i = 1; i < count; ++i) {
        Win32OptionButton* next =
            group[static_cast<std::size_t>(((at + step * i) % count + count) % count)];
        if (usable(next->handle())) {
            next->choose();
            return true;
        }
    }
    return true;
}

}  // namespace qm::platform
