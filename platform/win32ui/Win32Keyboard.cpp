#include "platform/win32ui/Win32Keyboard.h"

#include <algorithm>
#include <cwctype>
#include <memory>
#include <string>

#include "platform/win32ui/Win32Controls.h"
#include "platform/win32ui/Win32DriveList.h"
#include "platform/win32ui/Win32Window.h"

namespace qm::platform {

using win32ui::raiseFromUser;

namespace {

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

// Whether `control` is a drop-down list showing its list.
bool listOpen(const Win32ControlBase* control) {
    return (dynamic_cast<const Win32ComboBox*>(control) != nullptr ||
            dynamic_cast<const Win32DriveList*>(control) != nullptr) &&
           ::SendMessageW(control->handle(), CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

}  // namespace

Win32ControlBase* Win32Keyboard::focusedControl() const {
    const HWND window = m_window.handle();
    HWND focus = ::GetFocus();
    if (focus == nullptr || !::IsChild(window, focus)) {
        return nullptr;
    }
    for (; focus != nullptr && focus != window; focus = ::GetParent(focus)) {
        if (auto* control = Win32ControlBase::from(focus)) {
            return control;
        }
    }
    return nullptr;
}

bool Win32Keyboard::preTranslate(MSG& message) {
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

void Win32Keyboard::showCues(WORD cues) {
    const HWND window = m_window.handle();
    if ((::SendMessageW(window, WM_QUERYUISTATE, 0, 0) & cues) != 0) {
        ::SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, cues), 0);
    }
}

bool Win32Keyboard::keyDown(const MSG& message) {
    const WPARAM key = message.wParam;
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    const bool alt = message.message == WM_SYSKEYDOWN || ::GetKeyState(VK_MENU) < 0;
    // Whoever works with the keyboard sees where the focus is and which letters are access keys,
    // as in a dialog, however the window came up.
    if (alt) {
        showCues(UISF_HIDEFOCUS | UISF_HIDEACCEL);
        return false;
    }
    if (key == VK_TAB || (key >= VK_PRIOR && key <= VK_DOWN)) {
        showCues(UISF_HIDEFOCUS);
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
            if (listOpen(focusedControl())) {
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

bool Win32Keyboard::menuShortcut(WPARAM key) {
    if (!((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))) {
        return false;
    }
    const std::string shortcut = std::string("Ctrl+") + static_cast<char>(key);
    for (Win32MenuItem* item : m_window.m_menus) {
        if (item->shortcut() != shortcut) {
            continue;
        }
        // The states the menu would show if it were opened now: the key then does what the
        // item would.
        const std::shared_ptr<bool> alive = m_window.m_alive;
        for (Win32MenuItem* menu : m_window.m_menus) {
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

bool Win32Keyboard::dialogKey(WPARAM key) {
    Win32Button* button = nullptr;
    if (key == VK_RETURN) {
        if (auto* focused = dynamic_cast<Win32Button*>(focusedControl())) {
            // In a dialog Enter presses the focused button; in the main window it is typed.
            if (m_window.kind() != Win32Window::Kind::Dialog) {
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

void Win32Keyboard::typed(int character) {
    if (!m_window.onKeyPress) {
        return;
    }
    int key = character;
    const auto handler = m_window.onKeyPress;
    raiseFromUser([&] { handler(key); });
}

bool Win32Keyboard::character(MSG& message) {
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
    if (m_window.onKeyPress) {
        const std::shared_ptr<bool> alive = m_window.m_alive;
        const auto handler = m_window.onKeyPress;
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

bool Win32Keyboard::accessKey(wchar_t key) {
    if (key == 0) {
        return false;
    }
    for (Win32ControlBase* control : m_window.m_controls) {
        if (control->accessKey() == key && usable(control->handle()) &&
            usable(::GetParent(control->handle()))) {
            control->accessKeyPressed();
            return true;
        }
    }
    return false;  // the menu bar's, if any
}

void Win32Keyboard::moveFocus(int step) {
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

bool Win32Keyboard::moveInGroup(int step) {
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

void Win32Keyboard::activated(bool active) {
    const HWND window = m_window.handle();
    if (!active) {
        const HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(window, focus)) {
            m_lastFocus = focus;
        }
    } else if (m_lastFocus != nullptr && ::IsWindow(m_lastFocus) &&
               ::IsChild(window, m_lastFocus) && usable(m_lastFocus)) {
        ::SetFocus(m_lastFocus);
    } else if (const HWND focus = ::GetFocus(); focus == nullptr || !::IsChild(window, focus)) {
        moveFocus(1);
    }
}

}  // namespace qm::platform
