#include "tests/support/Evidence.h"

#include <regex>

#include "base/LogText.h"
#include "base/PathRules.h"
#include "services/FileSystem.h"
#include "tests/support/TempFolder.h"

namespace qm::test {

std::multiset<std::string> contentsOf(const std::string& folder) {
    std::multiset<std::string> contents;
    for (const auto& name : namesIn(folder)) {
        contents.insert(readFile(platform::joinPath(folder, name)));
    }
    return contents;
}

::testing::AssertionResult readLog(const std::string& log, LogShape& shape) {
    shape = LogShape{};
    // The mark a created text file starts with (Windows) stands at the start of the file or
    // nowhere: one in the middle is a write that took the file for new when it was not.
    const std::string_view mark = platform::kTextFileMark;
    const std::size_t skip = !mark.empty() && log.starts_with(mark) ? mark.size() : 0;
    if (!mark.empty() && log.find(mark, skip) != std::string::npos) {
        return ::testing::AssertionFailure() << "a text mark inside the log";
    }
    // One whole entry of each kind; a line holds no CR or LF and ends with CR LF. A rename
    // entry is tried before the empty lines it starts with; a message may hold line breaks of
    // its own ("Permission denied\r\nTry again?"), never the start of another entry.
    static const std::regex entry(
        "\r\n\r\n[0-9][^\r\n]*:[^\r\n]*\r\nRenamed: ([^\r\n]*)\r\n------> ([^\r\n]*)\r\n"
        "|     [^\r\n]*(?:\r\n(?!     |Associated )[^\r\n]*){0,3}, error number: [0-9]+ occurred "
        "in ([^\r\n ]*) on machine [^\r\n]*\r\nAssociated file object: [^\r\n]*\r\n"
        "|[^\r\n]*( logs system and critical application errors\\.)[^\r\n]*\r\n"
        "|(Session started on machine )[^\r\n]*\r\n"
        "|(Session ended on machine )[^\r\n]*\r\n"
        "|(?:_{60})?\r\n");
    std::smatch m;
    for (auto at = log.cbegin() + static_cast<std::ptrdiff_t>(skip); at != log.cend();
         at = m[0].second) {
        if (!std::regex_search(at, log.cend(), m, entry, std::regex_constants::match_continuous)) {
            return ::testing::AssertionFailure() << "no whole entry at byte " << at - log.cbegin()
                                                 << ": " << std::string(at, log.cend());
        }
        if (m[1].matched) {
            const auto from = readLogName(m[1].str());
            const auto to = readLogName(m[2].str());
            if (!from || !to) {
                return ::testing::AssertionFailure() << "a name no entry is written with: " << m[0];
            }
            ++shape.renameEntries;
            shape.renames.emplace(*from, *to);
        }
        if (m[3].matched) {
            shape.errorSources.push_back(m[3]);
        }
        shape.headers += m[4].matched;
        shape.sessionsStarted += m[5].matched;
        shape.sessionsEnded += m[6].matched;
    }
    return ::testing::AssertionSuccess();
}

}  // namespace qm::test
