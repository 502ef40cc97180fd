#include "platform/posix/PosixTrash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "base/PathRules.h"
#include "base/RunError.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixFileTools.h"

namespace qm::platform {

namespace {

std::string absolutePath(const std::string& path) {
    if (!path.empty() && path[0] == '/') {
        return path;
    }
    char* cwd = ::getcwd(nullptr, 0);
    std::string result = cwd != nullptr ? std::string(cwd) + "/" + path : path;
    std::free(cwd);
    return result;
}

std::string percentEncoded(const std::string& path) {
    static const char* kHex = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : path) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '_' || c == '.' ||
                           c == '~';
        if (plain) {
            out.push_back(static_cast<char>(c));
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

// The mount point holding `path`: the highest ancestor on the same device.
std::string topDirectory(const std::string& path, dev_t device) {
    std::string top = parentPath(path);
    while (top != "/") {
        const std::string up = parentPath(top);
        struct stat st {};
        if (::stat(up.c_str(), &st) != 0 || st.st_dev != device) {
            break;
        }
        top = up;
    }
    return top;
}

// Makes a folder of the trash; 0 when it may take the file: a real folder, no link (which may
// lead anywhere another user chose), and on a volume's shared top folder one this user owns
// (another user may have made it first). EACCES, or the errno of the failure, when not.
int makeTrashFolder(const std::string& folder, bool mustOwn) {
    if (const int err = makeFolders(folder); err != 0) {
        return err;
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) {
        return errno;
    }
    return S_ISDIR(st.st_mode) && (!mustOwn || st.st_uid == ::geteuid()) ? 0 : EACCES;
}

std::string nameFor(const std::string& base, int attempt) {
    return attempt == 1 ? base : base + "." + std::to_string(attempt);
}

}  // namespace

PosixTrash::PosixTrash(std::string homeTrash) : m_homeTrash(std::move(homeTrash)) {}

std::string PosixTrash::defaultHomeTrash() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') {
        return std::string(dataHome) + "/Trash";
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.local/share/Trash";
}

void PosixTrash::moveToTrash(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        throw RunError(kBadFileName);
    }
    const std::string absolute = absolutePath(path);
    struct stat file {};
    if (::lstat(absolute.c_str(), &file) != 0) {
        throwForPath(errno, absolute);
    }
    std::string trash = m_homeTrash;
    struct stat home {};
    const bool homeUsable =
        makeFolders(m_homeTrash) == 0 && ::stat(m_homeTrash.c_str(), &home) == 0;
    const bool onVolume = !homeUsable || home.st_dev != file.st_dev;
    if (onVolume) {
        trash = topDirectory(absolute, file.st_dev);
        trash = (trash == "/" ? "" : trash) + "/.Trash-" + std::to_string(::getuid());
    }
    const std::string files = trash + "/files";
    const std::string info = trash + "/info";
    for (const std::string& folder : {trash, files, info}) {
        // (The home trash itself is the user's own; it may well be a link to another disk.)
        const int err = folder == trash && !onVolume ? 0 : makeTrashFolder(folder, onVolume);
        if (err != 0) {
            throw errorFromErrno(err);
        }
    }

    const auto slash = absolute.rfind('/');
    const std::string base = absolute.substr(slash + 1);
    std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    const std::string trashInfo =
        "[Trash Info]\nPath=" + percentEncoded(absolute) + "\nDeletionDate=" + date + "\n";

    for (int attempt = 1; attempt < 10000; ++attempt) {
        const std::string name = nameFor(base, attempt);
        const std::string infoPath = info + "/" + name + ".trashinfo";
        // The info file reserves the name; only its creator may use files/<name>.
        const int fd = ::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            throw errorFromErrno(errno);
        }
        const bool written = ::write(fd, trashInfo.data(), trashInfo.size()) ==
                             static_cast<ssize_t>(trashInfo.size());
        const int writeErr = errno;
        ::close(fd);
        if (!written) {
            ::unlink(infoPath.c_str());
            throw errorFromErrno(writeErr == 0 ? ENOSPC : writeErr);
        }
        const std::string target = files + "/" + name;
        if (::renameat2(AT_FDCWD, absolute.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) ==
            0) {
            return;
        }
        const int err = errno;
        ::unlink(infoPath.c_str());
        if (err != EEXIST) {
            throwForPath(err, absolute);
        }
    }
    throw RunError(kFileAlreadyExists);
}

}  // namespace qm::platform
