// The machine's drives in a drop-down list, each shown as its mount point and label. A choice
// from the open list applies at once; the arrows in the closed list only move the entry shown,
// which applies when the focus leaves the list, so that the keys can pass a drive that cannot be
// read without stopping at its error.
#pragma once

#include "platform/qt/QtControls.h"
#include "ui/DriveListModel.h"

class QComboBox;

namespace qm::platform {

class QtDriveList : public DriveListBase, public QtControlBase {
  public:
    QtDriveList(const ControlDesign& design, QWidget* parent, const DriveQuery& drives);
    ~QtDriveList() override;
    QComboBox* comboBox() const;

  private:
    void showEntries() override;
    // The user chose the entry shown; raises onChange when the drive changed.
    void chooseShown();
};

}  // namespace qm::platform
