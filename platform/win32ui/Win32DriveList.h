// The machine's drives in a drop-down list, each as Windows users know it ("c: [SYSTEM]"). A
// choice from the open list applies as it closes; the arrows and letters in the closed list only
// move the entry shown, which applies when the focus moves on to another control, so that the
// keys can pass an empty drive without stopping at its error.
#pragma once

#include "platform/win32ui/Win32ControlBase.h"
#include "ui/DriveListModel.h"

namespace qm::platform {

class Win32DriveList : public DriveListBase, public Win32ControlBase {
  public:
    Win32DriveList(const ControlDesign& design, Win32Window& window, HWND parent,
                   const DriveQuery& drives);
    void layout(int dpi, HFONT font) override;
    void command(int code) override;

  private:
    static LRESULT CALLBACK procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    void showEntries() override;
    // The user chose the entry shown; raises onChange when the drive changed.
    void chooseShown();
    bool dropped() const;

    bool m_keyMove = false;    // a key in the closed list is moving the entry shown
    bool m_cancelled = false;  // the open list is closing without a choice
};

}  // namespace qm::platform
