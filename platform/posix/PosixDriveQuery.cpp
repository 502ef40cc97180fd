#include "platform/posix/PosixDriveQuery.h"

#include <dirent.h>
#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <sstream>

#include "base/Text.h"

namespace qm::platform {

namespace {

constexpr std::string_view kNetworkTypes[] = {
    "nfs",           "nfs4",       "cifs",
    "smb3",          "smbfs",      "ncpfs",
    "sshfs",         "fuse.sshfs", "9p",
    "afs",           "coda",       "ceph",
    "fuse.ceph",     "glusterfs",  "fuse.glusterfs",
    "lustre",        "davfs",      "fuse.davfs2",
    "fuse.rclone",   "fuse.s3fs",  "fuse.curlftpfs",
    "fuse.smbnetfs",
};

constexpr std::string_view kRamTypes[] = {"tmpfs", "ramfs"};
constexpr std::string_view kOpticalTypes[] = {"iso9660", "udf"};

// Kernel interfaces and automount triggers: nothing a user keeps files on.
constexpr std::string_view kPseudoTypes[] = {
    "proc",       "sysfs",    "devpts", "devtmpfs",   "mqueue",    "debugfs", "tracefs",
    "securityfs", "pstore",   "bpf",    "configfs",   "fusectl",   "autofs",  "binfmt_misc",
    "hugetlbfs",  "efivarfs", "nsfs",   "rpc_pipefs", "selinuxfs",
};

bool isOneOf(std::string_view value, const auto& list) {
    return std::find(std::begin(list), std::end(list), value) != std::end(list);
}

// True when `path` is `folder` or lies below it.
bool isUnder(std::string_view path, std::string_view folder) {
    if (folder == "/") {
        return !path.empty() && path.front() == '/';
    }
    return path.starts_with(folder) && (path.size() == folder.size() || path[folder.size()] == '/');
}

bool isHidden(const MountEntry& mount) {
    if (isOneOf(mount.fileSystemType, kPseudoTypes) || mount.fileSystemType.starts_with("cgroup")) {
        return true;
    }
    const std::string_view point = mount.mountPoint;
    if (isUnder(point, "/run")) {
        return !isUnder(point, "/run/media");
    }
    return isUnder(point, "/proc") || isUnder(point, "/sys") || isUnder(point, "/dev");
}

std::string qualified(const std::string& mountPoint) {
    return mountPoint.ends_with('/') ? mountPoint : mountPoint + "/";
}

std::optional<std::string> canonical(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    const std::unique_ptr<char, void (*)(void*)> resolved(::realpath(path.c_str(), nullptr),
                                                          std::free);
    if (!resolved) {
        return std::nullopt;
    }
    return std::string(resolved.get());
}

bool statvfsOf(const std::string& path, struct statvfs& out) {
    return !path.empty() && path.find('\0') == std::string::npos &&
           ::statvfs(path.c_str(), &out) == 0;
}

std::uint64_t fragmentSize(const struct statvfs& sv) {
    // A few file systems leave f_frsize at 0; f_bsize is then the unit of the block counts.
    return sv.f_frsize != 0 ? sv.f_frsize : sv.f_bsize;
}

std::uint64_t timesSaturated(std::uint64_t count, std::uint64_t size) {
    if (size != 0 && count > std::numeric_limits<std::uint64_t>::max() / size) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    return count * size;
}

std::uint32_t saturated32(std::uint64_t value) {
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(value, std::numeric_limits<std::uint32_t>::max()));
}

bool isOctal(char c) {
    return c >= '0' && c <= '7';
}

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string_view> splitOnSpaces(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const auto end = std::min(line.find(' ', pos), line.size());
        if (end > pos) {
            fields.push_back(line.substr(pos, end - pos));
        }
        pos = end + 1;
    }
    return fields;
}

bool parseNumber(std::string_view digits, std::uint32_t& out) {
    const char* end = digits.data() + digits.size();
    const auto result = std::from_chars(digits.data(), end, out);
    return result.ec == std::errc() && result.ptr == end && !digits.empty();
}

bool parseDeviceNumbers(std::string_view field, MountEntry& entry) {
    const auto colon = field.find(':');
    return colon != std::string_view::npos && parseNumber(field.substr(0, colon), entry.major) &&
           parseNumber(field.substr(colon + 1), entry.minor);
}

}  // namespace

std::string unescapeMountField(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && isOctal(field[i + 1]) &&
            isOctal(field[i + 2]) && isOctal(field[i + 3])) {
            out += static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) |
                                     (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

std::string unescapeUdevName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' &&
            text::hexDigitValue(name[i + 2]) >= 0 && text::hexDigitValue(name[i + 3]) >= 0) {
            out += static_cast<char>(text::hexDigitValue(name[i + 2]) * 16 +
                                     text::hexDigitValue(name[i + 3]));
            i += 3;
        } else {
            out += name[i];
        }
    }
    return out;
}

std::uint32_t serialFromUuidName(std::string_view name) {
    std::uint32_t serial = 0;
    int digits = 0;
    for (const char c : name) {
        if (digits == 8) {
            break;
        }
        if (c == '-') {
            continue;
        }
        const int value = text::hexDigitValue(c);
        if (value < 0) {
            break;
        }
        serial = serial << 4 | static_cast<std::uint32_t>(value);
        ++digits;
    }
    return serial;
}

std::vector<MountEntry> parseMountInfo(std::string_view text) {
    std::vector<MountEntry> mounts;
    while (!text.empty()) {
        const auto end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));

        // id parent major:minor root mount-point options [optional...] - type source super
        const auto fields = splitOnSpaces(line);
        if (fields.size() < 10) {
            continue;
        }
        const auto dash = std::find(fields.begin() + 6, fields.end(), "-");
        if (dash == fields.end() || fields.end() - dash < 3) {
            continue;
        }
        MountEntry entry;
        if (!parseDeviceNumbers(fields[2], entry)) {
            continue;
        }
        entry.mountPoint = unescapeMountField(fields[4]);
        entry.fileSystemType = unescapeMountField(dash[1]);
        entry.source = unescapeMountField(dash[2]);
        mounts.push_back(std::move(entry));
    }
    return mounts;
}

std::vector<MountEntry> PosixDriveQuery::readMounts() const {
    return parseMountInfo(readWholeFile(m_paths.mountInfo));
}

const MountEntry* PosixDriveQuery::mountHolding(const std::vector<MountEntry>& mounts,
                                                const std::string& path) const {
    // The longest mount point above the path is usually the answer, but a file system mounted
    // over a parent folder later hides the earlier mount beneath it. The device of the path
    // itself settles that; when no entry carries it (btrfs subvolumes report their own device
    // numbers), the longest mount point wins, the latest one among equals.
    struct stat st {};
    const bool haveDevice = ::stat(path.c_str(), &st) == 0;
    const MountEntry* best = nullptr;
    bool bestHasDevice = false;
    for (const auto& mount : mounts) {
        if (!isUnder(path, mount.mountPoint)) {
            continue;
        }
        const bool hasDevice = haveDevice && st.st_dev == makedev(mount.major, mount.minor);
        if (best == nullptr || hasDevice > bestHasDevice ||
            (hasDevice == bestHasDevice && mount.mountPoint.size() >= best->mountPoint.size())) {
            best = &mount;
            bestHasDevice = hasDevice;
        }
    }
    return best;
}

std::string PosixDriveQuery::diskLinkName(const std::string& folder,
                                          const MountEntry& mount) const {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) {
        return {};
    }
    const auto source = mount.source.starts_with('/') ? canonical(mount.source) : std::nullopt;
    while (const dirent* e = ::readdir(dir.get())) {
        const std::string name = e->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        const std::string link = folder + "/" + name;
        struct stat st {};
        if (mount.major != 0 && ::stat(link.c_str(), &st) == 0 && S_ISBLK(st.st_mode) &&
            st.st_rdev == makedev(mount.major, mount.minor)) {
            return name;
        }
        // File systems on anonymous device numbers (btrfs) are found through their source.
        if (source && canonical(link) == source) {
            return name;
        }
    }
    return {};
}

bool PosixDriveQuery::isRemovable(const MountEntry& mount) const {
    std::uint32_t major = mount.major;
    std::uint32_t minor = mount.minor;
    if (major == 0) {
        struct stat st {};
        if (!mount.source.starts_with('/') || ::stat(mount.source.c_str(), &st) != 0 ||
            !S_ISBLK(st.st_mode)) {
            return false;
        }
        major = ::major(st.st_rdev);
        minor = ::minor(st.st_rdev);
    }
    // A partition has no "removable" of its own; its disk, one folder up, has.
    const std::string device =
        m_paths.sysBlock + "/" + std::to_string(major) + ":" + std::to_string(minor);
    for (const char* file : {"/removable", "/../removable"}) {
        std::ifstream in(device + file);
        char flag = 0;
        if (in >> flag) {
            return flag == '1';
        }
    }
    return false;
}

bool PosixDriveQuery::volumeInformation(const std::string& root, VolumeInformation& out) const {
    struct statvfs sv {};
    if (!statvfsOf(root, sv)) {
        return false;
    }
    out = VolumeInformation{};
    out.maxComponentLength = saturated32(sv.f_namemax);
    if ((sv.f_flag & ST_RDONLY) != 0) {
        out.fileSystemFlags |= kFlagReadOnlyVolume;
    }
    const auto path = canonical(root);
    const auto mounts = readMounts();
    if (const MountEntry* mount = path ? mountHolding(mounts, *path) : nullptr) {
        out.fileSystemName = mount->fileSystemType;
        out.label = unescapeUdevName(diskLinkName(m_paths.byLabel, *mount));
        out.serialNumber = serialFromUuidName(diskLinkName(m_paths.byUuid, *mount));
    }
    return true;
}

bool PosixDriveQuery::diskFreeSpaceEx(const std::string& path, FreeSpaceEx& out) const {
    struct statvfs sv {};
    if (!statvfsOf(path, sv)) {
        return false;
    }
    const std::uint64_t unit = fragmentSize(sv);
    out.availableToCaller = timesSaturated(sv.f_bavail, unit);
    out.totalBytes = timesSaturated(sv.f_blocks, unit);
    out.totalFreeBytes = timesSaturated(sv.f_bfree, unit);
    return true;
}

bool PosixDriveQuery::diskFreeSpace(const std::string& root, FreeSpaceLegacy& out) const {
    struct statvfs sv {};
    if (!statvfsOf(root, sv)) {
        return false;
    }
    out.sectorsPerCluster = 1;
    out.bytesPerSector = saturated32(fragmentSize(sv));
    // The free clusters of this query are those the caller may use, so the blocks reserved for
    // the superuser do not count.
    out.freeClusters = saturated32(sv.f_bavail);
    out.totalClusters = saturated32(sv.f_blocks);
    return true;
}

bool PosixDriveQuery::setVolumeLabel(const std::string&, const std::optional<std::string>&) {
    // Relabelling needs the file system's own tool (e2label, fatlabel, ntfslabel...) run on the
    // unmounted or raw device with root rights; an ordinary user's program has no way to do it,
    // so the request is refused and the volume keeps its label.
    return false;
}

std::int32_t PosixDriveQuery::driveType(const std::string& root) const {
    const auto path = canonical(root);
    if (!path) {
        return kDriveNoRootDir;
    }
    const auto mounts = readMounts();
    const MountEntry* mount = mountHolding(mounts, *path);
    if (mount == nullptr) {
        return kDriveUnknown;
    }
    const std::string& type = mount->fileSystemType;
    if (isOneOf(type, kNetworkTypes)) {
        return kDriveRemote;
    }
    if (isOneOf(type, kRamTypes)) {
        return kDriveRamDisk;
    }
    if (isOneOf(type, kOpticalTypes) || mount->source.starts_with("/dev/sr")) {
        return kDriveCdRom;
    }
    return isRemovable(*mount) ? kDriveRemovable : kDriveFixed;
}

bool PosixDriveQuery::procedureExists(const std::string& library,
                                      const std::string& procedure) const {
    if (library.empty() || library.find('\0') != std::string::npos ||
        procedure.find('\0') != std::string::npos) {
        return false;
    }
    // Unlike a plain "is it loaded" question, RTLD_NOLOAD also takes a reference, so the handle
    // is released on both paths; a library loaded here is unloaded again by that release.
    void* handle = ::dlopen(library.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle == nullptr) {
        handle = ::dlopen(library.c_str(), RTLD_LAZY | RTLD_LOCAL);
    }
    if (handle == nullptr) {
        return false;
    }
    const bool found = ::dlsym(handle, procedure.c_str()) != nullptr;
    ::dlclose(handle);
    return found;
}

std::vector<MountedDrive> PosixDriveQuery::mountedDrives() const {
    const auto mounts = readMounts();
    // Only the topmost file system at a mount point can be reached; std::map also sorts.
    std::map<std::string, const MountEntry*> topmost;
    for (const auto& mount : mounts) {
        topmost[mount.mountPoint] = &mount;
    }
    std::vector<MountedDrive> drives;
    bool haveRoot = false;
    for (const auto& [point, mount] : topmost) {
        const bool isRoot = point == "/";
        if (!isRoot && isHidden(*mount)) {
            continue;
        }
        haveRoot = haveRoot || isRoot;
        MountedDrive drive;
        drive.mountPoint = qualified(point);
        drive.label = unescapeUdevName(diskLinkName(m_paths.byLabel, *mount));
        drive.displayText = drive.label.empty() ? point : point + " [" + drive.label + "]";
        drives.push_back(std::move(drive));
    }
    if (!haveRoot) {
        drives.insert(drives.begin(), MountedDrive{"/", "", "/"});
    }
    return drives;
}

std::string PosixDriveQuery::mountPointOf(const std::string& path) const {
    const auto resolved = canonical(path);
    if (!resolved) {
        return {};
    }
    const auto mounts = readMounts();
    const MountEntry* mount = mountHolding(mounts, *resolved);
    // Without a readable mount table every path still lies on the root file system.
    return mount != nullptr ? qualified(mount->mountPoint) : "/";
}

}  // namespace qm::platform
