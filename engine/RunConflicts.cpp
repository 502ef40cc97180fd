#include "engine/RunConflicts.h"

#include <deque>
#include <string_view>
#include <unordered_map>

namespace qm {

std::vector<RunConflict> findRunConflicts(
    const std::vector<std::string>& folderNames,
    const std::vector<std::pair<std::string, std::string>>& renames, const FolderNameRules& rules) {
    // The table below holds views, never copies: of the names given, or where the folder has a
    // key of its own, of the keys made here (a deque never moves what it holds). A folder of a
    // million names is walked without a second million strings.
    std::deque<std::string> keys;
    const auto keyOf = [&](const std::string& name) -> std::string_view {
        return rules.key ? std::string_view(keys.emplace_back(rules.key(name)))
                         : std::string_view(name);
    };
    // A key only looked up: made again each time, kept for as long as the lookup.
    const auto sameKey = [&](const std::string& name) {
        return rules.key ? rules.key(name) : name;
    };
    // Who holds each name (by its key) at the current step, and how the folder spells it: -1 a
    // file the run does not move; a step's number for the file of that step under its old name
    // (`moved` false) or its new one (true).
    struct Holder {
        int row = -1;
        bool moved = false;
        std::string_view spelled;
    };
    std::unordered_map<std::string_view, Holder> names;
    names.reserve(folderNames.size());
    for (const auto& name : folderNames) {
        names.insert_or_assign(keyOf(name), Holder{-1, false, name});
    }
    const int count = static_cast<int>(renames.size());
    for (int row = 0; row < count; ++row) {
        const std::string& oldName = renames[static_cast<std::size_t>(row)].first;
        names.insert_or_assign(keyOf(oldName), Holder{row, false, oldName});
    }
    std::vector<RunConflict> conflicts;
    for (int row = 0; row < count; ++row) {
        const auto& [oldName, newName] = renames[static_cast<std::size_t>(row)];
        if (newName == oldName) {
            continue;  // renaming a file to its own name succeeds and changes nothing
        }
        if (std::string why = rules.refusal ? rules.refusal(newName) : ""; !why.empty()) {
            conflicts.push_back({row, RunConflict::Obstacle::Refused, -1, std::move(why)});
            continue;
        }
        const std::string newKey = sameKey(newName);
        const auto held = names.find(newKey);
        // Where case is ignored a file may take its own name in another case.
        if (held == names.end() || (held->second.row == row && !held->second.moved)) {
            names.erase(sameKey(oldName));
            names.insert_or_assign(keyOf(newName), Holder{row, true, newName});
            continue;
        }
        const Holder& holder = held->second;
        RunConflict conflict{row, RunConflict::Obstacle::InFolder, -1,
                             holder.spelled != newName ? std::string(holder.spelled) : ""};
        if (holder.moved) {
            conflict = {row, RunConflict::Obstacle::NewNameOfEarlier, holder.row, ""};
        } else if (holder.row > row &&
                   sameKey(renames[static_cast<std::size_t>(holder.row)].second) != newKey) {
            conflict = {row, RunConflict::Obstacle::RenamedLater, holder.row, ""};
        }
        conflicts.push_back(conflict);
    }
    return conflicts;
}

}  // namespace qm
