#include "platform/headless/HeadlessDriveList.h"

namespace qm::platform {

HeadlessDriveList::HeadlessDriveList(const ControlDesign& d, HeadlessWindow* w,
                                     const DriveQuery& drives)
    : HeadlessControlBase(d, w), m_model(drives) {}

void HeadlessDriveList::setDrive(const std::string& path) {
    if (m_model.setCurrent(path)) {
        raise(onChange);
    }
}

void HeadlessDriveList::choose(int index) {
    if (m_model.choose(index)) {
        raise(onChange);
    }
}

}  // namespace qm::platform
