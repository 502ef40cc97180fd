// The Windows file layer on real files: no rename ever replaces a file, names Windows would alter
// are refused before anything moves, a case-only rename never lands on another file, lone
// surrogates keep their exact code units, log appends of several processes stay whole, and a
// file another program holds is waited for only briefly.
#include "platform/win32/Win32FileSystem.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cerrno>
#include <chrono>

#include "base/RunError.h"
#include "tests/support/ErrorNumber.h"
#include "tests/support/Evidence.h"
#include "tests/support/SystemServices.h"
#include "tests/support/TempFolder.h"

namespace qm::platform {
namespace {

struct Win32FileSystemTest : ::testing::Test {
    test::TempFolder dir;
    Win32FileSystem files;

    int renameError(const std::string& from, const std::string& to) {
        return test::errorNumberOf([&] { files.renameNoReplace(dir / from, dir / to); });
    }
};

TEST_F(Win32FileSystemTest, RenameNeverReplacesAndRefusesNamesWindowsWouldChange) {
    dir.write("a.txt", "a");
    dir.write("b.txt", "b");
    const struct {
        const char* to;
        int error;
    } rows[] = {
        {"b.txt", kFileAlreadyExists}, {"B.TXT", kFileAlreadyExists}, {"end.", kBadFileName},
        {"end ", kBadFileName},        {"CON", kBadFileName},         {"nul.txt", kBadFileName},
        {"com1.log", kBadFileName},    {"LPT9", kBadFileName},        {"COM\xC2\xB9", kBadFileName},
        {"a:stream", kBadFileName},    {"a<b", kBadFileName},         {"tab\there", kBadFileName},
        {"..", kBadFileName},          {"a\xFF", kBadFileName},  // no Windows name holds this byte
    };
    for (const auto& row : rows) {
        EXPECT_EQ(renameError("a.txt", row.to), row.error) << row.to;
    }
    const std::string longest(255, 'x');
    EXPECT_EQ(renameError("a.txt", longest + "x"), kBadFileName);
    EXPECT_EQ(test::contentsOf(dir.path()), (std::multiset<std::string>{"a", "b"}));
    EXPECT_EQ(renameError("a.txt", longest), 0);
    EXPECT_EQ(renameError("missing.txt", "c.txt"), kFileNotFound);
    EXPECT_EQ(renameError("nowhere/x.txt", "nowhere/y.txt"), kPathNotFound);
    EXPECT_EQ(test::readFile(dir / longest), "a");
    // Names Windows keeps although other systems might not.
    for (const char* kept : {"CONSOLE.txt", "nul2.txt", "COM10", ".hidden", " lead"}) {
        EXPECT_EQ(renameError(longest, kept), 0) << kept;
        ASSERT_EQ(renameError(kept, longest), 0) << kept;
    }
}

TEST_F(Win32FileSystemTest, CaseOnlyRenameOntoAnotherFileIsRefused) {
    dir.write("Photo.JPG", "1");
    dir.write("photo.jpg", "2");
    if (dir.names().size() != 2) {
        GTEST_SKIP() << "this folder ignores case: the two names are one file";
    }
    // A folder that tells case apart (Wine over a Linux file system, a case-sensitive folder).
    EXPECT_EQ(renameError("Photo.JPG", "photo.jpg"), kFileAlreadyExists);
    EXPECT_EQ(test::contentsOf(dir.path()), (std::multiset<std::string>{"1", "2"}));
}

TEST_F(Win32FileSystemTest, ACaseOnlyRenameThatFailsHalfWaySaysWhereTheFileIs) {
    FaultPlan faults;
    Win32FileSystem faulty(&faults);
    std::string message;
    for (const bool backFails : {false, true}) {  // the move on fails; the move back too
        const std::string old = dir.write("Dog.txt", backFails ? "back" : "on");
        faults.failNth(FaultSite::TemporaryMove, 2, backFails ? EIO : EACCES, backFails);
        try {
            faulty.renameNoReplace(old, dir / "dog.txt");
            GTEST_SKIP() << "the plain move changed the case: no temporary name here";
        } catch (const RunError& e) {
            EXPECT_EQ(e.number(), kPermissionDenied);
            message = e.what();
        }
        faults.lift(FaultSite::TemporaryMove);
        const std::vector<std::string> names = dir.names();
        ASSERT_EQ(names.size(), 1u);
        EXPECT_EQ(test::readFile(dir / names[0]), backFails ? "back" : "on");
        EXPECT_EQ(names[0] == "Dog.txt", !backFails) << names[0];
    }
    // Left under its temporary name: the message names it, and the same rename asked again
    // carries the file on to its new name.
    const std::string temporary = dir.names()[0];
    EXPECT_NE(message.find("now named " + temporary), std::string::npos) << message;
    faulty.renameNoReplace(dir / "Dog.txt", dir / "dog.txt");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"dog.txt"});
    EXPECT_EQ(test::readFile(dir / "dog.txt"), "back");
}

TEST_F(Win32FileSystemTest, LoneSurrogatesKeepTheirUnits) {
    const std::wstring lone = L"x\xD800.txt";  // no valid UTF-16: a high surrogate alone
    const std::wstring folder = test::fsPath(dir.path()).native() + L"\\";
    const HANDLE file = ::CreateFileW((folder + lone).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        GTEST_SKIP() << "this file system holds no such name (Wine keeps names as UTF-8)";
    }
    ::CloseHandle(file);
    const std::string loneText = "x\xED\xA0\x80.txt";
    EXPECT_TRUE(files.isFile(dir / loneText));
    files.renameNoReplace(dir / loneText, dir / ("y\xED\xA0\x80.txt"));
    EXPECT_NE(::GetFileAttributesW((folder + L"y\xD800.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Win32FileSystemTest, NewTextFilesStartWithTheMarkAndAppendsFollow) {
    const std::string log = dir / "log.txt";
    files.append(log, "one\r\n");
    files.append(log, "two\r\n");
    EXPECT_EQ(test::readFile(log), "\xEF\xBB\xBFone\r\ntwo\r\n");
    EXPECT_FALSE(files.createNew(log, "header"));
    EXPECT_TRUE(files.createNew(dir / "new.txt", "header"));
    EXPECT_EQ(test::readFile(dir / "new.txt"), "\xEF\xBB\xBFheader");
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"log.txt", "new.txt"}));  // no leftovers
}

TEST_F(Win32FileSystemTest, AFileAnotherProgramHoldsIsWaitedForBrieflyAndNamed) {
    const std::string log = dir.write("held.txt", "before\r\n");
    // Held with no sharing at all, as another program may hold it: sharing is per handle.
    const HANDLE holder = ::CreateFileW(test::fsPath(log).c_str(), GENERIC_READ, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const auto start = std::chrono::steady_clock::now();
    std::string error = "none";
    try {
        files.append(log, "lost\r\n");
    } catch (const RunError& e) {
        error = std::to_string(e.number()) + " " + e.description();
    }
    EXPECT_EQ(error, "70 Another program holds held.txt open");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    ::CloseHandle(holder);
    files.append(log, "after\r\n");
    EXPECT_EQ(test::readFile(log), "before\r\nafter\r\n");
}

// Other processes appending at the same time as this one: this test program, run again.
constexpr const char* kChildEnv = "QM_APPEND_CHILD_LOG";
constexpr int kEntries = 1000;

std::string entryOf(char writer, int i) {
    return std::string(40, writer) + " " + std::to_string(i) + "\r\n";
}

TEST(Win32AppendChild, DISABLED_AppendsEntries) {
    char path[MAX_PATH] = {};
    ASSERT_GT(::GetEnvironmentVariableA(kChildEnv, path, MAX_PATH), 0u);
    Win32FileSystem files;
    for (int i = 0; i < kEntries; ++i) {
        files.append(path, entryOf('c', i));
    }
}

TEST_F(Win32FileSystemTest, AppendsOfThreeProcessesInterleaveWholeEntries) {
    const std::string log = dir / "shared.txt";
    ::SetEnvironmentVariableA(kChildEnv, log.c_str());
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = std::wstring(L"\"") + self +
                           L"\" --gtest_also_run_disabled_tests "
                           L"--gtest_filter=Win32AppendChild.DISABLED_AppendsEntries";
    std::vector<PROCESS_INFORMATION> children(2);
    for (auto& child : children) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     nullptr, &startup, &child));
    }
    for (int i = 0; i < kEntries; ++i) {
        files.append(log, entryOf('p', i));
    }
    for (auto& child : children) {
        ASSERT_EQ(::WaitForSingleObject(child.hProcess, 120000), WAIT_OBJECT_0);
        DWORD exitCode = 1;
        ::GetExitCodeProcess(child.hProcess, &exitCode);
        EXPECT_EQ(exitCode, 0u);
        ::CloseHandle(child.hThread);
        ::CloseHandle(child.hProcess);
    }

    std::string text = test::readFile(log);
    ASSERT_TRUE(text.starts_with("\xEF\xBB\xBF"));
    text.erase(0, 3);
    std::multiset<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.insert(text.substr(start, end - start + 2));
    }
    std::multiset<std::string> expected;
    for (const char writer : {'p', 'c', 'c'}) {
        for (int i = 0; i < kEntries; ++i) {
            expected.insert(entryOf(writer, i));
        }
    }
    EXPECT_EQ(lines, expected);  // a torn entry or a second mark would show as a strange line
}

}  // namespace
}  // namespace qm::platform
