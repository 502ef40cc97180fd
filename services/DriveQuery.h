// Volume and disk-space questions about the mounted file systems ("drives"): label, serial
// number, file system, limits, space, kind, and the list of drives a drive list offers. A drive
// is named by its root, the mount point with a trailing "/". No call throws: each reports
// failure through its result, as the classic volume queries do.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qm::platform {

// File-system flag bits in the classic numbering, so that callers test the same bits on every
// platform. Only the ones a platform can answer are ever set.
enum FileSystemFlagBit : std::uint32_t {
    kFlagVolumeIsCompressed = 0x00008000,
    kFlagReadOnlyVolume = 0x00080000,
};

// Drive-type codes in the classic numbering. Not to be confused with the drive kinds that
// bDriveInfo names, which number the same kinds differently.
enum DriveTypeCode : std::int32_t {
    kDriveUnknown = 0,
    kDriveNoRootDir = 1,  // nothing at that path
    kDriveRemovable = 2,
    kDriveFixed = 3,
    kDriveRemote = 4,
    kDriveCdRom = 5,
    kDriveRamDisk = 6,
};

struct VolumeInformation {
    std::string label;  // "" when the volume has none
    std::uint32_t serialNumber = 0;
    std::uint32_t maxComponentLength = 0;
    std::uint32_t fileSystemFlags = 0;  // FileSystemFlagBit values
    std::string fileSystemName;
};

// Exact byte counts.
struct FreeSpaceEx {
    std::uint64_t availableToCaller = 0;  // what an unprivileged write may still use
    std::uint64_t totalBytes = 0;
    std::uint64_t totalFreeBytes = 0;
};

// The older 32-bit form: a count that does not fit reads as the largest 32-bit value.
struct FreeSpaceLegacy {
    std::uint32_t sectorsPerCluster = 0;
    std::uint32_t bytesPerSector = 0;
    std::uint32_t freeClusters = 0;  // free clusters available to the caller
    std::uint32_t totalClusters = 0;
};

// The 64-bit space query, looked up by name (procedureExists) so that a system without it falls
// back to the 32-bit cluster counts.
#ifdef _WIN32
inline constexpr const char* kExtendedSpaceLibrary = "kernel32";
inline constexpr const char* kExtendedSpaceProcedure = "GetDiskFreeSpaceExW";
#else
inline constexpr const char* kExtendedSpaceLibrary = "libc.so.6";
inline constexpr const char* kExtendedSpaceProcedure = "statvfs64";
#endif

struct MountedDrive {
    std::string mountPoint;   // "/", "/home/", "/media/u/USB/"
    std::string label;        // "" when the volume has none
    std::string displayText;  // as a drive list shows it: "/media/u/USB [USB]", "/home", "/"
};

class DriveQuery {
  public:
    virtual ~DriveQuery() = default;

    // Label, serial number, name limit, flags and file-system name of the volume holding `root`.
    // False (and `out` unspecified) when the volume cannot be asked.
    virtual bool volumeInformation(const std::string& root, VolumeInformation& out) const = 0;
    // Space of the volume holding `path`, in bytes. False when it cannot be asked.
    virtual bool diskFreeSpaceEx(const std::string& path, FreeSpaceEx& out) const = 0;
    // The same in clusters, with 32-bit counts. False when it cannot be asked.
    virtual bool diskFreeSpace(const std::string& root, FreeSpaceLegacy& out) const = 0;
    // Renames the volume; nullopt removes its label. False when the volume was not renamed.
    virtual bool setVolumeLabel(const std::string& root,
                                const std::optional<std::string>& newLabel) = 0;
    // A DriveTypeCode for the volume holding `root`; kDriveNoRootDir when `root` does not exist.
    virtual std::int32_t driveType(const std::string& root) const = 0;

    // True when `library` (already loaded, or loadable) exports `procedure`. Leaves the set of
    // loaded libraries as it found it.
    virtual bool procedureExists(const std::string& library,
                                 const std::string& procedure) const = 0;

    // The drives a drive list offers, sorted by mount point; "/" always among them.
    virtual std::vector<MountedDrive> mountedDrives() const = 0;
    // The mount point (with a trailing "/") of the file system holding `path`; "" when `path`
    // does not exist.
    virtual std::string mountPointOf(const std::string& path) const = 0;
};

}  // namespace qm::platform
