#include "tests/support/Evidence.h"

#include <cctype>

#include "platform/FileSystem.h"
#include "platform/PathRules.h"
#include "tests/support/TempFolder.h"

namespace qm::test {

namespace {

bool startsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

bool isTimeLine(const std::string& s) {
    return !s.empty() && s.size() <= 16 && std::isdigit(static_cast<unsigned char>(s[0])) != 0 &&
           s.find(':') != std::string::npos;
}

bool isErrorLine(const std::string& s) {
    return s.find(", error number: ") != std::string::npos &&
           s.find(" occurred in ") != std::string::npos;
}

}  // namespace

std::multiset<std::string> contentsOf(const std::string& folder) {
    std::multiset<std::string> contents;
    for (const auto& name : namesIn(folder)) {
        contents.insert(readFile(platform::joinPath(folder, name)));
    }
    return contents;
}

::testing::AssertionResult readLog(const std::string& log, LogShape& shape) {
    shape = LogShape{};
    if (log.empty()) {
        return ::testing::AssertionSuccess();
    }
    if (!log.ends_with("\r\n")) {
        return ::testing::AssertionFailure() << "the log ends inside a line";
    }
    // The mark a created text file starts with (Windows) stands at the start of the file or
    // nowhere: one in the middle is a write that took the file for new when it was not.
    const std::string_view mark = platform::kTextFileMark;
    const std::size_t skip = !mark.empty() && log.starts_with(mark) ? mark.size() : 0;
    if (!mark.empty() && log.find(mark, skip) != std::string::npos) {
        return ::testing::AssertionFailure() << "a text mark inside the log";
    }
    std::vector<std::string> lines;
    for (std::size_t start = skip; start < log.size();) {
        const auto end = log.find("\r\n", start);
        std::string line = log.substr(start, end - start);
        if (line.find_first_of("\r\n") != std::string::npos) {
            return ::testing::AssertionFailure() << "a lone CR or LF in line " << lines.size() + 1;
        }
        lines.push_back(std::move(line));
        start = end + 2;
    }
    const auto at = [&](std::size_t i) -> const std::string& {
        static const std::string none = "<none>";
        return i < lines.size() ? lines[i] : none;
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty() || line == std::string(60, '_')) {
            continue;
        }
        if (line.find(" logs system and critical application errors.") != std::string::npos) {
            ++shape.headers;
        } else if (startsWith(line, "Session started on machine ")) {
            ++shape.sessionsStarted;
        } else if (startsWith(line, "Session ended on machine ")) {
            ++shape.sessionsEnded;
        } else if (isTimeLine(line)) {
            if (i < 2 || !at(i - 1).empty() || !at(i - 2).empty() ||
                !startsWith(at(i + 1), "Renamed: ") || !startsWith(at(i + 2), "------> ")) {
                return ::testing::AssertionFailure()
                       << "rename entry cut at line " << i + 1 << ": " << line;
            }
            ++shape.renameEntries;
            shape.renamedTo.push_back(at(i + 2).substr(8));
            i += 2;
        } else if (startsWith(line, "     ")) {
            // A message may hold line breaks of its own ("Permission denied\r\nTry again?").
            std::size_t last = i;
            while (last < lines.size() && last < i + 4 && !isErrorLine(lines[last])) {
                ++last;
            }
            const std::string& tail = at(last);
            if (tail.find(", error number: ") == std::string::npos ||
                tail.find(" occurred in ") == std::string::npos ||
                !startsWith(at(last + 1), "Associated file object: ")) {
                return ::testing::AssertionFailure()
                       << "error entry cut at line " << i + 1 << ": " << line;
            }
            const auto from = tail.find(" occurred in ") + 13;
            shape.errorSources.push_back(tail.substr(from, tail.find(" on machine ", from) - from));
            ++shape.errorEntries;
            i = last + 1;
        } else {
            return ::testing::AssertionFailure()
                   << "line " << i + 1 << " belongs to no entry: " << line;
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace qm::test
