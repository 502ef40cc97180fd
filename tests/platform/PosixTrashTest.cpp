#include "platform/posix/PosixTrash.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/RunError.h"
#include "tests/support/ErrorNumber.h"
#include "tests/support/TempFolder.h"

namespace qm::platform {
namespace {

TEST(PosixTrash, MovesFilesWithTheirInfoAndUniqueNamesAndReportsAMissingOne) {
    test::TempFolder dir;
    PosixTrash trash(dir / "Trash");
    dir.makeFolder("work");
    dir.write("work/log file.txt", "first");
    trash.moveToTrash(dir / "work/log file.txt");
    dir.write("work/log file.txt", "second");
    trash.moveToTrash(dir / "work/log file.txt");

    EXPECT_TRUE(dir.names("work").empty());
    EXPECT_EQ(dir.names("Trash/files"),
              (std::vector<std::string>{"log file.txt", "log file.txt.2"}));
    EXPECT_EQ(test::readFile(dir / "Trash/files/log file.txt"), "first");
    EXPECT_EQ(test::readFile(dir / "Trash/files/log file.txt.2"), "second");
    const std::string info = test::readFile(dir / "Trash/info/log file.txt.trashinfo");
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=", 0), 0u);
    EXPECT_NE(info.find("/work/log%20file.txt\nDeletionDate="), std::string::npos);

    EXPECT_EQ(test::errorNumberOf([&] { trash.moveToTrash(dir / "missing.txt"); }), kFileNotFound);
    EXPECT_EQ(dir.names("Trash/info").size(), 2u) << "a missing file leaves no info";
}

TEST(PosixTrash, AFolderOfTheTrashThatIsALinkTakesNothing) {
    test::TempFolder dir;
    PosixTrash trash(dir / "Trash");
    dir.makeFolder("Trash");
    std::filesystem::create_directory_symlink(dir.makeFolder("elsewhere"), dir / "Trash/files");
    EXPECT_EQ(test::errorNumberOf([&] { trash.moveToTrash(dir.write("log.txt", "log")); }),
              kPermissionDenied);
    EXPECT_TRUE(dir.names("elsewhere").empty());
    EXPECT_EQ(test::readFile(dir / "log.txt"), "log");
}

}  // namespace
}  // namespace qm::platform
