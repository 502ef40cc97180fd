#include "platform/posix/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "base/PathRules.h"
#include "base/RunError.h"
#include "platform/posix/PosixFileTools.h"

namespace qm::platform {

namespace {

bool statPath(const std::string& path, struct stat& st) {
    return !path.empty() && path.find('\0') == std::string::npos && ::stat(path.c_str(), &st) == 0;
}

void refuseBadName(const std::string& path) {
    const auto name = lastComponent(path);
    if (name.empty() || name == "." || name == ".." || path.find('\0') != std::string::npos) {
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

void PosixFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    refuseBadName(from);
    refuseBadName(to);
    struct stat source {};
    if (from == to) {
        // The same name: nothing to do and nothing to lose, once the file is known to be there.
        if (::lstat(from.c_str(), &source) != 0) {
            throwForPath(errno, from);
        }
        return;
    }
    injectFault(FaultSite::Rename, from);
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return;
    }
    const int err = errno;
    if (err == EEXIST) {
        // On a case-insensitive volume the new name may only change letter case and so name
        // this very file. Only then is a plain rename safe; a second link to it, or any other
        // file, keeps its place and the rename is refused.
        struct stat target {};
        if (::lstat(from.c_str(), &source) == 0 && ::lstat(to.c_str(), &target) == 0 &&
            target.st_dev == source.st_dev && target.st_ino == source.st_ino &&
            source.st_nlink == 1) {
            if (::rename(from.c_str(), to.c_str()) == 0) {
                return;
            }
            throwForPath(errno, from);
        }
        throw RunError(kFileAlreadyExists);
    }
    if (err == EINVAL || err == ENOSYS) {
        // A file system without RENAME_NOREPLACE: link() never replaces either, then the old
        // name goes. Where hard links are not supported either, the rename is refused.
        if (::link(from.c_str(), to.c_str()) == 0) {
            if (::unlink(from.c_str()) != 0) {
                const int unlinkErr = errno;
                ::unlink(to.c_str());
                throwForPath(unlinkErr, from);
            }
            return;
        }
        throwForPath(errno == EEXIST ? EEXIST : err, to);
    }
    throwForPath(err, err == ENOENT && !isFile(from) ? from : to);
}

void PosixFileSystem::append(const std::string& path, std::string_view text) {
    refuseBadName(path);
    injectFault(FaultSite::LogAppend, path);
    // Never through a link, and without waiting for a reader should the name be a pipe: the
    // check below is made on the very file opened, so nothing can be swapped in between.
    UniqueFd file(::open(
        path.c_str(),
        O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644));
    struct stat st {};
    if (file.get() < 0) {
        const int err = errno;
        if (const auto why = refusalOf(path)) {
            throw FileRefused(*why);  // ELOOP for a link, EISDIR, ENXIO for a pipe, ...
        }
        throwForPath(err, path);
    }
    if (::fstat(file.get(), &st) != 0) {
        throwForPath(errno, path);
    }
    if (const auto why = refusalOf(st)) {
        throw FileRefused(*why);
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

std::vector<FolderEntry> PosixFileSystem::listFolder(const std::string& path) const {
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
    errno = 0;
    while (const dirent* e = ::readdir(dir.get())) {
        const std::string_view name(e->d_name);
        if (name == "." || name == "..") {
            continue;
        }
        bool isFolder = e->d_type == DT_DIR;
        if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
            struct stat st {};
            isFolder = ::fstatat(dirFd, e->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        entries.push_back(FolderEntry{std::string(name), isFolder, name.front() == '.'});
        errno = 0;
    }
    if (errno != 0) {
        throw errorFromErrno(errno, MissingIs::Path);
    }
    return entries;
}

}  // namespace qm::platform
