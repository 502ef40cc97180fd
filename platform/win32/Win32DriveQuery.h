// Drives on Windows: GetLogicalDriveStringsW for the list, GetVolumeInformationW,
// GetDiskFreeSpaceExW, GetDiskFreeSpaceW, SetVolumeLabelW and GetDriveTypeW for one drive, each
// called with the drive's root ("C:\", "\\server\share\"). The system's "insert a disk" dialog is
// kept away: an empty drive simply does not answer.
#pragma once

#include "platform/win32/Win32DriveLabels.h"
#include "services/DriveQuery.h"

namespace qm::platform {

class Win32DriveQuery : public DriveQuery {
  public:
    bool volumeInformation(const std::string& root, VolumeInformation& out) const override;
    bool diskFreeSpaceEx(const std::string& path, FreeSpaceEx& out) const override;
    bool diskFreeSpace(const std::string& root, FreeSpaceLegacy& out) const override;
    bool setVolumeLabel(const std::string& root,
                        const std::optional<std::string>& newLabel) override;
    // The type of the volume holding `root` (its volume root is found first, so any path on a
    // drive will do); kDriveNoRootDir for a letter nothing is mapped to.
    std::int32_t driveType(const std::string& root) const override;
    bool procedureExists(const std::string& library, const std::string& procedure) const override;
    // Every drive letter, as a drive list shows it: "c: [SYSTEM]", "a:" (no label asked of a
    // removable drive, which would spin it up or find it empty). The labels come through
    // Win32DriveLabels: a drive that does not answer within a quarter of a second (a network
    // drive whose server is gone) is listed without its label, or with the one it last gave.
    std::vector<MountedDrive> mountedDrives() const override;
    // The volume root holding `path` ("C:\", a mounted folder's "C:\Mount\Disk\", or
    // "\\server\share\"); "" when `path` does not exist.
    std::string mountPointOf(const std::string& path) const override;

  private:
    mutable Win32DriveLabels m_labels{std::chrono::milliseconds(250)};
};

}  // namespace qm::platform
