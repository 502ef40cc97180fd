// The file layer every subsystem goes through: existence, listing, rename and the log's writes.
// Failures throw RunError with the program's numbering (errorFromErrno).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/RunError.h"

namespace qm::platform {

// What a text file the program creates (the log) starts with: on Windows the UTF-8 byte-order
// mark, so that every editor there reads the names in it right; nothing on POSIX.
#ifdef _WIN32
inline constexpr std::string_view kTextFileMark = "\xEF\xBB\xBF";
#else
inline constexpr std::string_view kTextFileMark = "";
#endif

// Why the file layer does not write into a file: it may lead to another file than the one named.
enum class Refusal {
    Link,          // a symbolic link (on Windows any reparse point that names another file)
    ReparsePoint,  // (Windows) any other reparse point, which another program interprets
    NotRegular,    // a folder, a device, a pipe
    OtherNames,    // a file with a second name (a hard link)
};

inline std::string refusalText(Refusal why) {
    switch (why) {
        case Refusal::Link:
            return "is a symbolic link";
        case Refusal::ReparsePoint:
            return "is a reparse point";
        case Refusal::NotRegular:
            return "is not a regular file";
        case Refusal::OtherNames:
            break;
    }
    return "has another name (a hard link)";
}

// A file append() does not write into; error 70, as for a file this user may not write.
class FileRefused : public RunError {
  public:
    explicit FileRefused(Refusal why)
        : RunError(kPermissionDenied, "Permission denied: the file " + refusalText(why)),
          m_why(why) {}
    Refusal why() const { return m_why; }

  private:
    Refusal m_why;
};

struct FileInfo {
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;  // seconds since the Unix epoch
};

struct FolderEntry {
    std::string name;  // the bytes the OS gave
    bool isFolder = false;
    // Hidden by the system's convention: a dot name on POSIX, the hidden or system attribute on
    // Windows. File and folder lists leave such entries out.
    bool hidden = false;
};

// Kept while one folder is worked in; see FileSystem::holdFolder.
class FolderHold {
  public:
    virtual ~FolderHold() = default;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Holds `folder` open until the hold goes. Meanwhile a rename between two of its entries and
    // an append to one of them reach the folder held, even should its path come to name another
    // folder (so a run ends in the folder it began in), and the path is not looked up again for
    // each file. nullptr where the layer holds no folder; paths are then looked up as ever.
    virtual std::unique_ptr<FolderHold> holdFolder(const std::string& folder) {
        static_cast<void>(folder);
        return nullptr;
    }

    // Existence questions never fail: any error reads as false.
    virtual bool isFile(const std::string& path) const = 0;
    virtual bool isFolder(const std::string& path) const = 0;
    // Size and modification time; nullopt when they cannot be read.
    virtual std::optional<FileInfo> info(const std::string& path) const = 0;

    // Renames `from` to `to` without ever replacing another file, on every file system: 58 when
    // `to` exists. Renaming to the same name succeeds and changes nothing; a change of letter
    // case only renames. A new name nameRefusal() gives a reason for, or one holding a NUL, is
    // refused with 52 (that reason its description) before anything moves.
    virtual void renameNoReplace(const std::string& from, const std::string& to) = 0;

    // Why a file cannot be given the bare `name`: the name in quotes, a colon and the reason
    // ("\"con.md\": CON is the name of a device in Windows, whatever the extension."); "" when
    // it can.
    virtual std::string nameRefusal(std::string_view name) const = 0;

    // `name` as a folder that ignores letter case compares it: two names with the same key reach
    // the same entry there. Locale-independent, as file systems compare.
    virtual std::string caseKey(std::string_view name) const = 0;

    // Appends `text` to the file, creating it when missing, with one write of the whole text,
    // and closes it again; concurrent appenders therefore interleave whole texts. A file this
    // creates starts with kTextFileMark, in the same write. Links are never followed: what is
    // opened is checked to be a regular file with one name, else FileRefused and nothing is
    // written. On Windows a file another program holds open is waited for a quarter of a
    // second at most, then refused with 70, saying so.
    virtual void append(const std::string& path, std::string_view text) = 0;
    // Why append() would refuse the file at `path` now; nullopt when it would not, or when
    // nothing is there.
    virtual std::optional<Refusal> refusalOf(const std::string& path) const = 0;

    // Creates the file with kTextFileMark and `text` as its whole content, atomically: it
    // appears complete or not at all. Returns false and changes nothing when the file already
    // exists.
    virtual bool createNew(const std::string& path, std::string_view text) = 0;

    // Creates the folder and any missing folders above it (mode 0700 for new ones).
    virtual void createFolders(const std::string& path) = 0;

    // Every entry of a folder except "." and "..", in the order the OS gives them.
    virtual std::vector<FolderEntry> listFolder(const std::string& path) const = 0;
    // The entries of listFolder that are folders, in the same order: a back end that can tell
    // a folder before it makes the entry leaves the files of a huge folder unread.
    virtual std::vector<FolderEntry> listFolders(const std::string& path) const {
        std::vector<FolderEntry> folders;
        for (auto& entry : listFolder(path)) {
            if (entry.isFolder) {
                folders.push_back(std::move(entry));
            }
        }
        return folders;
    }
};

}  // namespace qm::platform
