#include "platform/win32ui/Win32DriveList.h"

#include "platform/win32ui/Win32Window.h"

namespace qm::platform {

using win32ui::ProgramChange;
using win32ui::shown;

namespace {

// Posted to the list when it has lost the focus: the entry shown applies once the focus has
// moved (nothing may open a window while the focus is changing).
constexpr UINT kFocusLeft = WM_APP + 2;

}  // namespace

Win32DriveList::Win32DriveList(const ControlDesign& design, Win32Window& window, HWND parent,
                               const DriveQuery& drives)
    : DriveListBase(drives),
      Win32ControlBase(design, window, parent, L"COMBOBOX",
                       WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0) {
    showEntries();
    subclass(&Win32DriveList::procedure);
}

void Win32DriveList::layout(int dpi, HFONT font) {
    Win32ControlBase::layout(dpi, font);
    win32ui::placeComboBox(m_handle, pixels(geometry(), dpi), dpi);
}

void Win32DriveList::showEntries() {
    const ProgramChange change(m_programChange);
    ::SendMessageW(m_handle, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < listCount(); ++i) {
        ::SendMessageW(m_handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown(list(i)).c_str()));
    }
    ::SendMessageW(m_handle, CB_SETCURSEL, static_cast<WPARAM>(currentIndex()), 0);
}

bool Win32DriveList::dropped() const {
    return ::SendMessageW(m_handle, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

LRESULT CALLBACK Win32DriveList::procedure(HWND handle, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    auto* self = static_cast<Win32DriveList*>(ofSubclass(handle));
    if (self == nullptr) {
        return ::DefWindowProcW(handle, message, wParam, lParam);
    }
    switch (message) {
        case WM_KEYDOWN:
        case WM_CHAR: {
            // What the keys do to the closed list is a move, not a choice.
            self->m_keyMove = !self->dropped();
            const LRESULT result = self->original(message, wParam, lParam);
            self->m_keyMove = false;
            return result;
        }
        case WM_KILLFOCUS:
            ::PostMessageW(handle, kFocusLeft, 0, 0);
            break;
        case kFocusLeft: {
            // Only for another control of the same window, not for another window or program
            // taking the keyboard.
            const HWND focus = ::GetFocus();
            if (focus != handle && focus != nullptr && ::IsChild(self->window().handle(), focus)) {
                self->chooseShown();
            }
            return 0;
        }
        default:
            break;
    }
    return self->original(message, wParam, lParam);
}

void Win32DriveList::command(int code) {
    if (m_programChange) {
        return;
    }
    switch (code) {
        case CBN_DROPDOWN:
            m_cancelled = false;
            break;
        case CBN_SELENDCANCEL:
            m_cancelled = true;
            break;
        case CBN_CLOSEUP:
            if (m_cancelled) {
                // Escape, or a click elsewhere: the list shows the current drive again.
                m_cancelled = false;
                showEntries();
            } else {
                chooseShown();
            }
            break;
        case CBN_SELCHANGE:
            // A choice made with the mouse (the wheel, or a click as the list closes); moves in
            // the open list wait for it to close, keys in the closed one for the focus to leave.
            if (!m_keyMove && !dropped()) {
                chooseShown();
            }
            break;
        default:
            break;
    }
}

void Win32DriveList::chooseShown() {
    const auto index = static_cast<int>(::SendMessageW(m_handle, CB_GETCURSEL, 0, 0));
    if (index < 0 || index >= listCount() || index == currentIndex()) {
        return;
    }
    win32ui::raiseFromUser([&] {
        if (userChose(index)) {
            raise(onChange);
        }
    });
}

}  // namespace qm::platform
