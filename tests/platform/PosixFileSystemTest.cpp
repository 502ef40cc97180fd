#include "platform/posix/PosixFileSystem.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <thread>

#include "base/RunError.h"
#include "tests/support/ErrorNumber.h"
#include "tests/support/SystemServices.h"
#include "tests/support/TempFolder.h"
#include "ui/FileListModel.h"

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
        {"source names the folder", dir / ".", dir / "c.txt", kBadFileName},
        {"source names the folder above", dir / "..", dir / "c.txt", kBadFileName},
        {"source without a name", dir / "a.txt/", dir / "c.txt", kBadFileName},
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

// By the lower-case name, so that neither letter case nor the bytes of a non-ASCII letter
// decide before the letter itself; names equal but for case by their bytes. A link to a folder
// is a folder; hidden folders and links to files or to nothing are not.
TEST(PosixFolderLists, FilesAndSubfoldersInCaseInsensitiveOrder) {
    struct Case {
        std::vector<std::string> made;  // "name", "name/" a folder, "name>target" a link
        std::vector<std::string> files, subfolders;
    };
    const std::vector<Case> cases = {
        {{"photo-2021-01-01-B.jpg", "photo-2021-01-01-a.jpg", "\xC3\x84rmel", "\xC3\xA4rger", "Z",
          ".h", "z"},
         {"photo-2021-01-01-a.jpg", "photo-2021-01-01-B.jpg", "Z", "z", "\xC3\xA4rger",
          "\xC3\x84rmel"},
         {}},
        {{"f", "b/", "A/", ".git/", "c>b", "d>f", "e>missing"}, {"d", "e", "f"}, {"A", "b", "c"}},
    };
    const test::SystemFileSystem files;
    const text::CaseMapper mapper = test::neutralCaseMapper();
    for (const Case& c : cases) {
        test::TempFolder dir;
        for (const std::string& made : c.made) {
            const auto link = made.find('>');
            if (link != std::string::npos) {
                ASSERT_EQ(
                    ::symlink(made.substr(link + 1).c_str(), (dir / made.substr(0, link)).c_str()),
                    0);
            } else {
                made.back() == '/' ? dir.makeFolder(made) : dir.write(made);
            }
        }
        FileListModel list(files, mapper);
        list.load(dir.path());
        std::vector<std::string> shown;
        for (int i = 0; i < list.count(); ++i) {
            shown.push_back(list.name(i));
        }
        EXPECT_EQ(shown, c.files);
        EXPECT_EQ(listSubfolders(files, dir.path(), mapper), c.subfolders);
    }
}

}  // namespace
}  // namespace qm::platform
