// What the operating system says about the machine and the running program.
#pragma once

#include <optional>
#include <string>

namespace qm::platform {

struct KernelInfo {
    std::string name;     // "Linux"
    std::string release;  // "6.1.0-28-amd64"
    std::string version;  // "#1 SMP PREEMPT_DYNAMIC Debian 6.1.119-1 (2024-11-22)"
};

// How the About box speaks of the program's build and of the OS's two folders on this system.
struct SystemWording {
    std::string application;           // "A 64-bit application for Linux."
    std::string osFolderLabel;         // "System Directory"
    std::string osLibraryFolderLabel;  // "System Library Directory"
};

class SystemFacts {
  public:
    virtual ~SystemFacts() = default;
    // The computer's name; nullopt when it cannot be read.
    virtual std::optional<std::string> computerName() const = 0;
    virtual KernelInfo kernel() const = 0;
    // The running program file's full path ("" when unknown).
    virtual std::string executablePath() const = 0;
    // The OS's own folders, in place of a Windows folder and a system folder.
    virtual std::string osFolder() const = 0;
    virtual std::string osLibraryFolder() const = 0;
    virtual SystemWording wording() const = 0;
    // How the About box names the program file `path` and looks for it: on Windows in upper case
    // with the extension ".EXE", as the system's own tools name programs; elsewhere as it is.
    virtual std::string shownProgramFile(const std::string& path) const = 0;
    // Whether the current user may create files in `folder`.
    virtual bool folderWritable(const std::string& folder) const = 0;
    // Whether the current user may open the existing file `path` for appending.
    virtual bool fileWritable(const std::string& path) const = 0;
    // The value of an environment variable, nullopt when unset.
    virtual std::optional<std::string> environment(const std::string& name) const = 0;
    // The folder for the program's per-user state when its own folder cannot be written, without
    // a trailing separator: $XDG_STATE_HOME/quillmote (else ~/.local/state/quillmote) on Linux,
    // %LOCALAPPDATA%\Quillmote Utility on Windows.
    virtual std::string stateFolder() const = 0;
};

}  // namespace qm::platform
