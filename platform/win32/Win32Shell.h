// ShellExecuteW with the verb ("open", "explore") on a file or folder, not waited for, shown
// maximized, owned by the program's window in front. The calling thread must have entered a
// single-threaded COM apartment (wWinMain does): the shell hands some requests to extensions
// reached through COM.
#pragma once

#include <string>

#include "platform/win32/Win32Trash.h"
#include "services/Shell.h"

namespace qm::platform {

class Win32Shell : public Shell {
  public:
    // False when the shell could not start the request (no such file, no program registered
    // for it, a target no Windows name can be). A path the shell cannot take (from MAX_PATH on,
    // without a short form within it) throws RunError kShellPathTooLong saying so.
    bool execute(const std::string& verb, const std::string& target) override;
    void setOwner(OwnerWindow owner) { m_owner = std::move(owner); }

  private:
    OwnerWindow m_owner;
};

}  // namespace qm::platform
