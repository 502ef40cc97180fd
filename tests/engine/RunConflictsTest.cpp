#include "engine/RunConflicts.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using O = RunConflict::Obstacle;

TEST(RunConflictsTest, EachStepMeetsTheNamesLeftByTheStepsBefore) {
    struct Case {
        const char* label;
        std::vector<std::string> folder;
        std::vector<std::pair<std::string_view, std::string_view>> renames;
        std::vector<RunConflict> expected;
        FolderNameRules rules;
    };
    // A folder that ignores letter case (a key for these names), where "con.md" is refused.
    const FolderNameRules caseIgnored{
        [](std::string_view n) {
            return std::string(n == "Dog.txt" ? "dog.txt" : n == "A" ? "a" : n);
        },
        [](std::string_view n) { return std::string(n == "con.md" ? "no" : ""); }};
    // Renames that meet nothing (a chain in order, a case-only change, the same name again)
    // are rows of the hostile names, whose preview must then warn of nothing.
    // clang-format off
    const std::vector<Case> cases = {
        {"chain blocked", {"f1", "f2"}, {{"f1", "f2"}, {"f2", "f3"}}, {{0, O::RenamedLater, 1, ""}}, {}},
        {"swap: the second meets the first, which could not move", {"f1", "f2"}, {{"f1", "f2"}, {"f2", "f1"}}, {{0, O::RenamedLater, 1, ""}, {1, O::InFolder, -1, ""}}, {}},
        {"two files, one new name", {"a1.txt", "b1.txt"}, {{"a1.txt", "c1.txt"}, {"b1.txt", "c1.txt"}}, {{1, O::NewNameOfEarlier, 0, ""}}, {}},
        {"an unselected file and a folder", {"IMG_1", "IMG_2", "IMG_3", "Holiday 2", "Holiday 3"}, {{"IMG_1", "Holiday 1"}, {"IMG_2", "Holiday 2"}, {"IMG_3", "Holiday 3"}}, {{1, O::InFolder, -1, ""}, {2, O::InFolder, -1, ""}}, {}},
        {"case ignored: taken in another case, named as spelled", {"cat.txt", "Dog.txt"}, {{"cat.txt", "dog.txt"}}, {{0, O::InFolder, -1, "Dog.txt"}}, caseIgnored},
        {"case ignored: a file may change its own case, then holds it", {"a", "b"}, {{"a", "A"}, {"b", "a"}}, {{1, O::NewNameOfEarlier, 0, ""}}, caseIgnored},
        {"refused, and nothing else met", {"cox.md", "b"}, {{"cox.md", "con.md"}}, {{0, O::Refused, -1, "no"}}, caseIgnored},
        {"refused: its file stays", {"cox.md", "b"}, {{"cox.md", "con.md"}, {"b", "cox.md"}}, {{0, O::Refused, -1, "no"}, {1, O::InFolder, -1, ""}}, caseIgnored},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(findRunConflicts(c.folder, c.renames, c.rules), c.expected) << c.label;
    }
}

}  // namespace
}  // namespace qm
