// Which renames of a run would meet a name that already exists. The run is walked in its order
// over the folder's names: a rename that can go through frees its old name and takes its new
// one; one that cannot leaves its file where it is. Names compare byte for byte, as on a
// case-sensitive folder, so a change of letter case only is no conflict.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace qm {

struct RunConflict {
    enum class Obstacle {
        InFolder,          // a file or folder the run leaves where it is
        NewNameOfEarlier,  // an earlier rename of the run takes this name first
        RenamedLater,      // a file of the run that is renamed away only at a later step
    };
    int row;  // the step whose new name already exists
    Obstacle obstacle;
    int otherRow;  // the earlier or later step for those obstacles, else -1
    bool operator==(const RunConflict&) const = default;
};

// `folderNames`: every entry of the folder; `renames`: old and new bare names in run order.
std::vector<RunConflict> findRunConflicts(
    const std::vector<std::string>& folderNames,
    const std::vector<std::pair<std::string, std::string>>& renames);

}  // namespace qm
