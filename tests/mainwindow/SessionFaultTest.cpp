// A session while the settings hive or the log cannot be written.
//
// Settings: the n-th hive write and every one after it fails with a chosen errno. Saving
// settings is silent by design, so the user sees nothing; what must hold is that the hive stays
// readable with every value stored before, that no temporary file is left behind, and that the
// next save after the fault is gone stores the setting.
//
// Log: the session's start or end line cannot be written. Nobody is asked (there is no window
// yet, or none any more); the loss is logged as an error entry in the line's place.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace qm
