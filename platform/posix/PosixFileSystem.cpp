#include "platform/posix/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "base/PathRules.h"
#include "base/RunError.h"
#include "base/Text.h"
#include "platform/posix/PosixFileTools.h"

namespace qm::platform {

namespace {

bool statPath(const std::string& path, struct stat& st) {
    return !path.empty() && path.find('\0') == std::string::npos && ::stat(path.c_str(), &st) == 0;
}

// A path whose last component is empty, "." or "..", or that holds a NUL. Asked three times for
// every file a run renames, so the last component is told from the path's end.
void refuseBadName(const std::string& path) {
    if (path.empty() || path.ends_with('/') || path == "." || path == ".." ||
        path.ends_with("/.") || path.ends_with("/..") || path.find('\0') != std::string::npos) {
        throw RunError(kBadFileName);
    }
}

// The folder holding `path`, "." for a bare name.
std::string folderOf(const std::string& path) {
    std::string folder = parentPath(path);
    return folder.empty() ? "." : folder;
}

void throwIfFailed(int err) {
    if (err != 0) {
        throw errorFromErrno(err);
    }
}

}  // namespace

void throwForPath(int errnoValue, const std::string& path) {
    if (errnoValue == ENOENT) {
        struct stat st {};
        const bool folderThere = statPath(folderOf(path), st) && S_ISDIR(st.st_mode);
        throw errorFromErrno(errnoValue, folderThere ? MissingIs::File : MissingIs::Path);
    }
    throw errorFromErrno(errnoValue);
}

namespace {

// The error for a failed move of `from` onto `to`. EINVAL here is never the name: the file
// system refused the move itself (a bad name is refused before, at the claim or by the checks).
[[noreturn]] void throwMoveFailure(int err, const std::string& from, const std::string& to) {
    if (err == EINVAL) {
        throw RunError(kPathFileAccessError,
                       "The file system refused to move the file onto its new name");
    }
    struct stat source {};
    const bool sourceThere = ::stat(from.c_str(), &source) == 0 && !S_ISDIR(source.st_mode);
    throwForPath(err, err == ENOENT && !sourceThere ? from : to);
}

}  // namespace

void PosixFileSystem::injectFault(FaultSite site, const std::string& path) const {
    if (m_faults != nullptr) {
        if (const auto err = m_faults->next(site)) {
            throwForPath(*err, path);
        }
    }
}

bool PosixFileSystem::isFile(const std::string& path) const {
    struct stat st {};
    return statPath(path, st) && !S_ISDIR(st.st_mode);
}

bool PosixFileSystem::isFolder(const std::string& path) const {
    struct stat st {};
    return statPath(path, st) && S_ISDIR(st.st_mode);
}

std::optional<FileInfo> PosixFileSystem::info(const std::string& path) const {
    struct stat st {};
    if (!statPath(path, st)) {
        return std::nullopt;
    }
    return FileInfo{static_cast<std::uint64_t>(st.st_size), static_cast<std::int64_t>(st.st_mtime)};
}

template <typename Call>
int PosixFileSystem::outcome(FaultSite site, const Call& call) const {
    if (m_faults != nullptr) {
        if (const auto err = m_faults->next(site)) {
            return *err;
        }
    }
    return call() == 0 ? 0 : errno;
}

std::string PosixFileSystem::nameRefusal(std::string_view name) const {
    // Asked once for every file of a run: the text is made only for a name refused.
    const auto quoted = [name] { return "\"" + std::string(name) + "\": "; };
    if (name.empty()) {
        return quoted() + "A file needs a name.";
    }
    if (name == "." || name == "..") {
        return quoted() + "The names \".\" and \"..\" belong to folders.";
    }
    if (name.find('/') != std::string_view::npos || name.find('\0') != std::string_view::npos) {
        return quoted() + "A name cannot hold \"/\" or a NUL character.";
    }
    // How long a name may be is left to the file system: exFAT holds more than the 255 bytes
    // most others take, and says so only by taking the name.
    return {};
}

std::string PosixFileSystem::caseKey(std::string_view name) const {
    static const text::CaseMapper unicode = [] {
        try {
            return text::CaseMapper(std::locale("C.UTF-8"));
        } catch (const std::runtime_error&) {
            return text::CaseMapper(std::locale::classic());  // A-Z only
        }
    }();
    return unicode.toUpper(name);
}

// Whether `to` reaches the very file `from` names, in another letter case, on a folder that
// ignores case: then a plain rename only changes the case. The file's identity tells where the
// file system keeps one for every spelling; FUSE numbers each spelling of a name on its own, so
// there the folder must also hold no entry spelled `to` and no other entry with its case key.
bool PosixFileSystem::isSameEntry(const std::string& from, const std::string& to) const {
    struct stat source {};
    struct stat target {};
    const auto [fromAt, toAt] = reach(from, to);
    if (::fstatat(fromAt.folder, fromAt.name, &source, AT_SYMLINK_NOFOLLOW) != 0 ||
        ::fstatat(toAt.folder, toAt.name, &target, AT_SYMLINK_NOFOLLOW) != 0 ||
        source.st_dev != target.st_dev || source.st_nlink != 1) {
        return false;  // a second link to the file is another name that must stay
    }
    if (source.st_ino == target.st_ino) {
        return true;
    }
    if (source.st_size != target.st_size || source.st_mode != target.st_mode ||
        source.st_mtim.tv_sec != target.st_mtim.tv_sec ||
        source.st_mtim.tv_nsec != target.st_mtim.tv_nsec) {
        return false;
    }
    const auto fromName = lastComponent(from);
    const auto toName = lastComponent(to);
    const std::string key = caseKey(toName);
    if (caseKey(fromName) != key) {
        return false;
    }
    bool fromListed = false;
    for (const auto& entry : listFolder(folderOf(to))) {
        if (entry.name == toName || (caseKey(entry.name) == key && entry.name != fromName)) {
            return false;
        }
        fromListed = fromListed || entry.name == fromName;
    }
    return fromListed;
}

// The last way to rename without replacing, for file systems with neither a rename that never
// replaces nor hard links (FAT and exFAT through FUSE, many phone and network mounts): claim the
// new name by creating it exclusively, then move the file onto the claim, which replaces only
// that empty file. One window of risk remains between the two steps: a program that writes to
// this very name in that moment, after our claim, would have its file replaced by ours. No call
// on such a file system closes it; it needs another program to pick the same new name within
// microseconds, and the user's file is never the one lost. A failed move removes the claim
// (while it is still the empty file made here); a crash between the steps leaves the file under
// its old name and an empty file under the new one. Returns 0, or EEXIST when the name is
// taken; throws for any other failure.
int PosixFileSystem::moveOntoClaim(const std::string& from, const std::string& to) {
    const auto [source, target] = reach(from, to);
    UniqueFd claim(::openat(target.folder, target.name,
                            O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (claim.get() < 0) {
        const int err = errno;
        if (err == EEXIST) {
            return EEXIST;
        }
        if (err == EINVAL) {
            throw RunError(kBadFileName, "\"" + std::string(lastComponent(to)) +
                                             "\": The file system of this folder does not "
                                             "take this name.");
        }
        throwForPath(err, err == ENOENT && !isFile(from) ? from : to);
    }
    claim.reset();
    const int err = outcome(FaultSite::MoveOntoClaim, [&] {
        return ::renameat(source.folder, source.name, target.folder, target.name);
    });
    if (err == 0) {
        return 0;
    }
    struct stat left {};
    if (::fstatat(target.folder, target.name, &left, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(left.st_mode) && left.st_size == 0) {
        ::unlinkat(target.folder, target.name, 0);
    }
    throwMoveFailure(err, from, to);
}

void PosixFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    refuseBadName(from);
    refuseBadName(to);
    if (std::string why = nameRefusal(lastComponent(to)); !why.empty()) {
        throw RunError(kBadFileName, why);
    }
    struct stat source {};
    if (from == to) {
        // The same name: nothing to do and nothing to lose, once the file is known to be there.
        if (::lstat(from.c_str(), &source) != 0) {
            throwForPath(errno, from);
        }
        return;
    }
    injectFault(FaultSite::Rename, from);
    int err = outcome(FaultSite::RenameNoReplace, [&] {
        const auto [source, target] = reach(from, to);
        return ::renameat2(source.folder, source.name, target.folder, target.name,
                           RENAME_NOREPLACE);
    });
    if (err == EINVAL || err == ENOSYS) {
        // A file system without RENAME_NOREPLACE (FUSE, NTFS through ntfs-3g): link() never
        // replaces either; then the old name goes.
        const auto [source, target] = reach(from, to);
        err = outcome(FaultSite::HardLink, [&] {
            return ::linkat(source.folder, source.name, target.folder, target.name, 0);
        });
        if (err == 0 && ::unlinkat(source.folder, source.name, 0) != 0) {
            const int unlinkErr = errno;
            ::unlinkat(target.folder, target.name, 0);
            throwForPath(unlinkErr, from);
        }
        if (err == EPERM || err == ENOTSUP || err == EOPNOTSUPP || err == ENOSYS) {
            err = moveOntoClaim(from, to);  // no hard links here either
        }
    }
    if (err == 0) {
        return;
    }
    if (err == EEXIST) {
        // On a folder that ignores case the new name may only change letter case and so name
        // this very file; only then is a plain rename safe. Any other file keeps its place.
        if (!isSameEntry(from, to)) {
            throw RunError(kFileAlreadyExists);
        }
        const auto [source, target] = reach(from, to);
        if (::renameat(source.folder, source.name, target.folder, target.name) != 0) {
            throwMoveFailure(errno, from, to);
        }
        return;
    }
    throwMoveFailure(err, from, to);
}

void PosixFileSystem::append(const std::string& path, std::string_view text) {
    refuseBadName(path);
    injectFault(FaultSite::LogAppend, path);
    // Never through a link, and without waiting for a reader should the name be a pipe: the
    // check below is made on the very file opened, so nothing can be swapped in between.
    const auto [folder, name, othersMayAdd] = reach(path);
    UniqueFd file(::openat(
        folder, name,
        O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644));
    struct stat st {};
    if (file.get() < 0) {
        const int err = errno;
        if (const auto why = refusalOf(path)) {
            throw FileRefused(*why);  // ELOOP for a link, EISDIR, ENXIO for a pipe, ...
        }
        throwForPath(err, path);
    }
    // Where nobody but this user and the system can add a name, nobody else can have put a link
    // in the log's place since the folder was held; everywhere else each file opened is checked.
    if (othersMayAdd) {
        if (::fstat(file.get(), &st) != 0) {
            throwForPath(errno, path);
        }
        if (const auto why = refusalOf(st)) {
            throw FileRefused(*why);
        }
    }
    throwIfFailed(writeAll(file.get(), text));
    throwIfFailed(file.close());
}

std::optional<Refusal> PosixFileSystem::refusalOf(const std::string& path) const {
    struct stat st {};
    if (path.find('\0') != std::string::npos || ::lstat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return refusalOf(st);
}

std::optional<Refusal> PosixFileSystem::refusalOf(const struct stat& st) {
    if (S_ISLNK(st.st_mode)) {
        return Refusal::Link;
    }
    if (!S_ISREG(st.st_mode)) {
        return Refusal::NotRegular;
    }
    if (st.st_nlink > 1) {
        return Refusal::OtherNames;
    }
    return std::nullopt;
}

bool PosixFileSystem::createNew(const std::string& path, std::string_view text) {
    refuseBadName(path);
    if (::access(path.c_str(), F_OK) == 0) {
        return false;
    }
    // Write a private file next to it, then publish it by a move that never replaces: a reader
    // sees the whole text or no file, and a racing creator keeps its own file.
    std::string temp = folderOf(path) + "/.qm-new-XXXXXX";
    UniqueFd file(::mkostemp(temp.data(), O_CLOEXEC));
    if (file.get() < 0) {
        throwForPath(errno, path);
    }
    struct TempRemover {
        const std::string& name;
        bool armed = true;
        ~TempRemover() {
            if (armed) {
                ::unlink(name.c_str());
            }
        }
    } remover{temp};
    ::fchmod(file.get(), 0644);
    throwIfFailed(writeAll(file.get(), text));
    throwIfFailed(file.close());
    // The rename leaves it one name throughout; link(), for a volume without RENAME_NOREPLACE,
    // gives it two for a moment, in which another instance's append refuses it.
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) {
        remover.armed = false;
        return true;
    }
    if (errno == EEXIST) {
        return false;
    }
    if (::link(temp.c_str(), path.c_str()) == 0) {
        return true;
    }
    if (errno == EEXIST) {
        return false;
    }
    if (errno != EPERM && errno != ENOTSUP) {
        throwForPath(errno, path);
    }
    // No hard links on this volume (FAT): exclusive create is the next best thing.
    UniqueFd direct(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (direct.get() < 0) {
        if (errno == EEXIST) {
            return false;
        }
        throwForPath(errno, path);
    }
    throwIfFailed(writeAll(direct.get(), text));
    throwIfFailed(direct.close());
    return true;
}

void PosixFileSystem::createFolders(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        throw RunError(kBadFileName);
    }
    if (const int err = makeFolders(path); err != 0) {
        throwForPath(err, path);
    }
}

namespace {

// A first guess at how many entries a folder holds, from its size: ext4 and most others give
// the bytes its entries take on disk, some 24 bytes or more each for the names folders hold.
// A huge folder's list is then not copied over and over as it grows; the part of a larger
// guess never written to is never given memory by the kernel.
std::size_t likelyEntries(int dirFd) {
    constexpr std::size_t kBytesPerEntry = 24;
    constexpr std::size_t kMostReserved = std::size_t{1} << 24;
    struct stat st {};
    if (::fstat(dirFd, &st) != 0 || st.st_size <= 0) {
        return 0;
    }
    return std::min(static_cast<std::size_t>(st.st_size) / kBytesPerEntry, kMostReserved);
}

// Every entry of the folder at `path`, or with `foldersOnly` its folders, read once.
std::vector<FolderEntry> readFolder(const std::string& path, bool foldersOnly) {
    if (path.find('\0') != std::string::npos) {
        throw RunError(kBadFileName);
    }
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(path.c_str()), ::closedir);
    if (!dir) {
        // What is missing here is a folder: path not found, whether or not its parent is there.
        throw errorFromErrno(errno, MissingIs::Path);
    }
    const int dirFd = ::dirfd(dir.get());
    std::vector<FolderEntry> entries;
    if (!foldersOnly) {
        entries.reserve(likelyEntries(dirFd));
    }
    errno = 0;
    while (const dirent* e = ::readdir(dir.get())) {
        const std::string_view name(e->d_name);
        bool isFolder = e->d_type == DT_DIR;
        if (name == "." || name == ".." ||
            (foldersOnly && !isFolder && e->d_type != DT_UNKNOWN && e->d_type != DT_LNK)) {
            continue;
        }
        if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
            struct stat st {};
            isFolder = ::fstatat(dirFd, e->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        if (isFolder || !foldersOnly) {
            entries.push_back(FolderEntry{std::string(name), isFolder, name.front() == '.'});
        }
        errno = 0;
    }
    if (errno != 0) {
        throw errorFromErrno(errno, MissingIs::Path);
    }
    return entries;
}

}  // namespace

std::vector<FolderEntry> PosixFileSystem::listFolder(const std::string& path) const {
    return readFolder(path, false);
}

std::vector<FolderEntry> PosixFileSystem::listFolders(const std::string& path) const {
    return readFolder(path, true);
}

namespace {

// ext2/3/4, tmpfs, XFS, Btrfs, F2FS: where a folder's mode bits (and the mask of its access
// control list) bound who may add names to it.
bool isLocalDiskFileSystem(decltype(statfs::f_type) type) {
    constexpr decltype(type) kinds[] = {0xEF53, 0x01021994, 0x58465342,
                                        static_cast<decltype(type)>(0x9123683E), 0xF2F52010};
    return std::find(std::begin(kinds), std::end(kinds), type) != std::end(kinds);
}

}  // namespace

class PosixFolderHold : public FolderHold {
  public:
    PosixFolderHold(PosixFileSystem& files, int fd) : m_files(files), m_fd(fd) {}
    ~PosixFolderHold() override { m_files.release(m_fd); }
    PosixFolderHold(const PosixFolderHold&) = delete;
    PosixFolderHold& operator=(const PosixFolderHold&) = delete;

  private:
    PosixFileSystem& m_files;
    int m_fd;
};

std::unique_ptr<FolderHold> PosixFileSystem::holdFolder(const std::string& folder) {
    if (folder.empty() || folder.find('\0') != std::string::npos) {
        return nullptr;
    }
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;  // the run's own calls will say what is wrong with the folder
    }
    // Only on the disk's own file systems do the folder's owner and mode say who may write it:
    // network and FUSE file systems may grant what they do not show.
    struct stat st {};
    struct statfs volume {};
    const bool ownersOnly = ::fstat(fd, &st) == 0 && ::fstatfs(fd, &volume) == 0 &&
                            S_ISDIR(st.st_mode) && (st.st_uid == ::geteuid() || st.st_uid == 0) &&
                            (st.st_mode & (S_IWGRP | S_IWOTH)) == 0 &&
                            isLocalDiskFileSystem(volume.f_type);
    std::string prefix = folder;
    while (prefix.size() > 1 && prefix.back() == '/') {
        prefix.pop_back();
    }
    if (prefix != "/") {
        prefix += '/';
    }
    const std::lock_guard lock(m_heldLock);
    m_held.push_back({std::move(prefix), fd, ownersOnly});
    return std::make_unique<PosixFolderHold>(*this, fd);
}

PosixFileSystem::Reached PosixFileSystem::reach(const std::string& path) const {
    const std::lock_guard lock(m_heldLock);
    return reachHeld(path);
}

std::pair<PosixFileSystem::Reached, PosixFileSystem::Reached> PosixFileSystem::reach(
    const std::string& from, const std::string& to) const {
    const std::lock_guard lock(m_heldLock);
    return {reachHeld(from), reachHeld(to)};
}

PosixFileSystem::Reached PosixFileSystem::reachHeld(const std::string& path) const {
    for (const auto& held : m_held) {
        if (path.size() > held.prefix.size() && path.starts_with(held.prefix) &&
            path.find('/', held.prefix.size()) == std::string::npos) {
            return {held.fd, path.c_str() + held.prefix.size(), !held.ownersOnly};
        }
    }
    return {AT_FDCWD, path.c_str(), true};
}

void PosixFileSystem::release(int fd) {
    const std::lock_guard lock(m_heldLock);
    std::erase_if(m_held, [fd](const HeldFolder& held) { return held.fd == fd; });
    ::close(fd);
}

}  // namespace qm::platform
