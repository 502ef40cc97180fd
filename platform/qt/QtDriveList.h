// The machine's drives in a drop-down list, each shown as its mount point and label.
#pragma once

#include <string>
#include <vector>

#include "platform/DriveQuery.h"
#include "platform/qt/QtControls.h"

class QComboBox;

namespace qm::platform {

class QtDriveList : public DriveList, public QtControlBase {
  public:
    QtDriveList(const ControlDesign& design, QWidget* parent, const DriveQuery& drives);
    std::string drive() const override { return m_text; }
    std::string root() const override { return m_root; }
    void setDrive(const std::string& path) override;
    int listCount() const override { return static_cast<int>(m_list.size()); }
    std::string list(int index) const override;
    void refresh() override;
    QComboBox* comboBox() const;

  private:
    // Chooses `drive` and raises onChange when it differs; true when it changed.
    bool choose(const MountedDrive& drive);
    void showCurrent();

    const DriveQuery& m_query;
    std::vector<MountedDrive> m_list;
    std::string m_text;
    std::string m_root;
};

}  // namespace qm::platform
