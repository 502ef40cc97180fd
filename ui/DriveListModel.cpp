#include "ui/DriveListModel.h"

#include "base/RunError.h"

namespace qm::platform {

DriveListModel::DriveListModel(const DriveQuery& drives) : m_drives(drives) {
    refresh();
}

void DriveListModel::refresh() {
    m_list = m_drives.mountedDrives();
}

std::string DriveListModel::text(int index) const {
    if (index < 0 || index >= count()) {
        throw RunError(kInvalidProcedureCall);
    }
    return m_list[static_cast<std::size_t>(index)].displayText;
}

int DriveListModel::currentIndex() const {
    for (std::size_t i = 0; i < m_list.size(); ++i) {
        if (!m_current.mountPoint.empty() && m_list[i].mountPoint == m_current.mountPoint) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

MountedDrive DriveListModel::resolve(const std::string& text) const {
    for (const auto& drive : m_list) {
        if (drive.displayText == text || drive.mountPoint == text) {
            return drive;
        }
    }
    std::string path = text;
    if (const auto bracket = path.rfind(" ["); bracket != std::string::npos && path.back() == ']') {
        path.erase(bracket);
    }
    const std::string root = m_drives.mountPointOf(path);
    if (root.empty()) {
        throw RunError(kDeviceUnavailable);
    }
    for (const auto& drive : m_list) {
        if (drive.mountPoint == root) {
            return drive;
        }
    }
    return MountedDrive{root, "", root};
}

bool DriveListModel::setCurrent(const std::string& text) {
    const MountedDrive drive = resolve(text);
    if (drive.mountPoint == m_current.mountPoint) {
        return false;
    }
    m_current = drive;
    if (currentIndex() < 0) {
        m_list.push_back(drive);
    }
    return true;
}

bool DriveListModel::choose(int index) {
    return setCurrent(text(index));
}

}  // namespace qm::platform
