// Which renames of a run would stop it: a new name that already exists, or one the file system
// refuses. The run is walked in its order over the folder's names: a rename that can go through
// frees its old name and takes its new one; one that cannot leaves its file where it is. Names
// compare by a key the folder's letter-case rules give (byte for byte where it respects case).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qm {

struct RunConflict {
    enum class Obstacle {
        InFolder,          // a file or folder the run leaves where it is
        NewNameOfEarlier,  // an earlier rename of the run takes this name first
        RenamedLater,      // a file of the run that is renamed away only at a later step
        Refused,           // the file system does not take the new name at all
    };
    int row;  // the step whose new name already exists or is refused
    Obstacle obstacle;
    int otherRow;  // the earlier or later step for those obstacles, else -1
    // Refused: why. InFolder: the name as the folder spells it, where that differs.
    std::string detail;
    bool operator==(const RunConflict&) const = default;
};

// How the folder compares and refuses names; the defaults compare byte for byte and refuse none.
struct FolderNameRules {
    std::function<std::string(std::string_view)> key;      // the form two names compare in
    std::function<std::string(std::string_view)> refusal;  // why a name is refused, or ""
};

// `folderNames`: every entry of the folder; `renames`: old and new bare names in run order.
std::vector<RunConflict> findRunConflicts(
    const std::vector<std::string>& folderNames,
    const std::vector<std::pair<std::string_view, std::string_view>>& renames,
    const FolderNameRules& rules = {});

}  // namespace qm
