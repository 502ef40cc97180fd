// Drives on Linux: the mount table (/proc/self/mountinfo), statvfs for space and limits, udev's
// /dev/disk/by-label and by-uuid links for labels and serial numbers, sysfs for removable media.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "services/DriveQuery.h"

namespace qm::platform {

// One line of a mountinfo file, the escaped fields already decoded.
struct MountEntry {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::string mountPoint;  // as the kernel gives it: no trailing "/" except on "/" itself
    std::string fileSystemType;
    std::string source;  // "/dev/sda1", "server:/export", "tmpfs"...
};

// Every well-formed line of a mountinfo text, in order (later lines are mounted on top of
// earlier ones). Malformed lines are skipped.
std::vector<MountEntry> parseMountInfo(std::string_view text);

// Decodes the kernel's octal escapes ("\040" for a space, "\134" for a backslash).
std::string unescapeMountField(std::string_view field);
// Decodes udev's hexadecimal escapes in /dev/disk names ("My\x20Disk").
std::string unescapeUdevName(std::string_view name);
// The first 32 bits of a by-uuid name, read as hexadecimal with the dashes left out
// ("1a2b3c4d-..." gives 0x1A2B3C4D, "ABCD-1234" gives 0xABCD1234); 0 without any hex digit.
std::uint32_t serialFromUuidName(std::string_view name);

// Where the system keeps what PosixDriveQuery reads; tests point these at a temporary folder.
struct PosixDrivePaths {
    std::string mountInfo = "/proc/self/mountinfo";
    std::string byLabel = "/dev/disk/by-label";
    std::string byUuid = "/dev/disk/by-uuid";
    std::string sysBlock = "/sys/dev/block";
};

class PosixDriveQuery : public DriveQuery {
  public:
    explicit PosixDriveQuery(PosixDrivePaths paths = {}) : m_paths(std::move(paths)) {}

    bool volumeInformation(const std::string& root, VolumeInformation& out) const override;
    bool diskFreeSpaceEx(const std::string& path, FreeSpaceEx& out) const override;
    bool diskFreeSpace(const std::string& root, FreeSpaceLegacy& out) const override;
    // Always false: see the definition.
    bool setVolumeLabel(const std::string& root,
                        const std::optional<std::string>& newLabel) override;
    std::int32_t driveType(const std::string& root) const override;
    bool procedureExists(const std::string& library, const std::string& procedure) const override;
    std::vector<MountedDrive> mountedDrives() const override;
    std::string mountPointOf(const std::string& path) const override;

  private:
    std::vector<MountEntry> readMounts() const;
    // The entry whose file system holds the existing `path`; nullptr when none does.
    const MountEntry* mountHolding(const std::vector<MountEntry>& mounts,
                                   const std::string& path) const;
    // The name of the link in `folder` that points at the entry's device; "" when none does.
    std::string diskLinkName(const std::string& folder, const MountEntry& mount) const;
    bool isRemovable(const MountEntry& mount) const;

    PosixDrivePaths m_paths;
};

}  // namespace qm::platform
