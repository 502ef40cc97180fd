#include "engine/RunConflicts.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <string_view>
#include <unordered_map>

namespace qm {

namespace {

// Whether no new name can meet any other name: the keys of the folder's names and of the new
// names (but those that stay as they are) hash apart, so no step finds its name held. Sorting
// hashes costs a fraction of walking the run through a table of names, and is what a run into
// names of its own (the usual run) needs.
bool keysApart(const std::vector<std::string>& folderNames,
               const std::vector<std::pair<std::string_view, std::string_view>>& renames,
               const FolderNameRules& rules) {
    const std::hash<std::string_view> hash;
    const auto hashOf = [&](std::string_view name) -> std::uint64_t {
        return rules.key ? hash(rules.key(name)) : hash(name);
    };
    std::vector<std::uint64_t> hashes;
    hashes.reserve(folderNames.size() + renames.size());
    for (const auto& name : folderNames) {
        hashes.push_back(hashOf(name));
    }
    for (const auto& [oldName, newName] : renames) {
        if (newName != oldName) {
            hashes.push_back(hashOf(newName));
        }
    }
    std::sort(hashes.begin(), hashes.end());
    return std::adjacent_find(hashes.begin(), hashes.end()) == hashes.end();
}

}  // namespace

std::vector<RunConflict> findRunConflicts(
    const std::vector<std::string>& folderNames,
    const std::vector<std::pair<std::string_view, std::string_view>>& renames,
    const FolderNameRules& rules) {
    const int count = static_cast<int>(renames.size());
    if (keysApart(folderNames, renames, rules)) {
        std::vector<RunConflict> refused;
        for (int row = 0; row < count && rules.refusal; ++row) {
            const auto& [oldName, newName] = renames[static_cast<std::size_t>(row)];
            if (std::string why = newName != oldName ? rules.refusal(newName) : ""; !why.empty()) {
                refused.push_back({row, RunConflict::Obstacle::Refused, -1, std::move(why)});
            }
        }
        return refused;
    }
    // A name is its own key unless the folder's rules make one; those are kept here, where they
    // stay put while the table below refers to them.
    std::deque<std::string> madeKeys;
    const auto keyOf = [&](std::string_view name) -> std::string_view {
        return rules.key ? std::string_view(madeKeys.emplace_back(rules.key(name))) : name;
    };
    // Who holds each name (by its key) at the current step, and how the folder spells it: -1 a
    // file the run does not move; a step's number for the file of that step under its old name
    // (`moved` false) or its new one (true). Keys and spellings point into the arguments.
    struct Holder {
        int row = -1;
        bool moved = false;
        std::string_view spelled;
    };
    std::unordered_map<std::string_view, Holder> names;
    names.reserve(folderNames.size() + renames.size());
    for (const auto& name : folderNames) {
        names[keyOf(name)] = Holder{-1, false, name};
    }
    std::vector<std::string_view> oldKeys;
    oldKeys.reserve(renames.size());
    for (int row = 0; row < count; ++row) {
        const std::string_view oldName = renames[static_cast<std::size_t>(row)].first;
        oldKeys.push_back(keyOf(oldName));
        names[oldKeys.back()] = Holder{row, false, oldName};
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
        const std::string_view newKey = keyOf(newName);
        const auto held = names.find(newKey);
        // Where case is ignored a file may take its own name in another case.
        if (held == names.end() || (held->second.row == row && !held->second.moved)) {
            names.erase(oldKeys[static_cast<std::size_t>(row)]);
            names[newKey] = Holder{row, true, newName};
            continue;
        }
        const Holder& holder = held->second;
        RunConflict conflict{
            row, RunConflict::Obstacle::InFolder, -1,
            holder.spelled != newName ? std::string(holder.spelled) : std::string()};
        if (holder.moved) {
            conflict = {row, RunConflict::Obstacle::NewNameOfEarlier, holder.row, ""};
        } else if (holder.row > row &&
                   keyOf(renames[static_cast<std::size_t>(holder.row)].second) != newKey) {
            conflict = {row, RunConflict::Obstacle::RenamedLater, holder.row, ""};
        }
        conflicts.push_back(conflict);
    }
    return conflicts;
}

}  // namespace qm
