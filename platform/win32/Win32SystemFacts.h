// Machine and program facts on Windows: GetComputerNameW, RtlGetVersion (the true version, which
// GetVersionEx hides from programs without a manifest), GetWindowsDirectoryW,
// GetSystemDirectoryW, GetModuleFileNameW, the environment, and the program's version resource.
#pragma once

#include <optional>

#include "services/SystemFacts.h"

namespace qm::platform {

// The fixed part of a version resource: major.minor.build.revision.
struct FileVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
    int revision = 0;
};

class Win32SystemFacts : public SystemFacts {
  public:
    std::optional<std::string> computerName() const override;
    // name "Windows NT", release "major.minor.build" ("10.0.19045"), version the service pack
    // text ("" for none).
    KernelInfo kernel() const override;
    std::string executablePath() const override;
    std::string osFolder() const override;         // GetWindowsDirectoryW ("C:\Windows")
    std::string osLibraryFolder() const override;  // GetSystemDirectoryW ("C:\Windows\system32")
    // "A 64-bit application for Windows 7 and higher." (32-bit for the i686 build), the
    // folders as "Windows Directory" and "Windows System Directory".
    SystemWording wording() const override;
    // "C:\TOOLS\QUILLMOTE.EXE": upper case as the file system compares names (not the user's
    // language rules, under which a Turkish "i" would name another file), extension ".EXE".
    std::string shownProgramFile(const std::string& path) const override;
    // Whether a file can be created there: tried, not guessed from the folder's access list.
    bool folderWritable(const std::string& folder) const override;
    // Whether the file opens for appending: tried, as for the folder.
    bool fileWritable(const std::string& path) const override;
    std::optional<std::string> environment(const std::string& name) const override;
    // %LOCALAPPDATA%\Quillmote Utility (the known folder when the variable is missing).
    std::string stateFolder() const override;

    // The version resource of a program file; nullopt when it has none.
    static std::optional<FileVersion> fileVersion(const std::string& programFile);
};

}  // namespace qm::platform
