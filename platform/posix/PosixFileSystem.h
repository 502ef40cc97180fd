// The real file layer on POSIX/Linux: renames that never replace (renameat2(RENAME_NOREPLACE),
// else link() and unlink(), else a claim on the new name), O_APPEND single writes that never
// follow a link, new files published by a move that never replaces, readdir listings.
#pragma once

#include <sys/stat.h>

#include <mutex>
#include <string_view>

#include "services/FaultPlan.h"
#include "services/FileSystem.h"

namespace qm::platform {

class PosixFileSystem : public FileSystem {
  public:
    // `faults` (tests only) makes chosen renames and appends fail.
    explicit PosixFileSystem(FaultPlan* faults = nullptr) : m_faults(faults) {}

    bool isFile(const std::string& path) const override;
    bool isFolder(const std::string& path) const override;
    std::optional<FileInfo> info(const std::string& path) const override;
    void renameNoReplace(const std::string& from, const std::string& to) override;
    // Empty, "." and "..", and names past the 255 bytes Linux file systems hold.
    std::string nameRefusal(std::string_view name) const override;
    // Upper case by Unicode's own rules (the C.UTF-8 locale), as FAT and exFAT compare.
    std::string caseKey(std::string_view name) const override;
    void append(const std::string& path, std::string_view text) override;
    std::optional<Refusal> refusalOf(const std::string& path) const override;
    bool createNew(const std::string& path, std::string_view text) override;
    void createFolders(const std::string& path) override;
    std::vector<FolderEntry> listFolder(const std::string& path) const override;
    std::vector<FolderEntry> listFolders(const std::string& path) const override;
    // An open descriptor of the folder, through which its entries' paths are reached.
    std::unique_ptr<FolderHold> holdFolder(const std::string& folder) override;

  private:
    friend class PosixFolderHold;
    struct HeldFolder {
        std::string prefix;  // the folder's path with one '/' after it
        int fd;
        bool ownersOnly;  // only its owner, this user or the system, can add a name to it
    };
    struct Reached {
        int folder;         // a held folder's descriptor, or AT_FDCWD
        const char* name;   // the bare name in it, or the whole path
        bool othersMayAdd;  // whether a user other than this one or the system may add names
    };
    // How `path` is reached: through a held folder when it names an entry of one, else whole
    // (and then any folder it is in may be one that others write).
    Reached reach(const std::string& path) const;
    // Both ends of a move, in one look.
    std::pair<Reached, Reached> reach(const std::string& from, const std::string& to) const;
    Reached reachHeld(const std::string& path) const;  // with m_heldLock taken
    void release(int fd);

    static std::optional<Refusal> refusalOf(const struct stat& st);
    void injectFault(FaultSite site, const std::string& path) const;
    // 0 when `call` succeeds, else its errno, or the errno a test's fault plan puts in its
    // place (the call is then not made).
    template <typename Call>
    int outcome(FaultSite site, const Call& call) const;
    bool isSameEntry(const std::string& from, const std::string& to) const;
    int moveOntoClaim(const std::string& from, const std::string& to);

    FaultPlan* m_faults;
    mutable std::mutex m_heldLock;
    std::vector<HeldFolder> m_held;
};

// The error for a failed call on `path`: ENOENT becomes 76 when the folder holding `path` is
// missing, else 53.
[[noreturn]] void throwForPath(int errnoValue, const std::string& path);

}  // namespace qm::platform
