// The freedesktop.org Trash: the home trash for files on the home trash's volume, else the
// volume's own .Trash-<uid>. Each file gets a unique name in files/ and its .trashinfo in info/.
#pragma once

#include <string>

#include "services/Trash.h"

namespace qm::platform {

class PosixTrash : public Trash {
  public:
    // `homeTrash` is the home trash folder ($XDG_DATA_HOME/Trash when not given).
    explicit PosixTrash(std::string homeTrash = defaultHomeTrash());

    void moveToTrash(const std::string& path) override;

    static std::string defaultHomeTrash();

  private:
    std::string m_homeTrash;
};

}  // namespace qm::platform
