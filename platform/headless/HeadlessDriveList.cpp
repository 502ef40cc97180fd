#include "platform/headless/HeadlessDriveList.h"

#include "platform/RunError.h"

namespace qm::platform {

HeadlessDriveList::HeadlessDriveList(const ControlDesign& d, HeadlessWindow* w,
                                     const DriveQuery& drives)
    : HeadlessControlBase(d, w), m_query(drives) {
    refresh();
}

void HeadlessDriveList::refresh() {
    m_list = m_query.mountedDrives();
}

std::string HeadlessDriveList::list(int index) const {
    if (index < 0 || index >= listCount()) {
        throw RunError(kInvalidProcedureCall);
    }
    return m_list[static_cast<std::size_t>(index)].displayText;
}

void HeadlessDriveList::setDrive(const std::string& path) {
    const MountedDrive drive = resolveDrive(m_query, m_list, path);
    if (drive.mountPoint == m_root) {
        return;
    }
    m_root = drive.mountPoint;
    m_text = drive.displayText;
    if (onChange) {
        onChange();
    }
}

void HeadlessDriveList::choose(int index) {
    setDrive(list(index));
}

}  // namespace qm::platform
