#include "platform/posix/PosixFileSystem.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <thread>

#include "base/RunError.h"
#include "tests/support/ErrorNumber.h"
#include "tests/support/TempFolder.h"

namespace qm::platform {
namespace {

std::int32_t renameError(PosixFileSystem& fs, const std::string& from, const std::string& to) {
    return test::errorNumberOf([&] { fs.renameNoReplace(from, to); });
}

TEST(PosixRename, NeverReplacesAndReportsEachFailure) {
    test::TempFolder dir;
    PosixFileSystem fs;
    dir.write("a.txt", "A");
    dir.write("b.txt", "B");
    ASSERT_EQ(::link((dir / "a.txt").c_str(), (dir / "link.txt").c_str()), 0);
    struct Row {
        const char* what;
        std::string from;
        std::string to;
        std::int32_t error;
    };
    const std::vector<Row> rows = {
        {"target exists", dir / "a.txt", dir / "b.txt", kFileAlreadyExists},
        {"target a second link to the source", dir / "a.txt", dir / "link.txt", kFileAlreadyExists},
        {"source vanished", dir / "gone.txt", dir / "c.txt", kFileNotFound},
        {"folder of source missing", dir / "nofolder/x.txt", dir / "c.txt", kPathNotFound},
        {"target folder missing", dir / "a.txt", dir / "nofolder/c.txt", kPathNotFound},
        {"empty name", dir / "a.txt", dir.qualified(), kBadFileName},
        {"dot", dir / "a.txt", dir / ".", kBadFileName},
        {"dot dot", dir / "a.txt", dir / "..", kBadFileName},
        {"NUL in name", dir / "a.txt", dir / std::string("c\0d", 3), kBadFileName},
        {"name too long", dir / "a.txt", dir / std::string(256, 'n'), kBadFileName},
        {"same name", dir / "a.txt", dir / "a.txt", 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(renameError(fs, row.from, row.to), row.error) << row.what;
        EXPECT_EQ(test::readFile(dir / "a.txt"), "A") << row.what;
        EXPECT_EQ(test::readFile(dir / "b.txt"), "B") << row.what;
    }
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.txt", "b.txt", "link.txt"}));
}

// Where the file system lacks RENAME_NOREPLACE (EINVAL) and hard links (EPERM), as FAT and exFAT
// through FUSE do, the rename still goes through and still never replaces. "a.txt" holds "A",
// "b.txt" (when there) "B".
TEST(PosixRename, FallbacksNeverReplaceAndLoseNothing) {
    struct Row {
        const char* what;
        std::vector<std::pair<FaultSite, int>> answers;
        std::vector<std::string> before;
        std::int32_t error;
        std::vector<std::string> after;
    };
    using S = FaultSite;
    const std::pair<S, int> noFlag{S::RenameNoReplace, EINVAL}, noLink{S::HardLink, EPERM};
    // clang-format off
    const std::vector<Row> rows = {
        {"through a link", {noFlag}, {"a.txt"}, 0, {"b.txt"}},
        {"onto a claim", {noFlag, noLink}, {"a.txt"}, 0, {"b.txt"}},
        {"the claim finds the name taken", {noFlag, noLink}, {"a.txt", "b.txt"}, kFileAlreadyExists, {"a.txt", "b.txt"}},
        {"the move onto the claim fails", {noFlag, noLink, {S::MoveOntoClaim, EIO}}, {"a.txt"}, kDeviceIoError, {"a.txt"}},
        {"EINVAL for a name the claim took", {noFlag, noLink, {S::MoveOntoClaim, EINVAL}}, {"a.txt"}, kPathFileAccessError, {"a.txt"}},
        {"the link refused", {noFlag, {S::HardLink, EACCES}}, {"a.txt"}, kPermissionDenied, {"a.txt"}},
    };
    // clang-format on
    for (const auto& row : rows) {
        test::TempFolder dir;
        FaultPlan faults;
        PosixFileSystem fs(&faults);
        for (const auto& name : row.before) {
            dir.write(name, name == "a.txt" ? "A" : "B");
        }
        for (const auto& [site, err] : row.answers) {
            faults.failNth(site, 1, err);
        }
        EXPECT_EQ(renameError(fs, dir / "a.txt", dir / "b.txt"), row.error) << row.what;
        EXPECT_EQ(dir.names(), row.after) << row.what;
        EXPECT_EQ(test::readFile(dir / row.after[0]), "A") << row.what;
        EXPECT_EQ(test::readFile(dir / row.after.back()), row.after.size() == 2 ? "B" : "A");
    }
}

TEST(PosixAppend, WholeEntriesFromManyWritersAtOnce) {
    test::TempFolder dir;
    const std::string log = dir / "log.txt";
    constexpr int kWriters = 4;
    constexpr int kEntries = 500;
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            PosixFileSystem fs;
            const std::string entry =
                "writer " + std::to_string(w) + std::string(300, 'x') + "\r\n";
            for (int i = 0; i < kEntries; ++i) {
                fs.append(log, entry);
            }
        });
    }
    for (auto& t : writers) {
        t.join();
    }
    const std::string content = test::readFile(log);
    std::size_t lines = 0;
    for (std::size_t pos = 0, end = 0; (end = content.find("\r\n", pos)) != std::string::npos;
         pos = end + 2) {
        const std::string line = content.substr(pos, end - pos);
        ASSERT_EQ(line.size(), 308u) << "torn entry at line " << lines;
        ++lines;
    }
    EXPECT_EQ(lines, static_cast<std::size_t>(kWriters * kEntries));
}

TEST(PosixCreateNew, AppearsWholeAndNeverReplacesAndAppendNeedsTheFolder) {
    test::TempFolder dir;
    PosixFileSystem fs;
    EXPECT_TRUE(fs.createNew(dir / "log.txt", "header\r\n"));
    EXPECT_FALSE(fs.createNew(dir / "log.txt", "other\r\n"));
    EXPECT_EQ(test::readFile(dir / "log.txt"), "header\r\n");
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"log.txt"}));  // no temporary left behind
    EXPECT_EQ(test::errorNumberOf([&] { fs.append(dir / "none/log.txt", "x"); }), kPathNotFound);
}

}  // namespace
}  // namespace qm::platform
