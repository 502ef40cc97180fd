#include "platform/qt/QtDriveList.h"

#include <QComboBox>

#include "platform/qt/QtText.h"

namespace qm::platform {

QtDriveList::QtDriveList(const ControlDesign& design, QWidget* parent, const DriveQuery& drives)
    : QtControlBase(design, new QComboBox(parent)), m_model(drives) {
    comboBox()->setEditable(false);
    showModel();
    QObject::connect(comboBox(), &QComboBox::activated, receiver(), [this](int index) {
        if (!m_programChange && index >= 0 && index < listCount() && m_model.choose(index)) {
            raiseFromUser(onChange);
        }
    });
}

QComboBox* QtDriveList::comboBox() const {
    return static_cast<QComboBox*>(m_widget);
}

void QtDriveList::refresh() {
    m_model.refresh();
    showModel();
}

void QtDriveList::setDrive(const std::string& path) {
    if (m_model.setCurrent(path)) {
        showModel();
        raise(onChange);
    }
}

void QtDriveList::showModel() {
    const ProgramChange change(m_programChange);
    comboBox()->clear();
    for (int i = 0; i < listCount(); ++i) {
        comboBox()->addItem(displayQString(m_model.text(i)));
    }
    comboBox()->setCurrentIndex(m_model.currentIndex());
}

}  // namespace qm::platform
