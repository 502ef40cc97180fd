#include "platform/posix/HiveFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <stdexcept>
#include <utility>

#include "base/PathRules.h"
#include "base/RunError.h"
#include "platform/posix/PosixFileTools.h"

namespace qm::platform {

namespace {

// Through the program's one errno table, so a full disk here is the same failure as anywhere.
RegStatus statusFromErrno(int errnoValue, bool writing) {
    switch (errorFromErrno(errnoValue, MissingIs::Path).number()) {
        case kFileNotFound:
            return kRegFileNotFound;
        case kPathNotFound:
            return kRegPathNotFound;
        case kPermissionDenied:
            return kRegAccessDenied;
        case kTooManyFiles:
            return kRegTooManyOpenFiles;
        case kDiskFull:
            return kRegDiskFull;
        case kDeviceIoError:
            return kRegIoFailed;
        case kBadFileName:
            return kRegBadPathname;
        default:
            return writing ? kRegCantWrite : kRegCantRead;
    }
}

// Called under the lock, when no writer is between creating its temporary file and renaming it:
// any temporary file there now was left by a writer that died, and nobody else would remove it.
void removeLeftoverTemps(const std::string& hive) {
    const std::string folder = parentPath(hive);
    const auto slash = hive.rfind('/');
    const std::string prefix =
        (slash == std::string::npos ? hive : hive.substr(slash + 1)) + ".tmp-";
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.size() == prefix.size() + 6 && name.substr(0, prefix.size()) == prefix) {
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

std::string timeSuffix() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y%m%d-%H%M%S", &local);
    return buffer;
}

}  // namespace

std::string userHivePath(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
        return std::string(xdgConfigHome) + "/quillmote/user.reg";
    }
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.config/quillmote/user.reg";
    }
    return "";
}

bool HiveFile::Stamp::operator==(const Stamp& other) const {
    if (!exists || !other.exists) {
        return exists == other.exists;
    }
    return device == other.device && inode == other.inode && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec &&
           changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
}

HiveFile::Stamp HiveFile::stampOf(const struct stat& st) {
    Stamp s;
    s.exists = true;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.modified = st.st_mtim;
    s.changed = st.st_ctim;
    return s;
}

namespace {

// Runs `body` under the store's lock; memory running out is a status like any other failure.
template <class Body>
RegStatus guarded(std::mutex& mutex, Body body) {
    std::lock_guard lock(mutex);
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return kRegOutOfMemory;
    } catch (const std::length_error&) {
        return kRegOutOfMemory;
    }
}

}  // namespace

HiveFile::HiveFile(FaultPlan* faults) : m_faults(faults) {
    const char* home = std::getenv("HOME");
    std::string passwdHome;
    if (home == nullptr || home[0] != '/') {
        struct passwd entry {};
        struct passwd* found = nullptr;
        std::vector<char> buffer(16384);
        if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
            found != nullptr && found->pw_dir != nullptr) {
            passwdHome = found->pw_dir;
            home = passwdHome.c_str();
        }
    }
    m_path = userHivePath(std::getenv("XDG_CONFIG_HOME"), home);
}

HiveFile::HiveFile(std::string path, FaultPlan* faults)
    : m_path(std::move(path)), m_faults(faults) {}

HiveFile::~HiveFile() {
    if (m_pinFd >= 0) {
        ::close(m_pinFd);
    }
}

void HiveFile::setCache(Snapshot snapshot, const Stamp& stamp, int pinFd) {
    if (m_pinFd >= 0) {
        ::close(m_pinFd);
    }
    m_pinFd = pinFd;
    m_cache = std::move(snapshot);
    m_stamp = stamp;
    m_cacheLoaded = true;
    ++m_cacheGeneration;
    m_found.clear();
}

const HiveKey* HiveFile::findKey(const std::string& path, bool& validPath) {
    validPath = true;
    if (const auto it = m_found.find(path); it != m_found.end()) {
        return it->second;
    }
    const auto parts = splitKeyPath(path);
    if (!parts) {
        validPath = false;
        return nullptr;
    }
    const HiveKey* key = m_cache.root.find(*parts);
    // A program asks for a handful of keys; a caller asking for ever new ones must not make
    // the table grow without end.
    if (m_found.size() >= 64) {
        m_found.clear();
    }
    m_found.emplace(path, key);
    return key;
}

RegStatus HiveFile::refreshForReading() {
    if (m_cacheLoaded && std::chrono::steady_clock::now() - m_checkedAt < m_freshFor) {
        return kRegSuccess;
    }
    return refresh();
}

RegStatus HiveFile::refresh() {
    if (m_path.empty()) {
        return kRegPathNotFound;
    }
    m_checkedAt = std::chrono::steady_clock::now();
    struct stat st {};
    if (::stat(m_path.c_str(), &st) != 0) {
        if (errno != ENOENT) {
            return statusFromErrno(errno, false);
        }
        if (!m_cacheLoaded || m_stamp.exists) {
            setCache(Snapshot{}, Stamp{}, -1);
        }
        return kRegSuccess;
    }
    if (m_cacheLoaded && stampOf(st) == m_stamp) {
        return kRegSuccess;
    }
    return loadFile();
}

RegStatus HiveFile::loadFile() {
    UniqueFd file(::open(m_path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        if (errno == ENOENT) {
            setCache(Snapshot{}, Stamp{}, -1);
            return kRegSuccess;
        }
        return statusFromErrno(errno, false);
    }
    struct stat st {};
    if (::fstat(file.get(), &st) != 0) {
        return statusFromErrno(errno, false);
    }
    if (!S_ISREG(st.st_mode)) {
        return kRegCantRead;
    }
    if (static_cast<std::uint64_t>(st.st_size) > kMaxHiveBytes) {
        return kRegBadDatabase;
    }
    std::string text;
    text.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    // Read to the end, not to the size seen: someone editing the file in place may have grown it.
    while (true) {
        if (done == text.size()) {
            if (text.size() >= kMaxHiveBytes) {
                return kRegBadDatabase;
            }
            text.resize(text.size() + 4096);
        }
        const ssize_t n = ::read(file.get(), text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return statusFromErrno(errno, false);
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    text.resize(done);
    auto parsed = parseHive(text);
    Snapshot snapshot{std::move(parsed.root), parsed.badEntries, {}};
    if (parsed.badEntries > 0) {
        snapshot.text = std::move(text);
    }
    setCache(std::move(snapshot), stampOf(st), file.release());
    return kRegSuccess;
}

RegStatus HiveFile::keepBackup(const std::string& text) {
    const std::string base = m_path + ".bad-" + timeSuffix();
    for (int attempt = 1; attempt <= 100; ++attempt) {
        const std::string name = attempt == 1 ? base : base + "-" + std::to_string(attempt);
        UniqueFd file(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (file.get() < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return statusFromErrno(errno, true);
        }
        int err = writeAll(file.get(), text);
        if (err == 0 && ::fsync(file.get()) != 0) {
            err = errno;
        }
        if (err != 0) {
            file.reset();
            ::unlink(name.c_str());
            return statusFromErrno(err, true);
        }
        return kRegSuccess;
    }
    return kRegCantWrite;
}

RegStatus HiveFile::replaceFile(const std::string& text, Stamp& stamp, int& pinFd) {
    const std::string folder = parentPath(m_path);
    std::string temp = m_path + ".tmp-XXXXXX";
    UniqueFd file(::mkostemp(temp.data(), O_CLOEXEC));
    if (file.get() < 0) {
        return statusFromErrno(errno, true);
    }
    int err = 0;
    if (m_faults != nullptr) {
        if (const auto injected = m_faults->next(FaultSite::HiveWrite)) {
            err = *injected;
        }
    }
    struct stat old {};
    const mode_t mode = ::stat(m_path.c_str(), &old) == 0 ? (old.st_mode & 0777) : 0600;
    if (err == 0 && ::fchmod(file.get(), mode) != 0) {
        err = errno;
    }
    if (err == 0) {
        err = writeAll(file.get(), text);
    }
    // The data must be on disk before the name points at it, or a crash could leave an empty hive.
    if (err == 0 && ::fsync(file.get()) != 0) {
        err = errno;
    }
    if (err == 0 && ::rename(temp.c_str(), m_path.c_str()) != 0) {
        err = errno;
    }
    if (err != 0) {
        file.reset();
        ::unlink(temp.c_str());
        return statusFromErrno(err, true);
    }
    // The rename itself lasts only once the folder is synced. The new hive is in place either
    // way, so a folder that cannot be synced (some file systems refuse) is not a failure.
    UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) {
        ::fsync(dir.get());
    }
    // Without the new file's stamp the cache cannot be checked against it; an empty stamp
    // makes the next read take the file in again. The change itself is done.
    struct stat st {};
    if (::fstat(file.get(), &st) == 0) {
        stamp = stampOf(st);
        pinFd = file.release();
    }
    return kRegSuccess;
}

RegStatus HiveFile::modify(const Change& change) {
    if (m_path.empty()) {
        return kRegPathNotFound;
    }
    if (const int err = makeFolders(parentPath(m_path)); err != 0) {
        return statusFromErrno(err, true);
    }
    const std::string lockPath = m_path + ".lock";
    UniqueFd lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (lock.get() < 0) {
        return statusFromErrno(errno, true);
    }
    while (::flock(lock.get(), LOCK_EX) != 0) {
        if (errno != EINTR) {
            return statusFromErrno(errno, true);
        }
    }
    // Under the lock no other writer can be between its read and its rename, so what is read
    // now is the latest hive and nobody replaces it until this change is in place.
    removeLeftoverTemps(m_path);
    if (const RegStatus status = refresh(); status != kRegSuccess) {
        return status;  // a hive that cannot be read is not replaced
    }
    Snapshot next{m_cache.root, 0, {}};
    bool changed = false;
    if (const RegStatus status = change(next.root, changed); status != kRegSuccess || !changed) {
        return status;
    }
    if (m_cache.badEntries > 0) {
        if (const RegStatus status = keepBackup(m_cache.text); status != kRegSuccess) {
            return status;
        }
    }
    Stamp stamp;
    int pinFd = -1;
    if (const RegStatus status = replaceFile(writeHive(next.root), stamp, pinFd);
        status != kRegSuccess) {
        return status;
    }
    setCache(std::move(next), stamp, pinFd);
    return kRegSuccess;
}

RegStatus HiveFile::addHandle(const std::string& path, RegAccess access, const HiveKey* node,
                              RegKey& key) {
    std::size_t slot = 0;
    if (!m_freeKeys.empty()) {
        slot = m_freeKeys.back();
        m_freeKeys.pop_back();
    } else if (m_keys.size() < 0xFFFF) {
        slot = m_keys.size();
        m_keys.emplace_back();
    } else {
        return kRegTooManyOpenFiles;
    }
    OpenKey& open = m_keys[slot];
    open.inUse = true;
    open.path = path;  // reuses the slot's buffer
    open.access = access;
    open.cacheGeneration = m_cacheGeneration;
    open.node = node;
    key = (RegKey{open.uses} << 16) | static_cast<RegKey>(slot + 1);
    return kRegSuccess;
}

HiveFile::OpenKey* HiveFile::handle(RegKey key) {
    const std::size_t slot = (key & 0xFFFF) - 1;
    if ((key & 0xFFFF) == 0 || slot >= m_keys.size() || !m_keys[slot].inUse ||
        m_keys[slot].uses != (key >> 16)) {
        return nullptr;
    }
    return &m_keys[slot];
}

// The key behind a handle in the newest hive this process has seen.
RegStatus HiveFile::resolve(RegKey key, OpenKey*& open) {
    open = handle(key);
    if (open == nullptr) {
        return kRegInvalidHandle;
    }
    if (open->cacheGeneration != m_cacheGeneration) {
        bool validPath = true;
        open->node = findKey(open->path, validPath);
        open->cacheGeneration = m_cacheGeneration;
    }
    return open->node == nullptr ? kRegKeyDeleted : kRegSuccess;
}

std::uint64_t HiveFile::revision() {
    std::lock_guard lock(m_mutex);
    refreshForReading();
    return m_cacheGeneration;
}

RegStatus HiveFile::openKey(const std::string& path, RegAccess access, RegKey& key) {
    return guarded(m_mutex, [&] {
        if (const RegStatus status = refreshForReading(); status != kRegSuccess) {
            return status;
        }
        bool validPath = true;
        const HiveKey* node = findKey(path, validPath);
        if (!validPath) {
            return kRegInvalidParameter;
        }
        if (node == nullptr) {
            return kRegFileNotFound;
        }
        return addHandle(path, access, node, key);
    });
}

RegStatus HiveFile::createKey(const std::string& path, RegKey& key, bool* created) {
    return guarded(m_mutex, [&] {
        const auto parts = splitKeyPath(path);
        if (!parts) {
            return kRegInvalidParameter;
        }
        if (const RegStatus status = refresh(); status != kRegSuccess) {
            return status;
        }
        bool isNew = false;
        if (m_cache.root.find(*parts) == nullptr) {
            const RegStatus status = modify([&](HiveKey& root, bool& changed) {
                changed = isNew = root.find(*parts) == nullptr;
                HiveKey* node = &root;
                for (const std::string& part : *parts) {
                    node = &node->subkey(part);
                }
                return kRegSuccess;
            });
            if (status != kRegSuccess) {
                return status;
            }
        }
        if (created != nullptr) {
            *created = isNew;
        }
        return addHandle(path, RegAccess::Full, m_cache.root.find(*parts), key);
    });
}

RegStatus HiveFile::queryValue(RegKey key, const std::string& name, RegType* type, char* data,
                               std::uint32_t& size) {
    return guarded(m_mutex, [&] {
        OpenKey* open = nullptr;
        if (const RegStatus status = resolve(key, open); status != kRegSuccess) {
            return status;
        }
        const HiveValue* value = open->node->findValue(name);
        if (value == nullptr) {
            return kRegFileNotFound;
        }
        if (type != nullptr) {
            *type = value->type;
        }
        const auto needed = static_cast<std::uint32_t>(value->data.size());
        if (data != nullptr) {
            if (size < needed) {
                size = needed;
                return kRegMoreData;
            }
            std::memcpy(data, value->data.data(), needed);
        }
        size = needed;
        return kRegSuccess;
    });
}

RegStatus HiveFile::setValue(RegKey key, const std::string& name, RegType type, const char* data,
                             std::uint32_t size) {
    return guarded(m_mutex, [&] {
        const OpenKey* open = handle(key);
        if (open == nullptr) {
            return kRegInvalidHandle;
        }
        if (open->access != RegAccess::Full) {
            return kRegAccessDenied;
        }
        if (!isStorableName(name) || (data == nullptr && size != 0)) {
            return kRegInvalidParameter;
        }
        const std::string bytes(data == nullptr ? "" : std::string(data, size));
        const auto path = splitKeyPath(open->path);
        return modify([&](HiveKey& root, bool& changed) {
            HiveKey* node = root.find(*path);
            if (node == nullptr) {
                return kRegKeyDeleted;
            }
            const HiveValue* old = node->findValue(name);
            changed = old == nullptr || old->type != type || old->data != bytes;
            if (changed) {
                node->setValue(name, type, bytes);
            }
            return kRegSuccess;
        });
    });
}

RegStatus HiveFile::deleteValue(RegKey key, const std::string& name) {
    return guarded(m_mutex, [&] {
        const OpenKey* open = handle(key);
        if (open == nullptr) {
            return kRegInvalidHandle;
        }
        if (open->access != RegAccess::Full) {
            return kRegAccessDenied;
        }
        const auto path = splitKeyPath(open->path);
        return modify([&](HiveKey& root, bool& changed) {
            HiveKey* node = root.find(*path);
            if (node == nullptr) {
                return kRegKeyDeleted;
            }
            changed = node->deleteValue(name);
            return changed ? kRegSuccess : kRegFileNotFound;
        });
    });
}

RegStatus HiveFile::deleteKey(RegKey key, const std::string& subKey) {
    return guarded(m_mutex, [&] {
        const OpenKey* open = handle(key);
        if (open == nullptr) {
            return kRegInvalidHandle;
        }
        auto parts = splitKeyPath(subKey);
        // An empty name would mean the key itself, and with it everything below the handle.
        if (!parts || parts->empty()) {
            return kRegInvalidParameter;
        }
        const std::string last = parts->back();
        parts->pop_back();
        const auto path = splitKeyPath(open->path);
        return modify([&](HiveKey& root, bool& changed) {
            HiveKey* node = root.find(*path);
            if (node == nullptr) {
                return kRegKeyDeleted;
            }
            HiveKey* parent = node->find(*parts);
            const HiveKey* target = parent == nullptr ? nullptr : parent->findSubkey(last);
            if (target == nullptr) {
                return kRegFileNotFound;
            }
            if (!target->subkeys().empty()) {
                return kRegAccessDenied;
            }
            changed = parent->deleteSubkey(last);
            return kRegSuccess;
        });
    });
}

RegStatus HiveFile::enumValue(RegKey key, std::uint32_t index, char* name,
                              std::uint32_t& nameLength, RegType* type, char* data,
                              std::uint32_t* size) {
    return guarded(m_mutex, [&] {
        OpenKey* open = nullptr;
        if (const RegStatus status = resolve(key, open); status != kRegSuccess) {
            return status;
        }
        if (name == nullptr || (data != nullptr && size == nullptr)) {
            return kRegInvalidParameter;
        }
        const auto& values = open->node->values();
        if (index >= values.size()) {
            return kRegNoMoreItems;
        }
        const HiveValue& value = values[index];
        const auto nameNeeded = static_cast<std::uint32_t>(value.name.size());
        const auto dataNeeded = static_cast<std::uint32_t>(value.data.size());
        if (nameLength <= nameNeeded || (data != nullptr && *size < dataNeeded)) {
            nameLength = nameNeeded;
            if (size != nullptr) {
                *size = dataNeeded;
            }
            return kRegMoreData;
        }
        std::memcpy(name, value.name.data(), nameNeeded);
        name[nameNeeded] = '\0';
        nameLength = nameNeeded;
        if (type != nullptr) {
            *type = value.type;
        }
        if (data != nullptr) {
            std::memcpy(data, value.data.data(), dataNeeded);
        }
        if (size != nullptr) {
            *size = dataNeeded;
        }
        return kRegSuccess;
    });
}

RegStatus HiveFile::queryInfoKey(RegKey key, RegKeyInfo& info) {
    return guarded(m_mutex, [&] {
        OpenKey* open = nullptr;
        if (const RegStatus status = resolve(key, open); status != kRegSuccess) {
            return status;
        }
        info = RegKeyInfo{};
        for (const HiveKey& sub : open->node->subkeys()) {
            ++info.subKeys;
            info.maxSubKeyLength =
                std::max(info.maxSubKeyLength, static_cast<std::uint32_t>(sub.name().size()));
        }
        for (const HiveValue& value : open->node->values()) {
            ++info.values;
            info.maxValueNameLength =
                std::max(info.maxValueNameLength, static_cast<std::uint32_t>(value.name.size()));
            info.maxValueDataSize =
                std::max(info.maxValueDataSize, static_cast<std::uint32_t>(value.data.size()));
        }
        return kRegSuccess;
    });
}

RegStatus HiveFile::closeKey(RegKey key) {
    return guarded(m_mutex, [&] {
        OpenKey* open = handle(key);
        if (open == nullptr) {
            return kRegInvalidHandle;
        }
        open->inUse = false;
        ++open->uses;
        open->node = nullptr;
        m_freeKeys.push_back(static_cast<std::size_t>(open - m_keys.data()));
        return kRegSuccess;
    });
}

}  // namespace qm::platform
