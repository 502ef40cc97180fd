// What the program tells about the machine: its name, the operating system, and the OS's own
// folders (in place of a Windows folder and a system folder).
#pragma once

#include <string>

#include "frame/ErrorReporter.h"
#include "services/SystemFacts.h"
#include "services/SystemInformation.h"

namespace qm {

class bOperatingSystem {
  public:
    bOperatingSystem(const platform::SystemFacts& facts, ErrorReporter& errors);

    // The computer's name, cleaned of NULs and spaces; "Unknown" when it cannot be read.
    std::string ReadComputerName() const;
    // The text a machine name is stored as: unchanged, or "Unknown" when empty or blank.
    static std::string machineNameFrom(const std::string& name);

    // "Windows 95, ver. 4.0(950)" / "Windows NT, ver. 5.1(2600)" for those families; for any
    // other system its name the same way ("Linux, ver. 6.1(6.1.0-28-amd64)"). A failure (no
    // system information) is logged and gives "".
    std::string GetOS(const platform::SystemInformation* info) const;

    // The OS folder and library folder, qualified ("/usr/", "/usr/lib/x86_64-linux-gnu/"); ""
    // when unknown.
    std::string GetWindowsFolder() const;
    std::string GetSystemFolder() const;
    // What the program is built for and the names of those two folders, as the platform says.
    platform::SystemWording wording() const { return m_facts.wording(); }

  private:
    const platform::SystemFacts& m_facts;
    ErrorReporter& m_errors;
};

}  // namespace qm
