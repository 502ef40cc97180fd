#include "platform/DriveResolution.h"

#include "platform/RunError.h"

namespace qm::platform {

MountedDrive resolveDrive(const DriveQuery& drives, const std::vector<MountedDrive>& listed,
                          const std::string& text) {
    for (const auto& drive : listed) {
        if (drive.displayText == text || drive.mountPoint == text) {
            return drive;
        }
    }
    std::string path = text;
    if (const auto bracket = path.rfind(" ["); bracket != std::string::npos && path.back() == ']') {
        path.erase(bracket);
    }
    const std::string root = drives.mountPointOf(path);
    if (root.empty()) {
        throw RunError(kDeviceUnavailable);
    }
    for (const auto& drive : listed) {
        if (drive.mountPoint == root) {
            return drive;
        }
    }
    return MountedDrive{root, "", root};
}

}  // namespace qm::platform
