#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "services/MessageBox.h"
#include "tests/support/HiveValues.h"
#include "tests/support/ProgramFixture.h"

namespace qm {
namespace {

using test::ProgramFixture;

class MainWindowTest : public ProgramFixture {
  protected:
    void store(const std::string& section, const std::string& key, const std::string& value) {
        cRegistry(h.registry, "Quillmote Utility").SaveSetting(section, key, value);
    }
};

TEST_F(MainWindowTest, FirstStartGreetsThenShowsEverythingInTheProgramsFolder) {
    // The About box is shown and closed before the main window is shown.
#ifndef _WIN32  // a dot file is hidden, as in a file manager (Windows has an attribute for it)
    h.root.write("app/.hidden");
#endif
    std::string greeting;
    h.ui.whenModal([&](platform::HeadlessForm& about) {
        greeting = about.design().name;
        EXPECT_FALSE(h.ui.mainForm() != nullptr && h.ui.mainForm()->window().visible());
        about.button("cmdContinue").click();
    });
    app = std::make_unique<Application>(h.services);
    app->Main();
    EXPECT_EQ(greeting, "frmAbout");
    auto& c = controls();
    EXPECT_TRUE(c.window->visible());
    EXPECT_FALSE(h.state.IsStarting);
    EXPECT_EQ(c.cmbFilterType->text(), "All Filters");
    EXPECT_EQ(c.cmbFileFilter->text(), "*.*");
    EXPECT_EQ(c.Dir1->path(), h.root / "app");
    EXPECT_EQ(listed(),
              (std::vector<std::string>{test::kProgramFileName}));  // before the log began
    EXPECT_TRUE(c.optFilenameCase[0]->value());
    EXPECT_TRUE(c.optFileExtensionCase[0]->value());
    EXPECT_EQ(panel(1), h.root / "app/");
    EXPECT_EQ(panel(2), "No files selected");
    EXPECT_TRUE(h.messages.shown().empty());  // the settings it saves: the settings fault test's
}

TEST_F(MainWindowTest, EverySettingUnderItsSectionAndName) {
    start();
    form().get<platform::HeadlessComboBox>("cmbFilterType").choose(2);
    form().optionGroup("optFilenameCase")[3]->click();
    form().optionGroup("optFileExtensionCase")[1]->click();
    openFolder(h.work);
    form().button("cmdExit").click();
#ifdef _WIN32  // in the registry itself: each a text value under its section's key
    const std::string key = "Software\\Quillmote Utility\\";
    const std::vector<std::array<std::string, 3>> expected = {
        {"Application", "Path", h.root / "app/"},   {"Preferences", "Default Filter Type", "2"},
        {"Preferences", "Filename Case", "3"},      {"Preferences", "Extension Case", "1"},
        {"StartUp", "Last Path", h.root / "work/"},
    };
    for (const auto& [section, name, value] : expected) {
        platform::RegType type = platform::kRegNone;
        EXPECT_EQ(test::getValue(h.registry, key + section, name, &type), value + '\0') << name;
        EXPECT_EQ(type, platform::kRegSz) << name;
    }
#else
    EXPECT_EQ(test::readFile(h.registry.path()),
              "REGEDIT4\n\n"
              "[HKEY_CURRENT_USER\\Software\\Quillmote Utility\\Application]\n"
              "\"Path\"=\"" +
                  h.root / "app/" +
                  "\"\n\n"
                  "[HKEY_CURRENT_USER\\Software\\Quillmote Utility\\Preferences]\n"
                  "\"Default Filter Type\"=\"2\"\n"
                  "\"Filename Case\"=\"3\"\n"
                  "\"Extension Case\"=\"1\"\n\n"
                  "[HKEY_CURRENT_USER\\Software\\Quillmote Utility\\StartUp]\n"
                  "\"Last Path\"=\"" +
                  h.work + "/\"\n");
#endif
}

TEST_F(MainWindowTest, ASessionInTheLogByteForByte) {
    // The clock moves between the steps, and shows hours below ten.
    h.clock.setLocal(2026, 12, 6, 9, 5, 7);
    h.root.write("work/a.txt", "a");
    h.root.write("work/b.txt", "b");
    h.root.write("work/c.txt", "obstacle");
    start();
    openFolder(h.work);
    h.clock.setLocal(2026, 12, 6, 9, 5, 9);
    prepare({"a.txt"}, "a", "A1");
    h.messages.queueAnswer(platform::MessageResult::Yes);
    rename();
    h.clock.setLocal(2026, 12, 6, 9, 6, 0);
    prepare({"b.txt"}, "b", "c");
    h.messages.queueAnswer(platform::MessageResult::Yes);
    rename();
    h.clock.setLocal(2026, 12, 6, 9, 7, 11);
    form().button("cmdExit").click();
    const std::string w = h.root / "work/";
    const std::string line(60, '_');
    EXPECT_EQ(h.log(),
              std::string(platform::kTextFileMark) + h.logPath() +
                  " logs system and critical application errors.  Entries are logged "
                  "chronologically from the beginning to the end of the file.  This file will "
                  "grow very large over time and should be purged periodically.  If you are "
                  "having problems using Quillmote Utility, please attach a copy of this file to "
                  "an e-mail and send it to the developer, support@quillmote.example\r\n\r\n" +
                  line + "\r\n\r\n" +
                  "Session started on machine TESTBOX:   Sunday, 06 December 2026 @09:05:07\r\n"
                  "\r\n"
                  "\r\n\r\n09:05:09\r\nRenamed: " +
                  w + "a.txt\r\n------> " + w +
                  "A1.txt\r\n"
                  "\r\n"
                  "     File already exists, error number: 58 occurred in frmQuillmote_cmdRename "
                  "on machine TESTBOX on 12/06/2026 09:06:00.  Quillmote Utility Version "
                  "1.0.0000\r\nAssociated file object: c.txt\r\n"
                  "Session ended on machine TESTBOX:   Sunday, 06 December 2026 @09:07:11\r\n" +
                  line + "\r\n");
}

TEST_F(MainWindowTest, RememberedFolderDeletedOpensTheProgramsFolder) {
    store("StartUp", "Last Path", h.root / "gone/");
    start();
    EXPECT_EQ(controls().Dir1->path(), h.root / "app");
}

TEST(StoredCategoryTest, OneThatIsNoNumberStartsOnAllFiltersAndKeepsTheFolder) {
    for (const char* stored : {"abc", "", "99999999999", "7"}) {
        SCOPED_TRACE(stored);
        test::Program p;
        cRegistry store(p.h.registry, "Quillmote Utility");
        store.SaveSetting("StartUp", "Last Path", p.h.root / "work/");
        store.SaveSetting("Preferences", "Default Filter Type", stored);
        p.start();
        EXPECT_TRUE(p.h.messages.shown().empty());
        EXPECT_EQ(p.controls().cmbFilterType->text(), "All Filters");
        EXPECT_EQ(p.setting("Preferences", "Default Filter Type"), "0");
        EXPECT_EQ(p.controls().Dir1->path(), p.h.work);
        p.form().button("cmdExit").click();
        EXPECT_EQ(p.setting("StartUp", "Last Path"), p.h.root / "work/");
    }
}

// After Cancel on a folder that cannot be opened, every part of the window names the folder
// whose files are listed, or its nearest parent when that one has gone too.
TEST(VanishedFolderTest, TheWindowAgreesWithTheFilesItLists) {
    struct Case {
        const char* listed;
        const char* chosen;  // shown in the folder list, gone from the disk
    };
    for (const Case c : {Case{"work", "sub"}, Case{"work/sub", "inner"}}) {
        SCOPED_TRACE(c.listed);
        test::Program p;
        p.h.root.write("work/a.txt");
        p.h.root.makeFolder("work/sub/inner");
        p.start();
        p.openFolder(p.h.root / c.listed);
        std::filesystem::remove_all(test::fsPath(p.h.root / "work/sub"));
        auto& folders = p.form().get<platform::HeadlessFolderList>("Dir1");
        folders.open(c.chosen);
        ASSERT_EQ(p.h.messages.shown().size(), 1u);
        EXPECT_EQ(p.h.messages.shown()[0].text, "The specified path does not exist.");
        EXPECT_EQ(p.controls().Dir1->path(), p.h.work);
        EXPECT_TRUE(folders.subfolders().empty());
        EXPECT_EQ(p.panel(1), p.h.root / "work/");
        EXPECT_EQ(p.listed(), std::vector<std::string>{"a.txt"});
        EXPECT_EQ(p.window().GetCurrentFolder(), p.h.root / "work/");
        p.form().button("cmdExit").click();
        EXPECT_EQ(p.setting("StartUp", "Last Path"), p.h.root / "work/");
    }
}

TEST_F(MainWindowTest, FilenameCaseThatNamesNoOptionIsReportedAndLeavesExtensionAlone) {
    store("Preferences", "Filename Case", "7");
    store("Preferences", "Extension Case", "2");
    start();
    ASSERT_EQ(h.messages.shown().size(), 1u);
    EXPECT_EQ(h.messages.shown()[0].text, "Control array element '7' doesn't exist");
    EXPECT_EQ(h.messages.shown()[0].title, "Quillmote Utility: Error 340");
    EXPECT_NE(h.log().find("occurred in bQuillmote_GetPreferences"), std::string::npos);
    EXPECT_TRUE(controls().optFileExtensionCase[0]->value());
    EXPECT_TRUE(controls().window->visible());
}

TEST_F(MainWindowTest, FilterCategoriesEntryByEntry) {
    struct Category {
        const char* name;
        std::vector<std::string> entries;
        const char* pattern;
    };
    const std::vector<Category> table = {
        {"All Filters",
         {"*.mp3", "*.wav", "*.wma", "*.avi", "*.mov", "*.mpg", "*.mpeg", "*.wmv", "*.bmp", "*.cur",
          "*.gif", "*.ico", "*.jpg", "*.jpeg", "*.doc", "*.rtf", "*.txt", "*.*"},
         "*.*"},
        {"Audio Filters",
         {"*.mp3", "*.wav", "*.wma", "*.mp3;*.wav;*.wma", "*.*"},
         "*.mp3;*.wav;*.wma"},
        {"Image Filters",
         {"*.bmp", "*.cur", "*.gif", "*.ico", "*.jpg", "*.jpeg",
          "*.bmp;*.cur;*.gif;*.ico;*.jpg;*.jpeg;*.wmf", "*.*"},
         "*.bmp;*.cur;*.gif;*.ico;*.jpg;*.jpeg;*.wmf"},
        {"Video Filters",
         {"*.avi", "*.mov", "*.mpg", "*.mpeg", "*.wmv", "*.avi;*.mov;*.mpg;*.mpeg;*.wmv", "*.*"},
         "*.avi;*.mov;*.mpg;*.mpeg;*.wmv"},
        {"Document Filters",
         {"*.doc", "*.rtf", "*.txt", "*.doc;*.rtf;*.txt", "*.*"},
         "*.doc;*.rtf;*.txt"},
    };
    start();
    auto& types = form().get<platform::HeadlessComboBox>("cmbFilterType");
    auto& filters = form().get<platform::HeadlessComboBox>("cmbFileFilter");
    ASSERT_EQ(types.listCount(), 5);
    for (int i = 4; i >= 0; --i) {
        const Category& row = table[static_cast<std::size_t>(i)];
        SCOPED_TRACE(row.name);
        types.choose(i);
        EXPECT_EQ(types.list(i), row.name);
        EXPECT_EQ(test::entriesOf(filters), row.entries);
        EXPECT_EQ(filters.text(), row.pattern);
        EXPECT_EQ(controls().File1->pattern(), row.pattern);
        EXPECT_EQ(setting("Preferences", "Default Filter Type"), std::to_string(i));
    }
}

// A chosen pattern is the filter categories' test; a typed one applies as it is typed.
TEST_F(MainWindowTest, TypedPatternListsItsFiles) {
    for (const char* name : {"d.txt", "e.tx", "f.t"}) {
        h.root.write(std::string("work/") + name);
    }
    start();
    openFolder(h.work);
    auto& filters = form().get<platform::HeadlessComboBox>("cmbFileFilter");
    filters.setText("");
    filters.type("*.t");
    EXPECT_EQ(listed(), (std::vector<std::string>{"f.t"}));
    filters.type("x");
    EXPECT_EQ(listed(), (std::vector<std::string>{"e.tx"}));
}

TEST_F(MainWindowTest, SelectionCountIsNeverStale) {
    for (int i = 0; i < 12; ++i) {
        h.root.write("work/f" + std::to_string(10 + i));
    }
    start();
    openFolder(h.work);
    form().menu("mnuEditSelectAll").choose();
    EXPECT_EQ(panel(2), "12 files selected");
    form().button("cmdDeselectAll").click();
    EXPECT_EQ(panel(2), "No files selected");
    form().menu("mnuEditSelectAll").choose();
    // Another folder: the selection there is empty and the count says so.
    openFolder(h.root / "app");
    EXPECT_EQ(panel(2), "No files selected");
    openFolder(h.root.makeFolder("empty"));
    form().button("cmdSelectAll").click();
    EXPECT_EQ(panel(2), "No files selected");
}

TEST_F(MainWindowTest, RefreshClimbsToTheNearestExistingFolder) {
    const std::string deep = h.root.makeFolder("work/a/b/c");
    h.root.write("work/a/keep.txt");
    start();
    openFolder(deep);
    std::filesystem::remove_all(test::fsPath(h.root / "work/a/b"));
    form().menu("mnuViewRefresh").choose();
    EXPECT_EQ(controls().Dir1->path(), h.root / "work/a");
    EXPECT_EQ(listed(), (std::vector<std::string>{"keep.txt"}));
    EXPECT_EQ(panel(1), h.root / "work/a/");
    EXPECT_TRUE(h.messages.shown().empty());
}

// The ways out: every one but the end of the system's session is orderly.
class ExitTest : public MainWindowTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(ExitTest, OrderlyExitsSaveTheFolderAndCloseTheLog) {
    start();
    openFolder(h.work);
    const std::string how = GetParam();
    const bool saves = how != "system";
    if (how == "button") {
        form().button("cmdExit").click();
    } else if (how == "menu") {
        form().menu("mnuFileExit").choose();
    } else if (how == "closebox") {
        EXPECT_TRUE(form().window().userClose());
    } else {
        EXPECT_TRUE(form().window().systemClose(platform::CloseReason::SessionEnding));
    }
    EXPECT_EQ(setting("StartUp", "Last Path"), saves ? h.root / "work/" : "<missing>");
    const std::string log = h.log();
    EXPECT_EQ(log.ends_with(std::string(60, '_') + "\r\n") &&
                  log.find("Session ended on machine TESTBOX") != std::string::npos,
              saves);
    EXPECT_EQ(h.ui.quits(), 1);           // the program ends in every case
    EXPECT_EQ(h.ui.mainForm(), nullptr);  // unloaded in every case
}

INSTANTIATE_TEST_SUITE_P(Ways, ExitTest, ::testing::Values("button", "menu", "closebox", "system"),
                         [](const auto& info) { return info.param; });

TEST_F(MainWindowTest, CaseOptionsAreReadBackFromTheStoreForEveryName) {
    h.root.write("work/a.txt");
    start();
    form().optionGroup("optFilenameCase")[2]->click();
    store("Preferences", "Filename Case", "0");
    openFolder(h.work);
    prepare({"a.txt"}, "a", "b");
    h.ui.whenModal([&](platform::HeadlessForm& preview) {
        EXPECT_EQ(preview.get<platform::HeadlessListBox>("lstAfter").items(),
                  (std::vector<std::string>{"b.txt"}));
        preview.button("cmdCancel").click();
    });
    form().button("cmdPreview").click();
    EXPECT_EQ(h.ui.pendingScripts(), 0u);
}

TEST_F(MainWindowTest, OpenFolderAndHowToUseAskTheDesktop) {
    h.root.write("work/a.txt");
    start();
    openFolder(h.work);
    form().get<platform::HeadlessFileList>("File1").doubleClick(0);
    form().menu("mnuHelpHowToUse").choose();
    form().menu("mnuViewLogFile").choose();
    ASSERT_EQ(h.shell.requests.size(), 3u);
    EXPECT_EQ(h.shell.requests[0].verb, "explore");
    EXPECT_EQ(h.shell.requests[0].target, h.root / "work/");
    EXPECT_EQ(h.shell.requests[1].verb, "open");
    EXPECT_EQ(h.shell.requests[1].target, h.root / "app/ReadMe.rtf");
    EXPECT_EQ(h.shell.requests[2].target, h.logPath());
    EXPECT_TRUE(h.messages.shown().empty());  // a missing ReadMe.rtf is no error here
    // A desktop that cannot open them: the user is told.
    h.shell.opens = false;
    form().menu("mnuHelpHowToUse").choose();
    form().menu("mnuViewLogFile").choose();
    const auto& shown = h.messages.shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "No program could be started to open the file");
    EXPECT_EQ(shown[0].title, "Quillmote Utility: Error 31");
    EXPECT_NE(h.log().find("error number: 31 occurred in frmQuillmote_mnHelpHowToUse"),
              std::string::npos);
    EXPECT_EQ(shown[1].text, shown[0].text);
    EXPECT_EQ(shown[1].style, platform::kStyleOk);
    EXPECT_EQ(shown[1].title, "Quillmote Utility");
}

TEST_F(MainWindowTest, DriveThatCannotBeOpenedIsReportedAndTheListGoesBack) {
    h.drives.extra.push_back({h.root / "nodisk/", "EMPTY", h.root / "nodisk [EMPTY]"});
    start();
    openFolder(h.work);
    auto& drives = form().get<platform::HeadlessDriveList>("Drive1");
    const std::string before = drives.drive();
    h.messages.queueAnswer(platform::MessageResult::Retry);
    h.messages.queueAnswer(platform::MessageResult::Cancel);
    drives.setDrive(h.root / "nodisk [EMPTY]");
    ASSERT_EQ(h.messages.shown().size(), 2u);  // the first try and the retry
    EXPECT_EQ(h.messages.shown()[0].title, "Quillmote Utility: Error 76");
    EXPECT_NE(h.log().find("occurred in frmQuillmote_Drive1_Change"), std::string::npos);
    EXPECT_NE(h.log().find("Associated file object: " + h.root / "nodisk [EMPTY]"),
              std::string::npos);
    EXPECT_EQ(drives.drive(), before);
    EXPECT_EQ(controls().Dir1->path(), h.work);
}

}  // namespace
}  // namespace qm
