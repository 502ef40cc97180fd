// The real file layer on Windows: MoveFileExW without replace, appends through a handle opened
// for FILE_APPEND_DATA (never through a reparse point) with one WriteFile per text, new files
// published by a rename that never replaces, FindFirstFileExW listings. Every path goes to the W
// functions as UTF-16, long paths with the "\\?\" prefix.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "base/RunError.h"
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
    // A change of letter case only is checked against the name the folder then reports, and
    // made through a temporary name in the same folder where the plain move left the old case;
    // should the file be left under that name (neither the move on nor the move back went), the
    // error is 70 naming the temporary name, and the same rename asked again goes on from it.
    void renameNoReplace(const std::string& from, const std::string& to) override;
    // Every name Windows would refuse or not keep as written (whyWindowsRefuses).
    std::string nameRefusal(std::string_view name) const override;
    // Upper case by the file system's own rules (LCMapStringEx, invariant, not linguistic).
    std::string caseKey(std::string_view name) const override;
    void append(const std::string& path, std::string_view text) override;
    std::optional<Refusal> refusalOf(const std::string& path) const override;
    bool createNew(const std::string& path, std::string_view text) override;
    void createFolders(const std::string& path) override;
    std::vector<FolderEntry> listFolder(const std::string& path) const override;

    // How long append() waits for a file another program holds open.
    static constexpr unsigned kHeldFileWaitMs = 250;

  private:
    struct MoveFailure {
        RunError error;
        unsigned long code;  // the system's error code; 0 for a planned fault
    };
    void injectFault(FaultSite site, const std::string& path) const;
    std::optional<MoveFailure> move(const std::wstring& from, const std::wstring& to) const;
    void renameThroughTemporary(const std::wstring& from, const std::wstring& to);
    void renameFromTemporary(const std::wstring& from, const std::wstring& temporary,
                             const std::wstring& to);

    FaultPlan* m_faults;
    std::map<std::wstring, std::wstring> m_stranded;  // old path -> the temporary name it holds
};

}  // namespace qm::platform
