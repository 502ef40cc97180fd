#include "platform/win32ui/Win32DriveList.h"

namespace qm::platform {

using win32ui::ProgramChange;
using win32ui::shown;

Win32DriveList::Win32DriveList(const ControlDesign& design, Win32Window& window, HWND parent,
                               const DriveQuery& drives)
    : Win32ControlBase(design, window, parent, L"COMBOBOX",
                       WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0),
      m_model(drives) {
    showModel();
}

void Win32DriveList::layout(int dpi, HFONT font) {
    Win32ControlBase::layout(dpi, font);
    win32ui::placeComboBox(m_handle, pixels(geometry(), dpi), dpi);
}

void Win32DriveList::refresh() {
    m_model.refresh();
    showModel();
}

void Win32DriveList::setDrive(const std::string& path) {
    if (m_model.setCurrent(path)) {
        showModel();
        raise(onChange);
    }
}

void Win32DriveList::showModel() {
    const ProgramChange change(m_programChange);
    ::SendMessageW(m_handle, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < listCount(); ++i) {
        ::SendMessageW(m_handle, CB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(shown(m_model.text(i)).c_str()));
    }
    ::SendMessageW(m_handle, CB_SETCURSEL, static_cast<WPARAM>(m_model.currentIndex()), 0);
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
        if (m_model.choose(index)) {
            raise(onChange);
        }
    });
}

}  // namespace qm::platform
