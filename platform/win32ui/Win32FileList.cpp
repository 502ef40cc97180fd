#include "platform/win32ui/Win32FileList.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>

#include "base/PathRules.h"
#include "base/RunError.h"
#include "platform/win32ui/Win32Window.h"

namespace qm::platform {

using win32ui::raiseFromUser;
using win32ui::shown;

namespace {

// Typed letters within this time of each other make one name to look for.
constexpr DWORD kTypeAheadMs = 1000;

bool startsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::towlower(static_cast<wint_t>(text[i])) !=
            std::towlower(static_cast<wint_t>(prefix[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

Win32FileList::Win32FileList(const ControlDesign& design, Win32Window& window, HWND parent,
                             const FileSystem& files, const text::CaseMapper& mapper)
    : Win32ControlBase(
          design, window, parent, WC_LISTVIEWW,
          WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_OWNERDATA | LVS_SHOWSELALWAYS,
          WS_EX_CLIENTEDGE),
      m_model(files, mapper) {
    ::SendMessageW(m_handle, LVM_SETEXTENDEDLISTVIEWSTYLE,
                   LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                   LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    // The control asks for each row's selected flag as it draws it: the model holds them all.
    ::SendMessageW(m_handle, LVM_SETCALLBACKMASK, LVIS_SELECTED, 0);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    ::SendMessageW(m_handle, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    subclass(&Win32FileList::procedure);
}

void Win32FileList::layout(int dpi, HFONT font) {
    Win32ControlBase::layout(dpi, font);
    fitColumn();
}

void Win32FileList::fitColumn() {
    RECT client{};
    ::GetClientRect(m_handle, &client);
    ::SendMessageW(m_handle, LVM_SETCOLUMNWIDTH, 0, client.right);
}

void Win32FileList::checkIndex(int index) const {
    if (index < 0 || index >= listCount()) {
        throw RunError(kInvalidProcedureCall);
    }
}

void Win32FileList::setPath(const std::string& path) {
    m_model.load(withoutTrailingSeparator(path));
    showModel();
}

void Win32FileList::setPattern(const std::string& pattern) {
    m_model.setPattern(pattern);
    showModel();
}

void Win32FileList::refresh() {
    if (!path().empty()) {
        setPath(path());
    }
}

void Win32FileList::showModel() {
    const win32ui::ProgramChange change(m_programChange);
    ::SendMessageW(m_handle, LVM_SETITEMCOUNT, static_cast<WPARAM>(listCount()), 0);
    m_caret = 0;
    if (listCount() > 0) {
        moveCaret(0);
    }
    fitColumn();
    m_redrawPending = false;
    selectionChanged();
}

std::string Win32FileList::list(int index) const {
    checkIndex(index);
    return m_model.name(index);
}

bool Win32FileList::selected(int index) const {
    checkIndex(index);
    return m_model.selected(index);
}

void Win32FileList::setSelected(int index, bool selected) {
    checkIndex(index);
    m_model.setSelected(index, selected);
    if (!m_redrawPending) {
        announce(EVENT_OBJECT_SELECTIONWITHIN, -1);  // once for the changes drawn together
    }
    selectionChanged();
}

void Win32FileList::setAllSelected(bool selected) {
    m_model.setAllSelected(selected);
    announce(EVENT_OBJECT_SELECTIONWITHIN, -1);
    selectionChanged();
}

// The control holds no selection of its own, so it tells a screen reader nothing: the list does,
// as a list view would (a row is child row + 1).
void Win32FileList::announce(DWORD event, int row) const {
    ::NotifyWinEvent(event, m_handle, OBJID_CLIENT, row < 0 ? CHILDID_SELF : row + 1);
}

// Entry-by-entry changes from the program are drawn together at the next paint.
void Win32FileList::selectionChanged() {
    if (!m_redrawPending) {
        m_redrawPending = true;
        ::InvalidateRect(m_handle, nullptr, FALSE);
    }
}

void Win32FileList::moveCaret(int row) {
    m_caret = row;
    const win32ui::ProgramChange change(m_programChange);
    LVITEMW item{};
    item.stateMask = LVIS_FOCUSED;
    item.state = LVIS_FOCUSED;
    ::SendMessageW(m_handle, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&item));
    ::SendMessageW(m_handle, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void Win32FileList::userClick(int row, bool ctrl, bool shift) {
    m_model.click(row, ctrl, shift);
    moveCaret(row);
    selectionChanged();
    if (shift) {
        announce(EVENT_OBJECT_SELECTIONWITHIN, -1);  // a range
    } else if (ctrl) {
        announce(m_model.selected(row) ? EVENT_OBJECT_SELECTIONADD : EVENT_OBJECT_SELECTIONREMOVE,
                 row);
    } else {
        announce(EVENT_OBJECT_SELECTION, row);  // that row alone
    }
    raiseFromUser(onClick);
}

int Win32FileList::rowAt(LPARAM point) const {
    LVHITTESTINFO hit{};
    hit.pt = POINT{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    const auto row =
        static_cast<int>(::SendMessageW(m_handle, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return row >= 0 && row < listCount() && (hit.flags & LVHT_ONITEM) != 0 ? row : -1;
}

void Win32FileList::typeAhead(wchar_t character) {
    const DWORD now = ::GetTickCount();
    if (now - m_typedAt > kTypeAheadMs) {
        m_typed.clear();
    }
    m_typedAt = now;
    m_typed += character;
    const int count = listCount();
    // A first letter looks from the next entry on, so that typing it again moves on.
    const int start = m_typed.size() == 1 ? m_caret + 1 : m_caret;
    for (int i = 0; i < count; ++i) {
        const int row = (start + i) % count;
        if (startsWithIgnoringCase(shown(m_model.name(row)), m_typed)) {
            userClick(row, false, false);
            return;
        }
    }
}

LRESULT CALLBACK Win32FileList::procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<Win32FileList*>(ofSubclass(handle));
    if (self == nullptr) {
        return ::DefWindowProcW(handle, message, wParam, lParam);
    }
    bool handled = false;
    const LRESULT result = self->handleInput(message, wParam, lParam, handled);
    if (handled) {
        return result;
    }
    if (message == WM_PAINT) {
        self->m_redrawPending = false;
    }
    return self->original(message, wParam, lParam);
}

LRESULT Win32FileList::handleInput(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: {
            ::SetFocus(m_handle);
            const int row = rowAt(lParam);
            if (message == WM_LBUTTONDOWN && row >= 0) {
                userClick(row, (wParam & MK_CONTROL) != 0, (wParam & MK_SHIFT) != 0);
            }
            return 0;
        }
        case WM_LBUTTONDBLCLK:
            // The first press already clicked; the second only reports the double-click.
            if (rowAt(lParam) >= 0) {
                raiseFromUser(onDblClick);
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            return 0;
        case WM_MOUSEMOVE:
            // Hover only; a drag selects nothing.
            if ((wParam & (MK_LBUTTON | MK_RBUTTON)) != 0) {
                return 0;
            }
            break;
        case WM_KEYDOWN: {
            const int count = listCount();
            const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
            const bool shift = ::GetKeyState(VK_SHIFT) < 0;
            const int page = std::max(
                1, static_cast<int>(::SendMessageW(m_handle, LVM_GETCOUNTPERPAGE, 0, 0)) - 1);
            int next = -1;
            switch (wParam) {
                case VK_UP:
                    next = m_caret - 1;
                    break;
                case VK_DOWN:
                    next = m_caret + 1;
                    break;
                case VK_PRIOR:
                    next = m_caret - page;
                    break;
                case VK_NEXT:
                    next = m_caret + page;
                    break;
                case VK_HOME:
                    next = 0;
                    break;
                case VK_END:
                    next = count - 1;
                    break;
                case VK_SPACE:
                    if (m_caret >= 0 && m_caret < count) {
                        userClick(m_caret, ctrl, shift);
                    }
                    return 0;
                default:
                    handled = false;
                    return 0;
            }
            if (count == 0) {
                return 0;
            }
            next = std::clamp(next, 0, count - 1);
            // Ctrl alone moves the caret and leaves the selection as it is.
            if (ctrl && !shift) {
                moveCaret(next);
                ::InvalidateRect(m_handle, nullptr, FALSE);
            } else {
                userClick(next, ctrl, shift);
            }
            return 0;
        }
        case WM_CHAR:
            // A space on its own is the Space key's, which clicked above.
            if (wParam >= 0x20 && listCount() > 0 &&
                (wParam != L' ' || ::GetTickCount() - m_typedAt <= kTypeAheadMs)) {
                typeAhead(static_cast<wchar_t>(wParam));
            }
            return 0;
        default:
            break;
    }
    handled = false;
    return 0;
}

LRESULT Win32FileList::notify(NMHDR& header) {
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
            if (item.iItem < 0 || item.iItem >= listCount()) {
                return 0;
            }
            if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
                m_shown = shown(m_model.name(item.iItem));
                ::lstrcpynW(item.pszText, m_shown.c_str(), item.cchTextMax);
            }
            if ((item.mask & LVIF_STATE) != 0) {
                item.state = (item.state & ~LVIS_SELECTED) |
                             (m_model.selected(item.iItem) ? LVIS_SELECTED : 0u);
            }
            return 0;
        }
        case LVN_ODFINDITEMW:
            return -1;  // typing is looked up above
        default:
            return 0;
    }
}

}  // namespace qm::platform
