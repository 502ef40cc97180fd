// The real file layer on Windows: MoveFileExW without replace, appends through a handle opened
// for FILE_APPEND_DATA (never through a reparse point) with one WriteFile per text, new files
// published by a rename that never replaces, FindFirstFileExW listings. Every path goes to the W
// functions as UTF-16, long paths with the "\\?\" prefix.
#pragma once

#include "services/FaultPlan.h"
#include "services/FileSystem.h"

namespace qm::platform {

class Win32FileSystem : public FileSystem {
  public:
    // `faults` (tests only) makes chosen renames and appends fail as if the system had.
    explicit Win32FileSystem(FaultPlan* faults = nullptr) : m_faults(faults) {}

    bool isFile(const std::string& path) const override;
    bool isFolder(const std::string& path) const override;
    std::optional<FileInfo> info(const std::string& path) const override;
    // Also refuses with 52 a new name Windows would not keep as written (isNameWindowsKeeps).
    // A change of letter case only is checked against the name the folder then reports, and
    // made through a temporary name in the same folder where the plain move left the old case.
    void renameNoReplace(const std::string& from, const std::string& to) override;
    void append(const std::string& path, std::string_view text) override;
    std::optional<Refusal> refusalOf(const std::string& path) const override;
    bool createNew(const std::string& path, std::string_view text) override;
    void createFolders(const std::string& path) override;
    std::vector<FolderEntry> listFolder(const std::string& path) const override;

    // How long append() waits for a file another program holds open.
    static constexpr unsigned kHeldFileWaitMs = 250;

  private:
    void injectFault(FaultSite site, const std::string& path) const;

    FaultPlan* m_faults;
};

}  // namespace qm::platform
