#include "frame/bFileHandler.h"

#include <gtest/gtest.h>

#include "base/RunError.h"
#include "tests/support/RecordingReporter.h"
#include "tests/support/SystemServices.h"
#include "tests/support/TempFolder.h"

namespace qm {
namespace {

using test::RecordingReporter;

TEST(PathRoutines, InPlaceContracts) {
    struct Row {
        std::string in;
        std::string qualified;
    };
    // Written with "/"; each one is the system's separator.
    const std::vector<Row> rows = {
        {"/data", "/data/"}, {"  /a b/c  ", "/a b/c/"}, {std::string("/data\0junk", 10), "/data/"},
        {"", "/"},           {"plain", "plain/"},       {"C:/Data", "C:/Data/"},
    };
    for (const auto& row : rows) {
        std::string path = test::systemPath(row.in);
        EXPECT_EQ(bFileHandler::QualifyPath(path), test::systemPath(row.qualified));
        EXPECT_EQ(path, test::systemPath(row.qualified)) << "QualifyPath changes its argument";
    }
}

TEST(NameRoutines, ExtensionAndNamePart) {
    struct Row {
        std::string name;
        std::string stripped;
        std::string extension;
    };
    // Bare names (no dot, a dotfile, several dots, a trailing dot) are rows of the name table.
    const std::vector<Row> rows = {
        {"/a.b/c", "/a", ""},  // StripExtension does not stop at the last component
        {"/a.b/c.d", "/a.b/c", ".d"},
    };
    for (const auto& row : rows) {
        const std::string name = test::systemPath(row.name);
        EXPECT_EQ(bFileHandler::StripExtension(name), test::systemPath(row.stripped)) << name;
        EXPECT_EQ(bFileHandler::GetFileExtension(name), row.extension) << name;
    }
}

// StripNull's cut is a row of QualifyPath's; a NUL trimmed in place is ReadComputerName's.
TEST(TextRoutines, TrimCharacterStripsEveryRepeatAndAnEmptyOneOnlyTrims) {
    std::string text = "xxaxx";
    EXPECT_EQ(bFileHandler::TrimCharacter(text, "x"), "a");
    text = " a ";
    EXPECT_EQ(bFileHandler::TrimCharacter(text, ""), "a");
}

struct FileHandlerTest : ::testing::Test {
    test::TempFolder dir;
    test::SystemFileSystem fs;
    test::TestTrash trash{dir / "Trash"};
    RecordingReporter errors;
    bFileHandler files{fs, trash, errors};
};

TEST_F(FileHandlerTest, ExistenceRoutinesTrimTheirArgument) {
    dir.write("f.txt");
    std::string path = "  " + (dir / "f.txt") + " ";
    EXPECT_TRUE(files.FileExists(path));
    EXPECT_EQ(path, dir / "f.txt");
    EXPECT_FALSE(files.FolderExists(path));
    path = dir.path();
    EXPECT_TRUE(files.FolderExists(path));
    EXPECT_FALSE(files.FileExists(path));
    path = "    ";
    EXPECT_FALSE(files.FileExists(path));
    EXPECT_EQ(path, "");
    path = "   ";
    EXPECT_FALSE(files.FolderExists(path));
    EXPECT_EQ(path, "");
}

TEST_F(FileHandlerTest, ShellDeleteFailureOffersRetryAndRetryFinishesTheList) {
    dir.write("a.txt", "a");
    // The first Retry still meets b.txt missing; it is there before the second.
    errors.answers = {platform::MessageResult::Retry, platform::MessageResult::Retry};
    errors.whileShown = [&] {
        if (errors.shown.size() == 2) {
            dir.write("b.txt", "b");
        }
    };
    files.ShellDelete({dir / "a.txt", dir / "b.txt"});
    ASSERT_EQ(errors.shown.size(), 2u);
    EXPECT_EQ(errors.shown[0].number, kFileNotFound);
    EXPECT_EQ(errors.shown[0].source, "bFileHandler.ShellDelete");
    EXPECT_EQ(errors.shown[0].fileObject, (dir / "a.txt") + ", " + (dir / "b.txt"));
    ASSERT_EQ(trash.moved.size(), 2u);
    EXPECT_EQ(trash.moved[0], std::make_pair(dir / "a.txt", std::string("a")));
    EXPECT_EQ(trash.moved[1], std::make_pair(dir / "b.txt", std::string("b")));
    EXPECT_FALSE(fs.isFile(dir / "a.txt") || fs.isFile(dir / "b.txt"));
}

}  // namespace
}  // namespace qm
