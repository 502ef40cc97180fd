// A shell for tests: records each request instead of starting a program.
#pragma once

#include <string>
#include <vector>

#include "services/Shell.h"

namespace qm::platform {

struct ShellRequest {
    std::string verb;
    std::string target;
};

class RecordingShell : public Shell {
  public:
    bool execute(const std::string& verb, const std::string& target) override {
        requests.push_back({verb, target});
        return opens;
    }
    std::vector<ShellRequest> requests;
    bool opens = true;  // false: as a desktop without an opener
};

}  // namespace qm::platform
