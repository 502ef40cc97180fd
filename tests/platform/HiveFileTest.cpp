#include "platform/posix/HiveFile.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <thread>

#include "tests/support/HiveValues.h"
#include "tests/support/TempFolder.h"

namespace qm::platform {
namespace {

using namespace std::string_literals;

constexpr const char* kPrefs = "Software\\Quillmote Utility\\Preferences";

using test::getValue;
using test::putValue;

// Files in the folder other than the hive and its lock.
std::vector<std::string> debris(const test::TempFolder& dir, const std::string& sub) {
    std::vector<std::string> extra;
    for (const std::string& name : dir.names(sub)) {
        if (name != "user.reg" && name != "user.reg.lock") {
            extra.push_back(name);
        }
    }
    return extra;
}

TEST(HiveFile, ValuesKeepTypeAndBytesAcrossInstancesInPrivateFiles) {
    test::TempFolder dir;
    const std::string path = dir / "cfg/quillmote/user.reg";
    {
        HiveFile store(path);
        ASSERT_EQ(putValue(store, kPrefs, "Filename Case", "2\0"s), kRegSuccess);
    }
    struct stat st {};
    ASSERT_EQ(::stat((dir / "cfg/quillmote").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << "a created config folder is private";
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    HiveFile again(path);
    RegType type = kRegNone;
    EXPECT_EQ(getValue(again, "software\\QUILLMOTE UTILITY\\preferences", "filename case", &type),
              "2\0"s);
    EXPECT_EQ(type, kRegSz);  // every type's bytes: the hive format's round-trip table
    EXPECT_EQ(debris(dir, "cfg/quillmote"), std::vector<std::string>{});
}

TEST(HiveFile, ChangesByAnotherWriterAreSeenOnceTheReadFreshnessHasPassed) {
    test::TempFolder dir;
    HiveFile mine(dir / "user.reg");
    HiveFile theirs(dir / "user.reg");
    mine.setReadFreshness(std::chrono::milliseconds(200));
    ASSERT_EQ(putValue(mine, kPrefs, "Filename Case", "1\0"s), kRegSuccess);
    const std::uint64_t before = mine.revision();
    ASSERT_EQ(putValue(theirs, kPrefs, "Filename Case", "2\0"s), kRegSuccess);
    EXPECT_EQ(getValue(mine, kPrefs, "Filename Case"), "1\0"s);  // checked moments ago
    EXPECT_EQ(mine.revision(), before);
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_NE(mine.revision(), before);
    EXPECT_EQ(getValue(mine, kPrefs, "Filename Case"), "2\0"s);

    mine.setReadFreshness(std::chrono::nanoseconds(0));  // every read checks the file
    // Same size, written right after: only the file's identity and times tell the change apart.
    for (const char digit : {'2', '3', '0', '2'}) {
        ASSERT_EQ(putValue(theirs, kPrefs, "Filename Case", std::string{digit, '\0'}), kRegSuccess);
        EXPECT_EQ(getValue(mine, kPrefs, "Filename Case"), (std::string{digit, '\0'}));
    }
    // An edit in place, as a text editor may make it.
    dir.write("user.reg", "REGEDIT4\n\n[HKEY_CURRENT_USER\\" + std::string(kPrefs) +
                              "]\n\"Filename Case\"=\"3\"\n");
    EXPECT_EQ(getValue(mine, kPrefs, "Filename Case"), "3\0"s);
    ASSERT_EQ(::unlink((dir / "user.reg").c_str()), 0);
    EXPECT_EQ(getValue(mine, kPrefs, "Filename Case"), std::nullopt);
}

TEST(HiveFile, MalformedHiveKeepsItsGoodValuesAndABackup) {
    test::TempFolder dir;
    const std::string original = "REGEDIT4\n\n[HKEY_CURRENT_USER\\" + std::string(kPrefs) +
                                 "]\n\"Filename Case\"=\"2\"\n<<<garbage>>>\n"
                                 "\"Extension Case\"=\"1\"\n\"Cut\"=hex:01,0";
    dir.write("user.reg", original);
    HiveFile store(dir / "user.reg");  // (what parses of it: HiveFormat's tests)
    EXPECT_EQ(getValue(store, kPrefs, "Cut"), std::nullopt);
    EXPECT_EQ(debris(dir, ""), std::vector<std::string>{}) << "reading changes nothing";

    ASSERT_EQ(putValue(store, kPrefs, "Filename Case", "3\0"s), kRegSuccess);
    const auto extra = debris(dir, "");
    ASSERT_EQ(extra.size(), 1u);
    EXPECT_EQ(extra[0].rfind("user.reg.bad-", 0), 0u) << extra[0];
    EXPECT_EQ(test::readFile(dir / extra[0]), original);
    EXPECT_EQ(getValue(store, kPrefs, "Extension Case"), "1\0"s);
    EXPECT_EQ(getValue(store, kPrefs, "Filename Case"), "3\0"s);

    // The rewritten hive is clean: later changes make no more backups.
    ASSERT_EQ(putValue(store, kPrefs, "Filename Case", "0\0"s), kRegSuccess);
    EXPECT_EQ(debris(dir, "").size(), 1u);
}

// What cannot be read is not replaced: a write would lose whatever the file holds.
TEST(HiveFile, HiveThatCannotBeReadIsNotReplaced) {
    struct Row {
        const char* what;
        void (*spoil)(const std::string& hive);
        RegStatus status;
    };
    const std::vector<Row> rows = {
        {"a folder in its place",
         [](const std::string& hive) {
             ASSERT_EQ(::unlink(hive.c_str()), 0);
             ASSERT_EQ(::mkdir(hive.c_str(), 0700), 0);
         },
         kRegCantRead},
        {"far too large",
         [](const std::string& hive) {
             ASSERT_EQ(::truncate(hive.c_str(), static_cast<off_t>(kMaxHiveBytes) + 1), 0);
         },
         kRegBadDatabase},
        {"no permission to read",
         [](const std::string& hive) {
             if (::geteuid() != 0) {
                 ASSERT_EQ(::chmod(hive.c_str(), 0200), 0);
             }
         },
         ::geteuid() == 0 ? kRegSuccess : kRegAccessDenied},
    };
    for (const Row& row : rows) {
        test::TempFolder dir;
        const std::string hive = dir / "user.reg";
        dir.write("user.reg", "REGEDIT4\n");
        row.spoil(hive);
        struct stat before {};
        ASSERT_EQ(::stat(hive.c_str(), &before), 0);
        HiveFile store(hive);
        RegKey key = 0;
        EXPECT_EQ(store.openKey("", RegAccess::Read, key), row.status) << row.what;
        if (row.status == kRegSuccess) {
            continue;  // root reads any file
        }
        EXPECT_EQ(putValue(store, kPrefs, "Filename Case", "1\0"s), row.status) << row.what;
        struct stat after {};
        ASSERT_EQ(::stat(hive.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino) << row.what;
        EXPECT_EQ(after.st_size, before.st_size) << row.what;
        EXPECT_EQ(debris(dir, ""), std::vector<std::string>{}) << row.what;
    }
}

TEST(HiveFile, TemporaryFileOfAWriterThatDiedIsCleanedUp) {
    test::TempFolder dir;
    HiveFile store(dir / "user.reg");
    ASSERT_EQ(putValue(store, kPrefs, "Filename Case", "2\0"s), kRegSuccess);
    dir.write("user.reg.tmp-a1B2c3", "REGEDIT4\n\n[HKEY_CURRENT_USER\\half");
    dir.write("user.reg.tmp-notours", "x");
    EXPECT_EQ(getValue(store, kPrefs, "Filename Case"), "2\0"s) << "a read leaves it alone";
    ASSERT_EQ(putValue(store, kPrefs, "Filename Case", "3\0"s), kRegSuccess);
    EXPECT_EQ(debris(dir, ""), std::vector<std::string>{"user.reg.tmp-notours"});
}

TEST(HiveFile, TwoProcessesWritingAtOnceLoseNothing) {
    test::TempFolder dir;
    const std::string path = dir / "user.reg";
    constexpr int kEach = 500;
    std::vector<pid_t> children;
    for (int writer = 0; writer < 2; ++writer) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            HiveFile store(path);
            int failures = 0;
            for (int i = 0; i < kEach; ++i) {
                const std::string name = "w" + std::to_string(writer) + "-" + std::to_string(i);
                failures += putValue(store, kPrefs, name, name + '\0') != kRegSuccess;
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    HiveFile store(path);
    for (int writer = 0; writer < 2; ++writer) {
        for (int i = 0; i < kEach; ++i) {
            const std::string name = "w" + std::to_string(writer) + "-" + std::to_string(i);
            ASSERT_EQ(getValue(store, kPrefs, name), name + '\0');
        }
    }
    EXPECT_EQ(debris(dir, ""), std::vector<std::string>{});
}

TEST(HiveFile, ReaderNeverSeesHalfAFile) {
    test::TempFolder dir;
    const std::string path = dir / "user.reg";
    HiveFile writer(path);
    ASSERT_EQ(putValue(writer, kPrefs, "Marker", "m\0"s), kRegSuccess);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        HiveFile store(path);
        for (int i = 0; i < 300; ++i) {
            putValue(store, kPrefs, "Big" + std::to_string(i % 7), std::string(5000, 'a' + i % 26));
        }
        ::_exit(0);
    }
    HiveFile reader(path);
    int reads = 0;
    for (int status = 0; ::waitpid(pid, &status, WNOHANG) == 0; ++reads) {
        ASSERT_EQ(getValue(reader, kPrefs, "Marker"), "m\0"s) << "after " << reads << " reads";
    }
}

TEST(HivePath, FollowsTheConfigFolderConvention) {
    EXPECT_EQ(userHivePath("/x/cfg", "/home/u"), "/x/cfg/quillmote/user.reg");
    EXPECT_EQ(userHivePath("relative/cfg", "/home/u"), "/home/u/.config/quillmote/user.reg");
    EXPECT_EQ(userHivePath("", "/home/u"), "/home/u/.config/quillmote/user.reg");
    EXPECT_EQ(userHivePath(nullptr, "/home/u"), "/home/u/.config/quillmote/user.reg");
    EXPECT_EQ(userHivePath(nullptr, nullptr), "");
    EXPECT_EQ(userHivePath(nullptr, "home"), "");
}

}  // namespace
}  // namespace qm::platform
