// Test-only fault injection for the file layer and the settings store (POSIX and Windows): the
// n-th operation at a site fails with a chosen errno as if the system call had (the Windows
// services raise the same numbered error). Nothing in the program creates one; tests hand one to
// the back ends they build.
#pragma once

#include <map>
#include <mutex>
#include <optional>

namespace qm::platform {

// Rename fails a whole rename before anything moves; RenameNoReplace, HardLink and MoveOntoClaim
// stand in for the answer of one system call inside the POSIX rename, as a file system without
// that call gives it. TemporaryMove: the moves of a case-only rename made through a temporary
// name (Windows): the first to the temporary name, the second on to the new name, the third back
// to the old one.
enum class FaultSite {
    Rename,
    RenameNoReplace,
    HardLink,
    MoveOntoClaim,
    LogAppend,
    HiveWrite,
    TemporaryMove
};

class FaultPlan {
  public:
    // The `nth` (1-based, counted from now) operation at `site` fails with `errnoValue`; with
    // `sticky` every later one too, until lift().
    void failNth(FaultSite site, int nth, int errnoValue, bool sticky = false);
    void lift(FaultSite site);

    // Called by the back end before each operation at `site`: the errno to fail with, if any.
    std::optional<int> next(FaultSite site);

  private:
    struct Fault {
        int countdown = 0;
        int errnoValue = 0;
        bool sticky = false;
    };
    std::mutex m_mutex;
    std::map<FaultSite, Fault> m_faults;
};

}  // namespace qm::platform
