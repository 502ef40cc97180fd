// What a test checks to show that nothing was lost: the contents of a folder's files (a rename
// keeps a file's content, so the same contents before and after mean every file is still there
// exactly once) and the log read line by line.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace qm::test {

// The content of every file in `folder` (not its subfolders).
std::multiset<std::string> contentsOf(const std::string& folder);

// What a log file holds, counted by kind.
struct LogShape {
    std::size_t headers = 0;
    std::size_t renameEntries = 0;  // "", "", time, "Renamed: <old>", "------> <new>"
    std::set<std::pair<std::string, std::string>> renames;  // old and new, read back exactly
    std::vector<std::string> errorSources;  // the "occurred in" of each error entry, in order
    std::size_t sessionsStarted = 0;
    std::size_t sessionsEnded = 0;
};

// Reads `log` into `shape`. Fails when the text does not end with CR LF, holds a CR or LF that
// is not part of a CR LF, holds a line that belongs to no whole entry (a torn or cut entry), or
// a name in a form the log never writes.
::testing::AssertionResult readLog(const std::string& log, LogShape& shape);

}  // namespace qm::test
