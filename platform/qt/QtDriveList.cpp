#include "platform/qt/QtDriveList.h"

#include <QComboBox>

#include "platform/DriveResolution.h"
#include "platform/RunError.h"
#include "platform/qt/QtText.h"

namespace qm::platform {

QtDriveList::QtDriveList(const ControlDesign& design, QWidget* parent, const DriveQuery& drives)
    : QtControlBase(design, new QComboBox(parent)), m_query(drives) {
    comboBox()->setEditable(false);
    refresh();
    QObject::connect(comboBox(), &QComboBox::activated, receiver(), [this](int index) {
        if (m_programChange || index < 0 || index >= listCount()) {
            return;
        }
        const MountedDrive drive = m_list[static_cast<std::size_t>(index)];
        if (drive.mountPoint != m_root) {
            m_root = drive.mountPoint;
            m_text = drive.displayText;
            raiseFromUser(onChange);
        }
    });
}

QComboBox* QtDriveList::comboBox() const {
    return static_cast<QComboBox*>(m_widget);
}

std::string QtDriveList::list(int index) const {
    if (index < 0 || index >= listCount()) {
        throw RunError(kInvalidProcedureCall);
    }
    return m_list[static_cast<std::size_t>(index)].displayText;
}

void QtDriveList::refresh() {
    m_list = m_query.mountedDrives();
    {
        const ProgramChange change(m_programChange);
        comboBox()->clear();
        for (const MountedDrive& drive : m_list) {
            comboBox()->addItem(displayQString(drive.displayText));
        }
    }
    showCurrent();
}

void QtDriveList::setDrive(const std::string& path) {
    const MountedDrive drive = resolveDrive(m_query, m_list, path);
    if (drive.mountPoint == m_root) {
        return;
    }
    m_root = drive.mountPoint;
    m_text = drive.displayText;
    showCurrent();
    raise(onChange);
}

void QtDriveList::showCurrent() {
    const ProgramChange change(m_programChange);
    int index = -1;
    for (std::size_t i = 0; i < m_list.size(); ++i) {
        if (m_list[i].mountPoint == m_root) {
            index = static_cast<int>(i);
        }
    }
    if (index < 0 && !m_root.empty()) {
        // A drive mounted after the list was read: listed from now on.
        m_list.push_back(MountedDrive{m_root, "", m_text});
        comboBox()->addItem(displayQString(m_text));
        index = listCount() - 1;
    }
    comboBox()->setCurrentIndex(index);
}

}  // namespace qm::platform
