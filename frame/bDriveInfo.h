// The kind of drive a path lies on, by name, as the About box shows it.
#pragma once

#include <cstdint>
#include <string>

#include "frame/ErrorReporter.h"
#include "services/DriveQuery.h"

namespace qm {

// Drive kinds in the numbering these names use. DriveQuery's type codes number the same kinds
// differently; driveKindOf() is the one place that translates.
enum DriveKind : int {
    kKindUnknown = 0,
    kKindRemovable = 1,
    kKindFixed = 2,
    kKindNetwork = 3,
    kKindCdRom = 4,
    kKindRamDisk = 5,
};

class bDriveInfo {
  public:
    bDriveInfo(platform::DriveQuery& drives, ErrorReporter& errors);

    // "Removable drive", "Fixed drive", "Network drive", "CD ROM drive", "RAM disk drive" or
    // "Unknown drive type" for the drive holding `path`. "" without a dialog for a path with no
    // drive part (neither "C:" nor "\\server\share" on Windows, no leading "/" on POSIX). A
    // path that does not exist has no drive to ask: that goes to HandleError as 68 (Device
    // unavailable), Retry asks again, otherwise "".
    std::string GetDriveTypeName(const std::string& path) const;

    static DriveKind driveKindOf(std::int32_t driveTypeCode);
    static std::string driveKindName(int kind);

  private:
    platform::DriveQuery& m_drives;
    ErrorReporter& m_errors;
};

}  // namespace qm
