#include "platform/win32ui/Win32PreviewList.h"

#include <algorithm>

#include "platform/win32ui/Win32Dpi.h"
#include "platform/win32ui/Win32Window.h"

namespace qm::platform {

using win32ui::raiseFromUser;
using win32ui::scaled;
using win32ui::shown;

Win32ListBox::Win32ListBox(const ControlDesign& design, Win32Window& window, HWND parent)
    : Win32ControlBase(design, window, parent, WC_LISTVIEWW,
                       WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_OWNERDATA |
                           LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                       WS_EX_CLIENTEDGE) {
    ::SendMessageW(m_handle, LVM_SETEXTENDEDLISTVIEWSTYLE,
                   LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                   LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    ::SendMessageW(m_handle, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    subclass(&Win32ListBox::procedure);
}

Win32ListBox::~Win32ListBox() {
    if (m_state.rows() != nullptr) {
        m_state.rows()->unwatch(this);
    }
}

void Win32ListBox::showRows(std::shared_ptr<const PreviewRows> rows, PreviewColumn column) {
    if (m_state.rows() != nullptr) {
        m_state.rows()->unwatch(this);
    }
    // Only the first change after a catch-up asks for a paint: a fill adds rows by the thousand.
    rows->watch(this, [this] {
        if (!m_changed) {
            m_changed = true;
            ::InvalidateRect(m_handle, nullptr, FALSE);
        }
    });
    m_state.show(std::move(rows), column);
    m_changed = true;
    m_hover = -1;
    if (m_shown > 0) {
        // Rows shown before: the control forgets its chosen and focused row (each by its row:
        // asked for all rows, a list view visits every one) and goes back to the top, as a list
        // just made.
        const win32ui::ProgramChange change(m_programChange);
        for (const UINT which : {LVNI_SELECTED, LVNI_FOCUSED}) {
            const auto row = original(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), which);
            if (row >= 0) {
                LVITEMW item{};
                item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
                original(LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&item));
            }
        }
        original(LVM_SETSELECTIONMARK, 0, -1);
        original(LVM_ENSUREVISIBLE, 0, FALSE);
    }
    // A hidden list (a preview window kept for the next preview) keeps its count until it is
    // about to show or hears from the system: the next rows mostly need as many, and under Wine
    // a count that takes the scroll bar away and brings it back costs more than the rest of the
    // showing.
    if (::IsWindowVisible(m_handle)) {
        catchUp();
    }
}

void Win32ListBox::prepareHidden() {
    if (::IsWindowVisible(m_handle) || m_state.rows() != nullptr) {
        return;
    }
    // The rows a page holds, and one more; none of them has a text or a mark to give.
    m_shown = static_cast<int>(original(LVM_GETCOUNTPERPAGE, 0, 0)) + 1;
    const win32ui::ProgramChange change(m_programChange);
    original(LVM_SETITEMCOUNT, static_cast<WPARAM>(m_shown), LVSICF_NOINVALIDATEALL);
    // A list view measures its rows and sets its scroll bars again the first time it paints
    // rows: done now, into a memory device context's single pixel that nothing shows.
    if (const HDC memory = ::CreateCompatibleDC(nullptr)) {
        original(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        ::DeleteDC(memory);
    }
}

LRESULT CALLBACK Win32ListBox::procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<Win32ListBox*>(ofSubclass(handle));
    if (self == nullptr) {
        return ::DefWindowProcW(handle, message, wParam, lParam);
    }
    // Whatever the control does next (paint, scroll, select) it does over the rows as they are.
    if (self->m_changed) {
        self->catchUp();
    }
    if (message == WM_MOUSEMOVE) {
        // The point's coordinates are signed: left of or above the list they are negative.
        self->hovered(
            self->rowAt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
    } else if (message == WM_MOUSELEAVE) {
        self->hovered(-1);
    }
    const LRESULT result = self->original(message, wParam, lParam);
    if (message == WM_SIZE) {
        self->fitColumn();
    }
    return result;
}

void Win32ListBox::catchUp() {
    m_changed = false;
    const bool counted = m_shown != listCount();
    if (counted) {
        m_shown = listCount();
        const win32ui::ProgramChange change(m_programChange);
        original(LVM_SETITEMCOUNT, static_cast<WPARAM>(m_shown), 0);
    }
    // As many rows as before may be other names (a kept window's next preview, say).
    fitColumn();
    if (counted && m_state.index() >= 0) {
        showChoice();
    }
    ::InvalidateRect(m_handle, nullptr, FALSE);
}

void Win32ListBox::fitColumn() {
    RECT client{};
    ::GetClientRect(m_handle, &client);
    int width = client.right;
    const int longest = m_state.count() > 0 ? m_state.rows()->longest(m_state.column()) : -1;
    if (longest >= 0) {
        const HDC dc = ::GetDC(m_handle);
        const HGDIOBJ old = ::SelectObject(dc, window().font());
        const std::wstring text = shown(m_state.name(longest));
        SIZE size{};
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        ::SelectObject(dc, old);
        ::ReleaseDC(m_handle, dc);
        width = std::max<int>(width, size.cx + m_signSize + scaled(2 + 4 + 8, window().dpi()));
    }
    if (original(LVM_GETCOLUMNWIDTH, 0, 0) != width) {
        original(LVM_SETCOLUMNWIDTH, 0, width);
    }
}

void Win32ListBox::layout(int dpi, HFONT font) {
    Win32ControlBase::layout(dpi, font);
    // The sign at this DPI, not stretched from another; a list with a small image list makes
    // every row as high as the image.
    m_signSize = win32ui::systemMetric(SM_CXSMICON, dpi);
    const HIMAGELIST signs =
        ::ImageList_Create(m_signSize, m_signSize, ILC_COLOR32 | ILC_MASK, 1, 0);
    if (signs != nullptr) {
        const HICON sign = win32ui::loadIcon(nullptr, IDI_WARNING, m_signSize);
        ::ImageList_AddIcon(signs, sign);
        ::DestroyIcon(sign);
        const auto replaced = reinterpret_cast<HIMAGELIST>(
            original(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(signs)));
        if (replaced != nullptr) {
            ::ImageList_Destroy(replaced);
        }
        m_signs = signs;
    }
    fitColumn();
}

void Win32ListBox::showChoice() {
    const win32ui::ProgramChange change(m_programChange);
    LVITEMW item{};
    const int index = m_state.index();
    if (index < 0) {
        item.stateMask = LVIS_SELECTED;
        original(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
        return;
    }
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    original(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    original(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

void Win32ListBox::setListIndex(int index) {
    if (m_changed) {
        catchUp();
    }
    if (!m_state.choose(index)) {
        return;
    }
    showChoice();
    raise(onClick);
}

int Win32ListBox::rowAt(int x, int y) const {
    LVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    const auto row = static_cast<int>(original(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return row >= 0 && row < listCount() && (hit.flags & LVHT_ONITEM) != 0 ? row : -1;
}

void Win32ListBox::hovered(int row) {
    if (row == m_hover) {
        return;
    }
    m_hover = row;
    window().toolTipChanged();
}

std::string Win32ListBox::toolTipText() const {
    if (m_hover >= 0 && m_hover < listCount() && !warning(m_hover).empty()) {
        return warning(m_hover);
    }
    return Win32ControlBase::toolTipText();
}

LRESULT Win32ListBox::notify(NMHDR& header) {
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
            if (item.iItem < 0 || item.iItem >= listCount()) {
                return 0;
            }
            // What a screen reader reads: the name, and a marked name's warning.
            if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
                m_text = shown(m_state.rows()->spoken(m_state.column(), item.iItem));
                ::lstrcpynW(item.pszText, m_text.c_str(), item.cchTextMax);
            }
            if ((item.mask & LVIF_IMAGE) != 0) {
                item.iImage = warning(item.iItem).empty() ? I_IMAGENONE : 0;
            }
            return 0;
        }
        case LVN_ODFINDITEMW:
            return -1;
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
            if (m_programChange || ((change.uNewState ^ change.uOldState) & LVIS_SELECTED) == 0) {
                return 0;
            }
            const auto row =
                static_cast<int>(original(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
            if (row < listCount() && m_state.choose(row)) {
                raiseFromUser(onClick);
            }
            return 0;
        }
        case NM_CUSTOMDRAW: {
            auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
            if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
                return CDRF_NOTIFYITEMDRAW;
            }
            if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
                paintRow(draw.nmcd.hdc, static_cast<int>(draw.nmcd.dwItemSpec));
                return CDRF_SKIPDEFAULT;
            }
            return CDRF_DODEFAULT;
        }
        default:
            return 0;
    }
}

// The row's name alone, not the text a screen reader is given: the sign and the colour show
// the mark, the tooltip its reason.
void Win32ListBox::paintRow(HDC dc, int row) {
    if (row < 0 || row >= listCount()) {
        return;
    }
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    original(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
    const auto state = static_cast<UINT>(
        original(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED | LVIS_FOCUSED));
    const bool selected = (state & LVIS_SELECTED) != 0;
    ::FillRect(dc, &bounds, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const bool marked = !warning(row).empty();
    const int dpi = window().dpi();
    RECT text = bounds;
    text.left += scaled(2, dpi);
    if (marked && m_signs != nullptr) {
        ::ImageList_Draw(m_signs, 0, dc, text.left,
                         bounds.top + (bounds.bottom - bounds.top - m_signSize) / 2,
                         ILD_TRANSPARENT);
    }
    // Every name starts after the sign's place, so that marked and unmarked names line up.
    text.left += m_signSize + scaled(4, dpi);
    ::SetBkMode(dc, TRANSPARENT);
    // A dark amber that stays readable on the white list.
    ::SetTextColor(dc, selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT)
                       : marked ? RGB(0xA8, 0x4B, 0x00)
                                : ::GetSysColor(COLOR_WINDOWTEXT));
    const HGDIOBJ old = ::SelectObject(dc, window().font());
    const std::wstring name = shown(m_state.name(row));
    ::DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    ::SelectObject(dc, old);
    const bool focusShown = (original(WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
    if ((state & LVIS_FOCUSED) != 0 && ::GetFocus() == m_handle && focusShown) {
        ::DrawFocusRect(dc, &bounds);
    }
}

}  // namespace qm::platform
