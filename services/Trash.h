// Moving files to the desktop's trash (the freedesktop.org Trash on Linux): no question, no
// progress window. Throws RunError when a file cannot be moved.
#pragma once

#include <string>

namespace qm::platform {

class Trash {
  public:
    virtual ~Trash() = default;
    virtual void moveToTrash(const std::string& path) = 0;
};

}  // namespace qm::platform
