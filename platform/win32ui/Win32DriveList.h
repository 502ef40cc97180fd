// The machine's drives in a drop-down list, each as Windows users know it ("c: [SYSTEM]").
#pragma once

#include <string>

#include "platform/win32ui/Win32ControlBase.h"
#include "ui/DriveListModel.h"

namespace qm::platform {

class Win32DriveList : public DriveList, public Win32ControlBase {
  public:
    Win32DriveList(const ControlDesign& design, Win32Window& window, HWND parent,
                   const DriveQuery& drives);
    std::string drive() const override { return m_model.currentText(); }
    std::string root() const override { return m_model.currentRoot(); }
    void setDrive(const std::string& path) override;
    int listCount() const override { return m_model.count(); }
    std::string list(int index) const override { return m_model.text(index); }
    void refresh() override;
    void layout(int dpi, HFONT font) override;
    void command(int code) override;

  private:
    // The list shows the model's entries and its current drive.
    void showModel();

    DriveListModel m_model;
};

}  // namespace qm::platform
