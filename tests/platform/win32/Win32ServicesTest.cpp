// The Windows services other than files and the registry, against the system itself: the
// Recycle Bin, drives, machine and program facts, letter case, locale formats and the shell.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <atomic>
#include <thread>

#include "ProductInfo.h"
#include "base/PathRules.h"
#include "base/RunError.h"
#include "platform/win32/Win32CaseRules.h"
#include "platform/win32/Win32DriveLabels.h"
#include "platform/win32/Win32DriveQuery.h"
#include "platform/win32/Win32LocaleFormat.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemFacts.h"
#include "platform/win32/Win32SystemInformation.h"
#include "platform/win32/Win32Trash.h"
#include "tests/support/ErrorNumber.h"
#include "tests/support/Harness.h"
#include "tests/support/TempFolder.h"

namespace qm::platform {
namespace {

std::int64_t recycledItems() {
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    return ::SHQueryRecycleBinW(nullptr, &info) == S_OK ? info.i64NumItems : -1;
}

TEST(Win32Trash, MovesToTheRecycleBinOrNamesTheMissingFile) {
    test::TempFolder dir;
    dir.write("old log.txt", "x");
    const std::int64_t before = recycledItems();
    Win32Trash trash;
    trash.moveToTrash(dir / "old log.txt");
    EXPECT_EQ(dir.names(), std::vector<std::string>{});
    EXPECT_EQ(recycledItems(), before + 1);
    EXPECT_EQ(test::errorNumberOf([&] { trash.moveToTrash(dir / "gone/x.txt"); }), kPathNotFound);
}

TEST(Win32Drives, TheSystemDriveAnswersAsTheSystemSaysAndAnUnusedLetterDoesNot) {
    Win32DriveQuery drives;
    bool listed = false;
    for (const MountedDrive& drive : drives.mountedDrives()) {
        listed = listed || (drive.mountPoint == "C:\\" && drive.displayText.starts_with("c:"));
    }
    EXPECT_TRUE(listed);
    EXPECT_EQ(drives.driveType("C:\\"), kDriveFixed);
    const test::TempFolder temp;
    EXPECT_EQ(drives.mountPointOf(temp.path()), "C:\\");
    EXPECT_EQ(drives.mountPointOf(temp / "missing"), "");

    FreeSpaceEx space;
    ASSERT_TRUE(drives.diskFreeSpaceEx("C:\\", space));
    ULARGE_INTEGER total{};
    ASSERT_TRUE(::GetDiskFreeSpaceExW(L"C:\\", nullptr, &total, nullptr));
    EXPECT_EQ(space.totalBytes, total.QuadPart);
    FreeSpaceLegacy clusters;
    EXPECT_TRUE(drives.diskFreeSpace("C:\\", clusters));
    VolumeInformation volume;
    ASSERT_TRUE(drives.volumeInformation("C:", volume));
    EXPECT_FALSE(volume.fileSystemName.empty());
    EXPECT_GT(volume.maxComponentLength, 0u);

    // A letter nothing is mapped to: no root directory, no answers.
    std::string unused;
    const DWORD mapped = ::GetLogicalDrives();
    for (int i = 25; i >= 3 && unused.empty(); --i) {
        if ((mapped & (1u << i)) == 0) {
            unused = std::string(1, static_cast<char>('A' + i)) + ":\\";
        }
    }
    ASSERT_FALSE(unused.empty());
    EXPECT_EQ(drives.driveType(unused), kDriveNoRootDir);
    EXPECT_FALSE(drives.volumeInformation(unused, volume));
    EXPECT_FALSE(drives.diskFreeSpaceEx(unused, space));
    EXPECT_TRUE(drives.procedureExists(kExtendedSpaceLibrary, kExtendedSpaceProcedure));
    EXPECT_FALSE(drives.procedureExists("kernel32", "NoSuchProcedure"));
    EXPECT_FALSE(drives.procedureExists("no-such-library", "GetDiskFreeSpaceExW"));
}

TEST(Win32Drives, ADriveThatDoesNotAnswerHoldsTheListForTheWaitOnly) {
    // Z: stands for a network drive whose server is gone: it answers once released.
    const auto released = std::make_shared<std::atomic<bool>>(false);
    Win32DriveLabels labels(std::chrono::milliseconds(200),
                            [released](const std::wstring& root) -> std::optional<std::string> {
                                while (root == L"Z:\\" && !*released) {
                                    ::Sleep(5);
                                }
                                return root == L"Z:\\" ? "GONE" : "DATA";
                            });
    const auto start = std::chrono::steady_clock::now();
    const auto first = labels.labels({L"C:\\", L"Z:\\"});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(first, (std::map<std::wstring, std::string>{{L"C:\\", "DATA"}}));
    *released = true;
    EXPECT_EQ(labels.labels({L"Z:\\"}), (std::map<std::wstring, std::string>{{L"Z:\\", "GONE"}}))
        << "the late answer";
}

TEST(Win32Facts, ProgramFileAndItsVersionAndWritableFolders) {
    // The computer's name and the Windows folder are held by the operating system tests.
    Win32SystemFacts facts;
    EXPECT_TRUE(facts.executablePath().ends_with("\\test_win32.exe")) << facts.executablePath();
    EXPECT_EQ(facts.kernel().name, "Windows NT");
    const test::TempFolder temp;
    EXPECT_TRUE(facts.folderWritable(temp.path()));
    EXPECT_FALSE(facts.folderWritable(temp / "missing"));
    EXPECT_EQ(temp.names(), std::vector<std::string>{}) << "the probe leaves nothing behind";

    const auto version = Win32SystemFacts::fileVersion(facts.executablePath());
    ASSERT_TRUE(version.has_value()) << "the test program carries the version resource";
    EXPECT_EQ(version->major, product::kVersionMajor);
    EXPECT_EQ(version->minor, product::kVersionMinor);
    EXPECT_EQ(version->build, product::kVersionRevision);
}

TEST(Win32Facts, StateFolderWithoutLocalAppDataIsTheKnownFolder) {
    test::FakeSystemFacts facts;
    EXPECT_TRUE(facts.stateFolder().ends_with("\\Quillmote Utility"));
    EXPECT_EQ(rootLength(facts.stateFolder()), 3u);
}

TEST(Win32SystemInformation, VersionInItsShortestFormAndBuild) {
    const struct {
        const char* release;
        const char* version;
        const char* build;
    } rows[] = {
        {"10.0.19045", "10", "19045"},
        {"6.1.7601", "6.1", "7601"},
    };
    for (const auto& row : rows) {
        struct Release : test::FakeSystemFacts {
            std::string release;
            KernelInfo kernel() const override { return {"Windows NT", release, ""}; }
        } fixed;
        fixed.release = row.release;
        const Win32SystemInformation info(fixed);
        EXPECT_EQ(info.osPlatform(), 2);
        EXPECT_EQ(info.osVersion(), row.version) << row.release;
        EXPECT_EQ(info.osBuild(), row.build) << row.release;
    }
    const Win32SystemInformation real{Win32SystemFacts()};
    EXPECT_GT(real.workAreaWidth(), 0.0);
    EXPECT_GT(real.twipsPerPixelY(), 0.0);
}

TEST(Win32CaseRules, LocaleRulesForEveryCharacter) {
    const auto turkish = Win32CaseRules::named("tr-TR");
    ASSERT_NE(turkish, nullptr);
    EXPECT_EQ(turkish->upper('i'), 0x130u);  // dotted capital I
    EXPECT_EQ(turkish->lower('I'), 0x131u);  // dotless small i
    const auto neutral = Win32CaseRules::invariant();
    EXPECT_EQ(neutral->upper('i'), static_cast<text::Char>('I'));
    EXPECT_EQ(neutral->upper(0xE9), 0xC9u);
    EXPECT_EQ(neutral->upper(0x10428), 0x10400u) << "beyond U+FFFF, not cut to 16 bits";
    EXPECT_EQ(neutral->upper(0x1F600), 0x1F600u);
    EXPECT_EQ(neutral->lower(0xDF), 0xDFu);
    EXPECT_EQ(Win32CaseRules::named("xx-NOPE"), nullptr);
}

TEST(Win32LocaleFormat, TheLocalesOwnDatesTimesAndNumbers) {
    test::FixedClock clock;
    clock.setLocal(2026, 12, 6, 14, 3, 27);
    const struct {
        const char* locale;
        const char* longDate;
        const char* longTime;
        std::vector<std::string> generals;  // the short date's form differs between data sets
        const char* grouped;
        const char* fixed;
    } rows[] = {
        {"en-US",
         "Sunday, December 6, 2026",
         "2:03:27 PM",
         {"12/6/2026 2:03:27 PM"},
         "80,000,000,000",
         "74.51"},
        {"de-DE",
         "Sonntag, 6. Dezember 2026",
         "14:03:27",
         {"06.12.2026 14:03:27", "6.12.2026 14:03:27"},
         "80.000.000.000",
         "74,51"},
    };
    for (const auto& row : rows) {
        const Win32LocaleFormat format(row.locale);
        EXPECT_EQ(format.longDate(clock.now()), row.longDate) << row.locale;
        EXPECT_EQ(format.longTime(clock.now()), row.longTime) << row.locale;
        EXPECT_THAT(row.generals, ::testing::Contains(format.generalDate(clock.now())))
            << row.locale;
        EXPECT_EQ(format.grouped(80'000'000'000ull), row.grouped) << row.locale;
        EXPECT_EQ(format.fixed(74.51, 2), row.fixed) << row.locale;
        EXPECT_EQ(format.timeOfDay(clock.now()), "14:03:27") << row.locale;
    }
}

TEST(Win32LocaleFormat, TheShortDateKeepsItsYearInFourDigits) {
    const struct {
        const wchar_t* picture;
        const wchar_t* used;
    } rows[] = {
        {L"M/d/yy", L"M/d/yyyy"},
        {L"dd.MM.yyyy", L"dd.MM.yyyy"},
        {L"d/M/y", L"d/M/yyyy"},
        {L"yy-MM-dd 'yy'", L"yyyy-MM-dd 'yy'"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(withFourDigitYears(row.picture), row.used);
    }
}

TEST(Win32Shell, ARequestForNothingIsRefused) {
    const test::TempFolder temp;
    Win32Shell shell;
    EXPECT_FALSE(shell.execute("open", temp / "missing.rtf"));
    EXPECT_FALSE(shell.execute("explore", temp / "missing"));
    EXPECT_FALSE(shell.execute("open", temp / "bad\xFF"));
}

TEST(Win32MessageBox, StyleNumbersGoThroughAndThePressedButtonComesBack) {
    // The user: finds the box by its title, reads it, and presses Retry.
    std::atomic<bool> found{false};
    std::wstring shown;
    bool cancelOffered = false;
    bool okOffered = true;
    std::thread user([&] {
        for (int i = 0; i < 200; ++i) {
            if (const HWND box = ::FindWindowW(L"#32770", L"Quillmote Utility: Error 61")) {
                wchar_t text[256] = {};
                ::GetDlgItemTextW(box, 0xFFFF, text, 256);
                shown = text;
                okOffered = ::GetDlgItem(box, IDOK) != nullptr;
                cancelOffered = ::GetDlgItem(box, IDCANCEL) != nullptr;
                found = true;
                ::SendMessageW(::GetDlgItem(box, IDRETRY), BM_CLICK, 0, 0);
                return;
            }
            ::Sleep(50);
        }
    });
    Win32MessageBox messages;
    const MessageResult answer = messages.show("Disk is full.  \xC3\xA9t\xC3\xA9",
                                               kStyleRetryCancel, "Quillmote Utility: Error 61");
    user.join();
    if (!found) {
        GTEST_SKIP() << "no display to show a message box on";
    }
    EXPECT_TRUE(cancelOffered);
    EXPECT_FALSE(okOffered);
    EXPECT_EQ(shown, L"Disk is full.  \x00E9t\x00E9");
    EXPECT_EQ(answer, MessageResult::Retry);
}

TEST(Win32MessageBox, ABoxThatCannotBeShownChangesNothing) {
    Win32MessageBox messages(reinterpret_cast<void*>(0x7FFF1234));  // no such window
    EXPECT_EQ(messages.show("Rename?", kStyleYesNoQuestion, "t"), MessageResult::No);
    EXPECT_EQ(messages.show("Retry?", kStyleRetryCancel, "t"), MessageResult::Cancel);
    EXPECT_EQ(messages.show("Note", kStyleOkInformation, "t"), MessageResult::Ok);
}

}  // namespace
}  // namespace qm::platform
