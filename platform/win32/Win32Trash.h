// The Recycle Bin: SHFileOperationW deleting with FOF_ALLOWUNDO, without a question, a progress
// window or the shell's own error dialog (the program shows its own), but with the shell's
// warning where the file cannot go to the Recycle Bin (a stick, a network share, a file larger
// than the bin): a file is never deleted for good without the user's word.
#pragma once

#include <functional>
#include <string>

#include "services/Trash.h"

namespace qm::platform {

// The window a shell request belongs to (an HWND, nullptr for none), asked at each request.
using OwnerWindow = std::function<void*()>;

class Win32Trash : public Trash {
  public:
    // A missing file is the error of the file system (53, 76) before the shell is asked; a path
    // the shell cannot take (from MAX_PATH on) is kShellPathTooLong; the user's No to deleting
    // for good is kShellCancelled, naming the file kept; a code of the shell's own is raised as
    // that number.
    void moveToTrash(const std::string& path) override;
    // The owner of the shell's warning (the program's window in front).
    void setOwner(OwnerWindow owner) { m_owner = std::move(owner); }

    // The shell's code for an operation the user cancelled (DE_OPCANCELLED).
    static constexpr int kShellCancelled = 0x75;

  private:
    OwnerWindow m_owner;
};

}  // namespace qm::platform
