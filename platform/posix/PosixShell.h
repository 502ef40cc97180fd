// The desktop's default handler (xdg-open) for "open" and "explore", started detached: no shell,
// no waiting, no zombie left behind.
#pragma once

#include <string>

#include "services/Shell.h"

namespace qm::platform {

class PosixShell : public Shell {
  public:
    explicit PosixShell(std::string opener = "xdg-open") : m_opener(std::move(opener)) {}
    bool execute(const std::string& verb, const std::string& target) override;

  private:
    std::string m_opener;
};

}  // namespace qm::platform
