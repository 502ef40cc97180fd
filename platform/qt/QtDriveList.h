// The machine's drives in a drop-down list, each shown as its mount point and label.
#pragma once

#include "platform/qt/QtControls.h"
#include "ui/DriveListModel.h"

class QComboBox;

namespace qm::platform {

class QtDriveList : public DriveListBase, public QtControlBase {
  public:
    QtDriveList(const ControlDesign& design, QWidget* parent, const DriveQuery& drives);
    QComboBox* comboBox() const;

  private:
    void showEntries() override;
};

}  // namespace qm::platform
