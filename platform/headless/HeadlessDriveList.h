// The mounted drives in memory, from the real drive query.
#pragma once

#include <string>

#include "platform/headless/HeadlessControls.h"
#include "ui/DriveListModel.h"

namespace qm::platform {

class HeadlessDriveList : public DriveList, public HeadlessControlBase {
  public:
    HeadlessDriveList(const ControlDesign& d, HeadlessWindow* w, const DriveQuery& drives);
    std::string drive() const override { return m_model.currentText(); }
    std::string root() const override { return m_model.currentRoot(); }
    void setDrive(const std::string& path) override;
    int listCount() const override { return m_model.count(); }
    std::string list(int index) const override { return m_model.text(index); }
    void refresh() override { m_model.refresh(); }

    // The user picks entry `index`.
    void choose(int index);

  private:
    DriveListModel m_model;
};

}  // namespace qm::platform
