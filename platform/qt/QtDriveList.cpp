#include "platform/qt/QtDriveList.h"

#include <QComboBox>

#include "platform/qt/QtText.h"

namespace qm::platform {

QtDriveList::QtDriveList(const ControlDesign& design, QWidget* parent, const DriveQuery& drives)
    : DriveListBase(drives), QtControlBase(design, new QComboBox(parent)) {
    comboBox()->setEditable(false);
    showEntries();
    QObject::connect(comboBox(), &QComboBox::activated, receiver(), [this](int index) {
        if (!m_programChange && index >= 0 && index < listCount() && userChose(index)) {
            raiseFromUser(onChange);
        }
    });
}

QComboBox* QtDriveList::comboBox() const {
    return static_cast<QComboBox*>(m_widget);
}

void QtDriveList::showEntries() {
    const ProgramChange change(m_programChange);
    comboBox()->clear();
    for (int i = 0; i < listCount(); ++i) {
        comboBox()->addItem(displayQString(list(i)));
    }
    comboBox()->setCurrentIndex(currentIndex());
}

}  // namespace qm::platform
