#include "frame/bDriveInfo.h"

#include "base/PathRules.h"
#include "base/RunError.h"
#include "frame/ErrorTail.h"

namespace qm {

bDriveInfo::bDriveInfo(platform::DriveQuery& drives, ErrorReporter& errors)
    : m_drives(drives), m_errors(errors) {}

DriveKind bDriveInfo::driveKindOf(std::int32_t driveTypeCode) {
    switch (driveTypeCode) {
        case platform::kDriveRemovable:
            return kKindRemovable;
        case platform::kDriveFixed:
            return kKindFixed;
        case platform::kDriveRemote:
            return kKindNetwork;
        case platform::kDriveCdRom:
            return kKindCdRom;
        case platform::kDriveRamDisk:
            return kKindRamDisk;
        default:
            return kKindUnknown;
    }
}

std::string bDriveInfo::driveKindName(int kind) {
    switch (kind) {
        case kKindRemovable:
            return "Removable drive";
        case kKindFixed:
            return "Fixed drive";
        case kKindNetwork:
            return "Network drive";
        case kKindCdRom:
            return "CD ROM drive";
        case kKindRamDisk:
            return "RAM disk drive";
        default:
            return "Unknown drive type";
    }
}

std::string bDriveInfo::GetDriveTypeName(const std::string& path) const {
    if (platform::rootLength(path) == 0) {
        return {};
    }
    std::string name;
    runWithRetry(
        m_errors, "bDriveInfo.GetDriveTypeName", [&] { return path; },
        [&] {
            const std::int32_t code = m_drives.driveType(path);
            if (code == platform::kDriveNoRootDir) {
                throw RunError(kDeviceUnavailable);
            }
            name = driveKindName(driveKindOf(code));
        });
    return name;
}

}  // namespace qm
