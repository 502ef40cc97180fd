// Asking the desktop to act on a file or folder ("open" a document, "explore" a folder) with
// its default handler. Started without a shell and not waited for; the answer is whether the
// request could be started at all. A target the desktop cannot take at all (on Windows a path
// the shell cannot reach) throws RunError saying why.
#pragma once

#include <string>

namespace qm::platform {

class Shell {
  public:
    virtual ~Shell() = default;
    virtual bool execute(const std::string& verb, const std::string& target) = 0;
};

}  // namespace qm::platform
