// One drive (a mounted file system, named by its mount point with a trailing "/"): whether it
// is ready, its volume label, serial number, file system, flags, name limit and space, plus the
// short display form of byte counts. Queries never fail loudly: a drive that cannot be asked
// reads as not Present, with the values below reset as each query says.
#pragma once

#include <cstdint>
#include <string>

#include "services/DriveQuery.h"
#include "services/LocaleFormat.h"

namespace qm {

enum class SizeDisplay { Short, Long };

class CDriveInfo {
  public:
    // Describes the drive holding `startPath` (its mount point, taken as it is) and queries it.
    CDriveInfo(platform::DriveQuery& drives, const platform::LocaleFormat& locale,
               const std::string& startPath = CurrentFolder());

    // Bytes the user may still write; queries the space again first.
    std::uint64_t AvailableSpace();
    // Free bytes on the volume; queries the space again first.
    std::uint64_t FreeSpace();
    // Size of the volume in bytes as of the last query.
    std::uint64_t TotalSpace() const { return m_totalSpace; }

    const std::string& Drive() const { return m_drive; }
    // Accepts a drive list's text ("/media/u/USB [USB]"), any path on a drive (which becomes the
    // drive's mount point), or a letter form ("c: [WIN]", "C:\Temp": the first two characters
    // upper-cased); appends "/" when missing and queries the drive.
    void Drive(const std::string& newDrive);

    // The drive's DriveTypeCode, asked anew each time; 0 when it cannot be had.
    std::int32_t DriveTypeName() const;

    // The last volume query's values; "" or 0 after a failed one.
    const std::string& Label() const { return m_label; }
    const std::string& FileSystem() const { return m_fileSystem; }
    std::int32_t FileSystemFlags() const { return m_fileSystemFlags; }
    std::int32_t MaxFilenameLength() const { return m_maxFilenameLength; }
    // Renames the volume ("" removes the label). A refused rename changes nothing and says
    // nothing.
    void Label(const std::string& newLabel);

    // "Yes" when every bit of `flag` is set in FileSystemFlags (so 0 gives "Yes"), else "No".
    std::string FileSystemFlag(std::int32_t flag) const;

    // Whether the last query of the drive succeeded.
    bool Present() const { return m_present; }

    // The serial number as signed decimal ("-1583873836"); "0" when there is none.
    std::string SerialNumber() const;
    // "A1B2-C3D4"; "" when there is no serial number.
    std::string SerialNumberEx() const;

    // Space first; the volume values only when the drive answered, so an unready drive keeps
    // the label, file system, flags, limit and serial number of the last good query.
    void Refresh();

    // "1,023 bytes", "10.0 KB", "9.8 MB", "74.51 GB"; the long form adds " (80,000,000,000
    // bytes)" from 1,024 bytes on. Numbers in the user's separators.
    std::string FormatSize(std::uint64_t size, SizeDisplay display = SizeDisplay::Short) const;

    // The process's current folder ("/" when it has been removed).
    static std::string CurrentFolder();

  private:
    bool ProcedureExists(const std::string& library, const std::string& procedure) const;
    void RefreshSpace();
    void RefreshVolume();
    std::string normalisedDrive(const std::string& text) const;

    platform::DriveQuery& m_drives;
    const platform::LocaleFormat& m_locale;
    bool m_extendedQuery = false;  // decided once: whether the 64-bit space query exists

    std::string m_drive;
    bool m_present = false;
    std::string m_label;
    std::string m_fileSystem;
    std::int32_t m_fileSystemFlags = 0;
    std::int32_t m_maxFilenameLength = 0;
    std::int32_t m_serialNumber = 0;
    std::uint64_t m_availableSpace = 0;
    std::uint64_t m_freeSpace = 0;
    std::uint64_t m_totalSpace = 0;
};

}  // namespace qm
