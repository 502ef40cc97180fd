// The machine's drives in a drop-down list, each shown as its mount point and label.
#pragma once

#include <string>

#include "platform/qt/QtControls.h"
#include "ui/DriveListModel.h"

class QComboBox;

namespace qm::platform {

class QtDriveList : public DriveList, public QtControlBase {
  public:
    QtDriveList(const ControlDesign& design, QWidget* parent, const DriveQuery& drives);
    std::string drive() const override { return m_model.currentText(); }
    std::string root() const override { return m_model.currentRoot(); }
    void setDrive(const std::string& path) override;
    int listCount() const override { return m_model.count(); }
    std::string list(int index) const override { return m_model.text(index); }
    void refresh() override;
    QComboBox* comboBox() const;

  private:
    // The combo box shows the model's entries and its current drive.
    void showModel();

    DriveListModel m_model;
};

}  // namespace qm::platform
