// ShellExecuteW with the verb ("open", "explore") on a file or folder, not waited for. The target
// is shown the way the verb's callers want it: maximized for a document, normally for a folder.
#pragma once

#include <string>

#include "services/Shell.h"

namespace qm::platform {

class Win32Shell : public Shell {
  public:
    // False when the shell could not start the request (no such file, no program registered
    // for it, a target no Windows name can be).
    bool execute(const std::string& verb, const std::string& target) override;
};

}  // namespace qm::platform
