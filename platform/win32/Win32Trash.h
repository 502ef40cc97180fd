// The Recycle Bin: SHFileOperationW deleting with FOF_ALLOWUNDO, without a question, a progress
// window or the shell's own error dialog (the program shows its own).
#pragma once

#include <string>

#include "services/Trash.h"

namespace qm::platform {

class Win32Trash : public Trash {
  public:
    // A missing file is the error of the file system (53, 76) before the shell is asked; a code
    // of the shell's own is raised as that number.
    void moveToTrash(const std::string& path) override;
};

}  // namespace qm::platform
