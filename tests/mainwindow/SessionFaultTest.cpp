// A session while the settings hive or the log cannot be written.
//
// Settings: the n-th hive write and every one after it fails with a chosen errno. Saving
// settings is silent by design, so the user sees nothing; what must hold is that the hive stays
// readable with every value stored before, that no temporary file is left behind, and that the
// next save after the fault is gone stores the setting.
//
// Log: the session's start or end line cannot be written. Nobody is asked (there is no window
// yet, or none any more); the loss is logged as an error entry in the line's place. Or the log
// beside the program is a link another user planted: this user's log moves.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "base/PathRules.h"
#include "services/HiveFormat.h"
#include "tests/support/DiskFaults.h"
#include "tests/support/Evidence.h"
#include "tests/support/ProgramFixture.h"

namespace qm {
namespace {

using platform::FaultSite;

// Each errno of the table, met from the first, the second or the third save on.
class SettingsFaultTest : public test::ProgramFixture,
                          public ::testing::WithParamInterface<std::size_t> {
  protected:
    // The hive file has no line it cannot read, and nothing lies beside it. (The Windows
    // registry keeps each value whole by itself.)
    void expectHiveReadsWhole() {
#ifndef _WIN32
        const auto parsed = platform::parseHive(test::readFile(h.registry.path()));
        EXPECT_EQ(parsed.badEntries, 0u);
        EXPECT_EQ(h.root.names("config/quillmote"),
                  (std::vector<std::string>{"user.reg", "user.reg.lock"}));
#endif
    }
    // The three settings the window saves as the user clicks: filename case, extension case,
    // file type category.
    void clickThree() {
        form().optionGroup("optFilenameCase")[3]->click();
        form().optionGroup("optFileExtensionCase")[1]->click();
        form().get<platform::HeadlessComboBox>("cmbFilterType").choose(2);
    }
};

TEST_P(SettingsFaultTest, FailedSavesAreSilentAndLoseNothingStoredBefore) {
    const int errnoValue = test::kDiskFaults[GetParam()].errnoValue;
    const int nth = static_cast<int>(GetParam() % 3) + 1;
    start();
    openFolder(h.work);
    form().optionGroup("optFilenameCase")[1]->click();
    form().optionGroup("optFileExtensionCase")[2]->click();
    const std::string appPath = setting("Application", "Path");
    ASSERT_EQ(appPath, h.root / "app/");
    const std::string logBefore = h.log();

    h.faults.failNth(FaultSite::HiveWrite, nth, errnoValue, /*sticky=*/true);
    clickThree();
    EXPECT_TRUE(h.messages.shown().empty());
    EXPECT_EQ(h.log(), logBefore);  // nothing logged either
    EXPECT_EQ(setting("Preferences", "Filename Case"), nth <= 1 ? "1" : "3");
    EXPECT_EQ(setting("Preferences", "Extension Case"), nth <= 2 ? "2" : "1");
    EXPECT_EQ(setting("Preferences", "Default Filter Type"), "0");
    EXPECT_EQ(setting("Application", "Path"), appPath);
    expectHiveReadsWhole();

    h.faults.lift(FaultSite::HiveWrite);
    clickThree();
    EXPECT_EQ(setting("Preferences", "Filename Case"), "3");
    EXPECT_EQ(setting("Preferences", "Extension Case"), "1");
    EXPECT_EQ(setting("Preferences", "Default Filter Type"), "2");

    // An exit that cannot save the folder still unloads, closes the log session and ends.
    h.faults.failNth(FaultSite::HiveWrite, 1, errnoValue, /*sticky=*/true);
    form().button("cmdExit").click();
    EXPECT_EQ(setting("StartUp", "Last Path"), "<missing>");
    EXPECT_EQ(h.ui.quits(), 1);
    EXPECT_TRUE(h.messages.shown().empty());
    test::LogShape log;
    ASSERT_TRUE(test::readLog(h.log(), log)) << h.log();
    EXPECT_EQ(log.sessionsEnded, 1u);
    EXPECT_TRUE(log.errorSources.empty());
    EXPECT_EQ(setting("Preferences", "Filename Case"), "3");
    expectHiveReadsWhole();

    // The next start after the fault is gone finds every setting and saves the folder again.
    h.faults.lift(FaultSite::HiveWrite);
    app.reset();
    start();
    EXPECT_TRUE(controls().optFilenameCase[3]->value());
    EXPECT_TRUE(controls().optFileExtensionCase[1]->value());
    EXPECT_EQ(controls().cmbFilterType->text(), "Image Filters");
    openFolder(h.work);
    form().button("cmdExit").click();
    EXPECT_EQ(setting("StartUp", "Last Path"), h.root / "work/");
}

INSTANTIATE_TEST_SUITE_P(EachErrno, SettingsFaultTest,
                         ::testing::Range<std::size_t>(0, test::kDiskFaults.size()),
                         [](const auto& info) { return test::kDiskFaults[info.param].label; });

class SessionLineFaultTest : public test::ProgramFixture,
                             public ::testing::WithParamInterface<test::DiskFault> {};

TEST_P(SessionLineFaultTest, LostSessionLineIsLoggedAsAnErrorAndNobodyIsAsked) {
    const test::DiskFault& c = GetParam();
    h.faults.failNth(FaultSite::LogAppend, 1, c.errnoValue);
    start();
    h.faults.failNth(FaultSite::LogAppend, 1, c.errnoValue);
    form().button("cmdExit").click();
    EXPECT_TRUE(h.messages.shown().empty());
    EXPECT_EQ(h.ui.quits(), 1);
    test::LogShape log;
    ASSERT_TRUE(test::readLog(h.log(), log)) << h.log();
    EXPECT_EQ(log.headers, 1u);
    EXPECT_EQ(log.sessionsStarted, 0u);
    EXPECT_EQ(log.sessionsEnded, 0u);
    EXPECT_EQ(log.errorSources, (std::vector<std::string>{"bErrorHandler.OpenLogFile",
                                                          "bErrorHandler.CloseLogFile"}));
    EXPECT_NE(h.log().find(", error number: " + std::to_string(c.number) +
                           " occurred in bErrorHandler.OpenLogFile"),
              std::string::npos);
    EXPECT_NE(h.log().find("Associated file object: " + h.logPath() + "\r\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(EachErrno, SessionLineFaultTest, ::testing::ValuesIn(test::kDiskFaults),
                         [](const auto& info) { return info.param.label; });

// A log another user planted beside the program, in a folder every user may write: a link to a
// file of this user's, or a second name for one, before the start or during the session.
// Nothing is written through it, nobody is asked; this user's entries go to the state folder,
// whose log says why in its first line.
TEST(PlantedLogTest, NothingIsWrittenThroughItAndTheStateFolderSaysWhy) {
    const std::string link = "is a symbolic link", hardLink = "has another name (a hard link)";
    for (const auto& [why, whileRunning] :
         {std::pair{link, false}, {hardLink, false}, {link, true}, {hardLink, true}}) {
        SCOPED_TRACE(why + (whileRunning ? ", while running" : ""));
        test::Program p;
        const std::string victim = p.h.root.write("victim.txt", "the victim's own\n");
        // The program's folder is one every user may write: where only the user may, nobody
        // else can plant a link during a run.
        std::filesystem::permissions(test::fsPath(p.h.root / "app"), std::filesystem::perms::all);
        const auto plant = [&, why = why] {
            const auto log = test::fsPath(p.h.root / "app/_APP_LOG.txt");
            std::error_code error;
            std::filesystem::remove(log, error);
            why == link ? std::filesystem::create_symlink(test::fsPath(victim), log, error)
                        : std::filesystem::create_hard_link(test::fsPath(victim), log, error);
            return !error;
        };
        const bool plantedBefore = whileRunning || plant();
        p.startIn({"a.txt"});
        if (!plantedBefore || (whileRunning && !plant())) {
            std::printf("skipped: this system makes no such link (%s)\n", why.c_str());
            continue;
        }
        p.prepare({"a.txt"}, "a", "b");
        p.h.messages.queueAnswer(platform::MessageResult::Yes);
        p.rename();
        p.form().button("cmdExit").click();

        EXPECT_EQ(test::readFile(victim), "the victim's own\n");
        EXPECT_EQ(p.h.messages.shown().size(), 1u) << p.h.messages.shown().back().text;
        const std::string log =
            test::readFile(platform::joinPath(p.h.facts.stateFolder(), "_APP_LOG.txt"));
        EXPECT_TRUE(log.starts_with(std::string(platform::kTextFileMark) + "The log " +
                                    (p.h.root / "app/_APP_LOG.txt") + " " + why +
                                    ", so this user's entries are written here.\r\n"))
            << log;
        EXPECT_NE(log.find(p.entry("a.txt", "b.txt")), std::string::npos) << log;
    }
}

}  // namespace
}  // namespace qm
