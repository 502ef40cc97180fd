#include "platform/win32ui/Win32DriveList.h"

namespace qm::platform {

using win32ui::ProgramChange;
using win32ui::shown;

Win32DriveList::Win32DriveList(const ControlDesign& design, Win32Window& window, HWND parent,
                               const DriveQuery& drives)
    : DriveListBase(drives),
      Win32ControlBase(design, window, parent, L"COMBOBOX",
                       WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0) {
    showEntries();
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

void Win32DriveList::command(int code) {
    if (code != CBN_SELCHANGE || m_programChange) {
        return;
    }
    const auto index = static_cast<int>(::SendMessageW(m_handle, CB_GETCURSEL, 0, 0));
    if (index < 0 || index >= listCount()) {
        return;
    }
    win32ui::raiseFromUser([&] {
        if (userChose(index)) {
            raise(onChange);
        }
    });
}

}  // namespace qm::platform
