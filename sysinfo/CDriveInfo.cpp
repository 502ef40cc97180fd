#include "sysinfo/CDriveInfo.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <limits>
#include <optional>
#include <system_error>

#include "base/Text.h"
#include "base/Utf16.h"
#include "frame/bFileHandler.h"

namespace qm {

namespace {

constexpr char kSeparator = bFileHandler::kSeparator;

std::string withSeparator(std::string text) {
    if (text.empty() || text.back() != kSeparator) {
        text.push_back(kSeparator);
    }
    return text;
}

// The letter form "c:..." of a drive, a colon as the second character: the byte length of
// the letter, or 0. An absolute path such as "/:x" names a folder here and keeps its meaning.
std::size_t driveLetterLength(const std::string& text) {
    if (text.empty() || text.front() == ':' || text.front() == kSeparator) {
        return 0;
    }
    std::size_t length = 0;
    text::decodeAt(text, 0, length);
    return length < text.size() && text[length] == ':' ? length : 0;
}

std::uint64_t timesSaturated(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > std::numeric_limits<std::uint64_t>::max() / a) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    return a * b;
}

}  // namespace

std::string CDriveInfo::CurrentFolder() {
    std::error_code error;
    const auto folder = std::filesystem::current_path(error);
    return error ? std::string(1, kSeparator) : text::pathText(folder);
}

CDriveInfo::CDriveInfo(platform::DriveQuery& drives, const platform::LocaleFormat& locale,
                       const std::string& startPath)
    : m_drives(drives), m_locale(locale) {
    m_extendedQuery =
        ProcedureExists(platform::kExtendedSpaceLibrary, platform::kExtendedSpaceProcedure);
    const std::string mountPoint = m_drives.mountPointOf(startPath);
    m_drive = mountPoint.empty() ? withSeparator(startPath) : mountPoint;
    Refresh();
}

bool CDriveInfo::ProcedureExists(const std::string& library, const std::string& procedure) const {
    return m_drives.procedureExists(library, procedure);
}

std::string CDriveInfo::normalisedDrive(const std::string& text) const {
    if (const std::size_t letter = driveLetterLength(text); letter != 0) {
        return text::CaseMapper().toUpper(std::string_view(text).substr(0, letter + 1)) +
               kSeparator;
    }
    if (std::string mountPoint = m_drives.mountPointOf(text); !mountPoint.empty()) {
        return mountPoint;
    }
    // A drive list shows a labelled drive as "mount point [label]".
    std::string path = text;
    if (text.ends_with(']')) {
        if (const auto open = text.rfind(" ["); open != std::string::npos) {
            path = text.substr(0, open);
            for (const auto& drive : m_drives.mountedDrives()) {
                if (drive.displayText == text) {
                    path = drive.mountPoint;  // exact even when the label holds " ["
                    break;
                }
            }
        }
    }
    if (path != text) {
        if (std::string mountPoint = m_drives.mountPointOf(path); !mountPoint.empty()) {
            return mountPoint;
        }
    }
    return withSeparator(path);
}

void CDriveInfo::Drive(const std::string& newDrive) {
    m_drive = normalisedDrive(newDrive);
    Refresh();
}

void CDriveInfo::Refresh() {
    RefreshSpace();
    if (m_present) {
        RefreshVolume();
    }
}

void CDriveInfo::RefreshSpace() {
    m_availableSpace = 0;
    m_totalSpace = 0;
    m_freeSpace = 0;
    m_present = false;
    if (m_extendedQuery) {
        platform::FreeSpaceEx space;
        if (m_drives.diskFreeSpaceEx(m_drive, space)) {
            m_availableSpace = space.availableToCaller;
            m_totalSpace = space.totalBytes;
            m_freeSpace = space.totalFreeBytes;
            m_present = true;
        }
        return;
    }
    platform::FreeSpaceLegacy space;
    if (m_drives.diskFreeSpace(m_drive, space)) {
        // In 64 bits: a volume beyond 2 GB would overflow the 32-bit product, and the counts
        // themselves are already capped at their 32-bit maximum by the query.
        const std::uint64_t cluster =
            std::uint64_t{space.sectorsPerCluster} * std::uint64_t{space.bytesPerSector};
        m_totalSpace = timesSaturated(cluster, space.totalClusters);
        m_freeSpace = timesSaturated(cluster, space.freeClusters);
        m_availableSpace = m_freeSpace;
        m_present = true;
    }
}

void CDriveInfo::RefreshVolume() {
    platform::VolumeInformation volume;
    if (m_drives.volumeInformation(m_drive, volume)) {
        const std::string nul(1, '\0');
        m_label = bFileHandler::TrimCharacter(volume.label, nul);
        m_fileSystem = bFileHandler::TrimCharacter(volume.fileSystemName, nul);
        // The flags and the serial number are bit patterns: kept bit for bit in the signed
        // type. A name limit beyond the signed range is shown as the largest one.
        m_fileSystemFlags = static_cast<std::int32_t>(volume.fileSystemFlags);
        m_serialNumber = static_cast<std::int32_t>(volume.serialNumber);
        m_maxFilenameLength = static_cast<std::int32_t>(std::min<std::uint32_t>(
            volume.maxComponentLength, std::numeric_limits<std::int32_t>::max()));
        m_present = true;
        return;
    }
    m_label.clear();
    m_fileSystem.clear();
    m_fileSystemFlags = 0;
    m_maxFilenameLength = 0;
    m_serialNumber = 0;
    m_present = false;
}

std::uint64_t CDriveInfo::AvailableSpace() {
    RefreshSpace();
    return m_availableSpace;
}

std::uint64_t CDriveInfo::FreeSpace() {
    RefreshSpace();
    return m_freeSpace;
}

std::int32_t CDriveInfo::DriveTypeName() const {
    return m_drives.driveType(m_drive);
}

void CDriveInfo::Label(const std::string& newLabel) {
    const auto label = newLabel.empty() ? std::nullopt : std::optional<std::string>(newLabel);
    if (m_drives.setVolumeLabel(m_drive, label)) {
        RefreshVolume();
    }
}

std::string CDriveInfo::FileSystemFlag(std::int32_t flag) const {
    return (m_fileSystemFlags & flag) == flag ? "Yes" : "No";
}

std::string CDriveInfo::SerialNumber() const {
    return std::to_string(m_serialNumber);
}

std::string CDriveInfo::SerialNumberEx() const {
    if (m_serialNumber == 0) {
        return {};
    }
    const auto bits = static_cast<std::uint32_t>(m_serialNumber);
    char text[10];
    std::snprintf(text, sizeof text, "%04X-%04X", static_cast<unsigned>(bits >> 16),
                  static_cast<unsigned>(bits & 0xFFFFu));
    return text;
}

std::string CDriveInfo::FormatSize(std::uint64_t size, SizeDisplay display) const {
    if (size < 1024) {
        return m_locale.grouped(size) + (size == 1 ? " byte" : " bytes");
    }
    // The first row whose bound Size is below (Size / 1,024 below 10, 100, 1,000..., compared
    // exactly, before any rounding); the last row otherwise.
    struct Row {
        std::uint64_t below;
        std::uint64_t divisor;
        int decimals;
        const char* unit;
    };
    constexpr std::uint64_t kKB = 1024;
    constexpr std::uint64_t kMB = kKB * 1024;
    constexpr Row kRows[] = {
        {10 * kKB, kKB, 2, " KB"},      {100 * kKB, kKB, 1, " KB"},
        {1'000 * kKB, kKB, 0, " KB"},   {10'000 * kKB, kMB, 2, " MB"},
        {100'000 * kKB, kMB, 1, " MB"}, {1'000'000 * kKB, kMB, 0, " MB"},
        {0, kMB * 1024, 2, " GB"},
    };
    const Row& row = *std::find_if(std::begin(kRows), std::end(kRows) - 1,
                                   [size](const Row& r) { return size < r.below; });
    // Rounded half up in whole numbers, so that a tie (1,152 bytes are exactly 1.125 KB) goes up
    // as the display patterns do; printf would round it to even.
    std::uint64_t scale = 1;
    for (int i = 0; i < row.decimals; ++i) {
        scale *= 10;
    }
    const std::uint64_t whole = size / row.divisor;
    const std::uint64_t rest = size % row.divisor;
    const std::uint64_t scaled =
        whole * scale + (2 * rest * scale + row.divisor) / (2 * row.divisor);
    std::string text =
        m_locale.fixed(static_cast<double>(scaled) / static_cast<double>(scale), row.decimals) +
        row.unit;
    if (display == SizeDisplay::Long) {
        text += " (" + m_locale.grouped(size) + " bytes)";
    }
    return text;
}

}  // namespace qm
