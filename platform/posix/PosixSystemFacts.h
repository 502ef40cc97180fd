// Machine and program facts on Linux: gethostname, uname, /proc/self/exe, access(W_OK).
#pragma once

#include "services/SystemFacts.h"

namespace qm::platform {

class PosixSystemFacts : public SystemFacts {
  public:
    std::optional<std::string> computerName() const override;
    KernelInfo kernel() const override;
    std::string executablePath() const override;
    std::string osFolder() const override { return "/usr/"; }
    // The folder of the system's own libraries: the multiarch one ("/usr/lib/x86_64-linux-gnu/")
    // where the system has it, else "/usr/lib/".
    std::string osLibraryFolder() const override;
    // "A 64-bit application for Linux.": the program's word size and the kernel's name.
    SystemWording wording() const override;
    // As it is: Linux names are case-sensitive and a program has no extension.
    std::string shownProgramFile(const std::string& path) const override { return path; }
    bool folderWritable(const std::string& folder) const override;
    bool fileWritable(const std::string& path) const override;
    std::optional<std::string> environment(const std::string& name) const override;
    std::string stateFolder() const override;
};

}  // namespace qm::platform
