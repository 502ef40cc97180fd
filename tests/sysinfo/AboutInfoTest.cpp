#include "sysinfo/AboutInfo.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <filesystem>

#include "platform/headless/HeadlessSystemInformation.h"
#include "sysinfo/frmAbout.h"
#include "tests/support/FakeDriveQuery.h"
#include "tests/support/Harness.h"
#include "tests/support/RecordingReporter.h"

namespace qm {
namespace {

using test::fakePath;

class AboutInfoTest : public ::testing::Test {
  protected:
    AboutInfoTest() {
        drives.drives[fakePath("/data/")].volume = {"DATA", 0x1234, 255, 0, "ext4"};
        drives.drives[fakePath("/data/")].space = {60000000000ull, 80000000000ull, 70000000000ull};
        drives.addUnready(fakePath("/media/floppy/"), platform::kDriveRemovable);
        drives.addUnready(fakePath("/media/cdrom/"), platform::kDriveCdRom);
        info.setWorkArea(19200, 11550, 15, 15);
        info.setOs(0, "Linux", "6.1", "6.1.0-28-amd64");
    }
    std::string aboutText(const std::string& drive) {
        CDriveInfo driveInfo(drives, h.format, drive);
        driveInfo.Drive(drive);
        return GetAboutInfo(driveInfo, &info, sources);
    }

    test::Harness h;
    test::FakeDriveQuery drives;
    platform::HeadlessSystemInformation info;
    test::RecordingReporter errors;
    bOperatingSystem os{h.facts, errors};
    bDriveInfo kinds{drives, errors};
    AboutSources sources{h.identity, h.files, h.format, os, kinds, errors};
};

TEST_F(AboutInfoTest, ReadyDriveLineByLine) {
    // The program file was last written on 6 December 2026 at 09:05:07 local time.
    h.clock.setLocal(2026, 12, 6, 9, 5, 7);
    std::filesystem::last_write_time(test::fsPath(h.identity.programFile()),
                                     std::chrono::file_clock::from_sys(h.clock.now()));
    const platform::SystemWording wording = test::systemWording();
#ifdef _WIN32
    std::string program;  // upper case with ".EXE" (the test's folder is ASCII): found all the same
    for (const char c : h.root / "app/quillmote.exe") {
        program += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
#else
    const std::string program = h.root / "app/quillmote";
#endif
    EXPECT_EQ(aboutText(fakePath("/data")),
              program + "\r\nVersion 1.0.0000   Compile Date: 12/06/2026 09:05:07\r\n\r\n" +
                  wording.application + "\r\n\r\nScreen Resolution: 1280 X 770\r\n" +
                  "Linux, ver. 6.1(6.1.0-28-amd64)\r\n" + wording.osFolderLabel + ": " +
                  test::systemFolders().first + "\r\n" + wording.osLibraryFolderLabel + ": " +
                  test::systemFolders().second +
                  "\r\n\r\n"
                  "Volume Label: DATA  Serial number: 0000-1234\r\n"
                  "Total Space: 74.51 GB (80,000,000,000 bytes)\r\n"
                  "Available Space: 55.88 GB (60,000,000,000 bytes)\r\n"
                  "Maximum Filename Length: 255\r\n"
                  "File System: ext4\r\n"
                  "Drive Type: Fixed drive\r\n"
                  "Compressed Drive: No");
    EXPECT_TRUE(errors.shown.empty());
}

TEST_F(AboutInfoTest, UnreadyDrivesEndWithTheirNote) {
    struct Case {
        std::string drive;
        std::string last;
    };
    for (const auto& c : {Case{fakePath("/media/floppy"), "[Disk Not Present]"},
                          Case{fakePath("/media/cdrom"), "[Disc Not Present]"},
                          Case{fakePath("/nowhere"), "[Drive Not Mapped]"}}) {
        const std::string text = aboutText(c.drive);
        const std::size_t type = text.rfind("\r\nDrive Type: ");
        ASSERT_NE(type, std::string::npos) << text;
        EXPECT_EQ(text.substr(text.find("\r\n", type + 2)), "\r\n" + c.last) << c.drive;
    }
}

// A serial number of 0 shown as nothing is a row of CDriveInfo's serial number test.
TEST_F(AboutInfoTest, MissingProgramFileHasNoCompileDate) {
    ::unlink(h.identity.programFile().c_str());
    EXPECT_NE(aboutText(fakePath("/data")).find("\r\nVersion 1.0.0000   Compile Date: Unknown\r\n"),
              std::string::npos);
}

TEST_F(AboutInfoTest, FailureIsLoggedAndGivesNoText) {
    test::RecordingReporter logging;
    const AboutSources broken{h.identity, h.files, h.format, os, kinds, logging};
    CDriveInfo driveInfo(drives, h.format, fakePath("/data"));
    EXPECT_EQ(GetAboutInfo(driveInfo, nullptr, broken), "");
    ASSERT_EQ(logging.logged.size(), 1u);
    EXPECT_EQ(logging.logged[0].source, "bApplication_GetAboutInfo");
    EXPECT_TRUE(logging.shown.empty());
}

TEST_F(AboutInfoTest, WindowLoadsInOrderAndFollowsTheChosenDrive) {
    platform::HeadlessUi ui(h.files, drives, h.caseMapper);
    bForms forms(errors, ui.pointer(), ui.clipboard());
    auto view = ui.createAboutWindow();
    frmAbout about(std::move(view), drives, sources, forms);
    about.Form_Load();
    auto& c = about.controls();
    const platform::Rect label = c.lblCopyrightInfo->geometry();
    EXPECT_EQ(label.left, (c.window->innerWidth() - label.width) / 2);
    EXPECT_EQ(c.lblCopyrightInfo->caption(), "Copyright (C) 2026 The Quillmote Utility developers");
    EXPECT_EQ(c.Line1->ends(), (platform::Rect{0, 0, c.window->innerWidth(), 0}));
    auto* form = ui.aboutForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->window().headlessSurface().boxes().size(), 512u);  // the gradient

    auto& driveList = form->get<platform::HeadlessDriveList>("lstDrive");
    for (int i = 0; i < driveList.listCount(); ++i) {
        if (driveList.list(i) == fakePath("/data [DATA]")) {
            driveList.choose(i);
        }
    }
    // The hourglass while the drive is read, and waiting events run as it comes and goes.
    EXPECT_EQ(ui.headlessPointer().changes, (std::vector<bool>{true, false}));
    EXPECT_EQ(ui.headlessPointer().eventRuns, 2);
    EXPECT_NE(c.lblAboutInfo->caption().find("Volume Label: DATA"), std::string::npos);
    form->button("cmdContinue").click();
    EXPECT_FALSE(c.window->visible());
}

}  // namespace
}  // namespace qm
