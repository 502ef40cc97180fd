// The machine's drives in a drop-down list, each as Windows users know it ("c: [SYSTEM]").
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
    void showEntries() override;
};

}  // namespace qm::platform
