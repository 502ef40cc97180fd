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
        {"NUL in name", dir / "a.txt", dir / std::string("c\0d", 3), kBadFileName},
        {"same name", dir / "a.txt", dir / "a.txt", 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(renameError(fs, row.from, row.to), row.error) << row.what;
        EXPECT_EQ(test::readFile(dir / "a.txt"), "A") << row.what;
        EXPECT_EQ(test::readFile(dir / "b.txt"), "B") << row.what;
    }
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.txt", "b.txt", "link.txt"}));
}

// FAT and exFAT through FUSE answer EINVAL to RENAME_NOREPLACE and EPERM to link().
TEST(PosixRename, FallbacksNeverReplaceAndLoseNothing) {
    using S = FaultSite;
    const std::pair<S, int> noFlag{S::RenameNoReplace, EINVAL}, noLink{S::HardLink, EPERM};
    const std::vector<std::pair<std::vector<std::pair<S, int>>, std::int32_t>> rows = {
        {{noFlag}, 0},                           // through a link
        {{noFlag, noLink}, 0},                   // onto a claim
        {{noFlag, noLink}, kFileAlreadyExists},  // the claim finds the name taken
        {{noFlag, noLink, {S::MoveOntoClaim, EIO}}, kDeviceIoError},
        {{noFlag, noLink, {S::MoveOntoClaim, EINVAL}}, kPathFileAccessError},  // not a bad name
    };
    for (const auto& [answers, error] : rows) {
        test::TempFolder dir;
        FaultPlan faults;
        PosixFileSystem fs(&faults);
        dir.write("a.txt", "A");
        dir.write(error == kFileAlreadyExists ? "b.txt" : "c.txt", "B");
        for (const auto& [site, err] : answers) {
            faults.failNth(site, 1, err);
        }
        EXPECT_EQ(renameError(fs, dir / "a.txt", dir / "b.txt"), error);
        EXPECT_EQ(test::readFile(dir / (error == 0 ? "b.txt" : "a.txt")), "A") << error;
        EXPECT_EQ(dir.names().size(), 2u) << error;  // no claim left, nothing replaced
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
