#include "engine/RunConflicts.h"

#include <map>

namespace qm {

std::vector<RunConflict> findRunConflicts(
    const std::vector<std::string>& folderNames,
    const std::vector<std::pair<std::string, std::string>>& renames) {
    // Who holds each name at the current step: -1 a file the run does not move; a step's number
    // for the file of that step under its old name (`moved` false) or its new one (true).
    struct Holder {
        int row = -1;
        bool moved = false;
    };
    std::map<std::string, Holder> names;
    for (const auto& name : folderNames) {
        names[name] = Holder{};
    }
    const int count = static_cast<int>(renames.size());
    for (int row = 0; row < count; ++row) {
        names[renames[static_cast<std::size_t>(row)].first] = Holder{row, false};
    }
    std::vector<RunConflict> conflicts;
    for (int row = 0; row < count; ++row) {
        const auto& [oldName, newName] = renames[static_cast<std::size_t>(row)];
        if (newName == oldName) {
            continue;  // renaming a file to its own name succeeds and changes nothing
        }
        const auto held = names.find(newName);
        if (held == names.end()) {
            names.erase(oldName);
            names[newName] = Holder{row, true};
            continue;
        }
        const Holder holder = held->second;
        RunConflict conflict{row, RunConflict::Obstacle::InFolder, -1};
        if (holder.moved) {
            conflict = {row, RunConflict::Obstacle::NewNameOfEarlier, holder.row};
        } else if (holder.row > row &&
                   renames[static_cast<std::size_t>(holder.row)].second != newName) {
            conflict = {row, RunConflict::Obstacle::RenamedLater, holder.row};
        }
        conflicts.push_back(conflict);
    }
    return conflicts;
}

}  // namespace qm
