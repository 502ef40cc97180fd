#include <gtest/gtest.h>

#include <filesystem>

#include "engine/RenameLog.h"
#include "platform/MessageBox.h"
#include "tests/support/ProgramFixture.h"

namespace qm {
namespace {

using platform::HeadlessForm;
using platform::HeadlessListBox;

class RenameRunTest : public test::ProgramFixture {
  protected:
    void SetUp() override {
        for (const char* name : {"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG"}) {
            h.root.write(std::string("work/") + name, name);
        }
        start();
        openFolder(h.work);
        logBefore = h.log();
    }
    // What the run appended to the log.
    std::string logged() const { return h.log().substr(logBefore.size()); }
    std::string entry(const std::string& from, const std::string& to) const {
        return RenameLog::entryText("14:03:27", h.work + "/" + from, h.work + "/" + to);
    }
    void rename() { form().button("cmdRename").click(); }

    std::string logBefore;
};

struct ValidationCase {
    const char* label;
    std::vector<std::string> selected;
    std::string search;
    std::string replacement;
    std::string message;
    std::string focus;  // the control that must have the focus afterwards
};

void PrintTo(const ValidationCase& c, std::ostream* os) {
    *os << c.label;
}

class ValidationTest : public RenameRunTest,
                       public ::testing::WithParamInterface<ValidationCase> {};

TEST_P(ValidationTest, StopsAtTheFirstFailureWithItsMessageAndFocus) {
    const ValidationCase& c = GetParam();
    textBox("txtReplaceThis").setFocus();
    prepare(c.selected, c.search, c.replacement);
    form().get<platform::HeadlessButton>("cmdExit").setFocus();
    rename();
    ASSERT_EQ(h.messages.shown().size(), 1u);
    EXPECT_EQ(h.messages.shown()[0].text, c.message);
    EXPECT_EQ(h.messages.shown()[0].style, 16);
    EXPECT_EQ(controls().window->activeControl()->name(), c.focus);
    EXPECT_EQ(logged(), "");  // the program's own input errors are never logged
    EXPECT_EQ(h.root.names("work").size(), 3u);
    EXPECT_TRUE(window().rename().RenameAborted);
}

const char* kIllegal =
    "One or more characters entered are not legal for file names.\r\nThese characters can not be "
    "used in file names:\r\n\r\n\\/*?\"<>|";

INSTANTIATE_TEST_SUITE_P(
    InOrder, ValidationTest,
    ::testing::Values(
        ValidationCase{"NoFileAndNoText", {}, "", "", "No files are selected.", "File1"},
        ValidationCase{"NoSearchText",
                       {"IMG_0001.JPG"},
                       "",
                       "x",
                       "Please select text to replace.",
                       "txtReplaceThis"},
        ValidationCase{"TrailingColon",
                       {"IMG_0001.JPG"},
                       "abc:",
                       "x:y",
                       "Please select text to replace.",
                       "txtReplaceThis"},
        ValidationCase{"DoubleColon",
                       {"IMG_0001.JPG"},
                       "a::b",
                       "x",
                       "Please select text to replace.",
                       "txtReplaceThis"},
        ValidationCase{
            "SlashInReplacement", {"IMG_0001.JPG"}, "IMG", "a/b", kIllegal, "txtWithThis"},
        ValidationCase{
            "PipeInReplacement", {"IMG_0001.JPG"}, "IMG", "a|b", kIllegal, "txtWithThis"},
        ValidationCase{"IllegalBeforeCount", {"IMG_0001.JPG"}, "a:b", "?", kIllegal, "txtWithThis"},
        ValidationCase{
            "CountsDiffer",
            {"IMG_0001.JPG"},
            "a:b",
            "x",
            "There must be the same number of text strings to replace as there are replacements.",
            "cmdExit"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(RenameRunTest, IllegalCharactersInTheSearchTextAreAccepted) {
    prepare({"IMG_0001.JPG"}, "*?", "x");
    h.messages.queueAnswer(platform::kYes);
    rename();
    EXPECT_EQ(h.messages.shown().size(), 1u);  // only the confirmation
}

TEST_F(RenameRunTest, NoAtTheConfirmationChangesNothing) {
    prepare({"IMG_0001.JPG", "IMG_0002.JPG"}, "IMG_", "Holiday ");
    h.messages.queueAnswer(platform::kNo);
    rename();
    ASSERT_EQ(h.messages.shown().size(), 1u);
    EXPECT_EQ(h.messages.shown()[0].text, "Rename Selected Files?  Changes can not be undone.");
    EXPECT_EQ(h.messages.shown()[0].style, 36);
    EXPECT_EQ(h.messages.shown()[0].title, "Quillmote Utility");
    EXPECT_EQ(h.root.names("work"),
              (std::vector<std::string>{"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG"}));
    EXPECT_EQ(logged(), "");
    EXPECT_EQ(form().get<platform::HeadlessProgressBar>("ProgressBar1").updates(), 0);
}

TEST_F(RenameRunTest, TwoFilesGiveTwoEntriesAndOneEmptyLine) {
    prepare({"IMG_0001.JPG", "IMG_0002.JPG"}, "IMG_", "Holiday ");
    form().optionGroup("optFileExtensionCase")[1]->click();
    h.messages.queueAnswer(platform::kYes);
    rename();
    EXPECT_EQ(h.root.names("work"),
              (std::vector<std::string>{"Holiday 0001.jpg", "Holiday 0002.jpg", "IMG_0003.JPG"}));
    EXPECT_EQ(test::readFile(h.work + "/Holiday 0001.jpg"), "IMG_0001.JPG");
    EXPECT_EQ(logged(), entry("IMG_0001.JPG", "Holiday 0001.jpg") +
                            entry("IMG_0002.JPG", "Holiday 0002.jpg") + "\r\n");
    EXPECT_EQ(listed(),
              (std::vector<std::string>{"Holiday 0001.jpg", "Holiday 0002.jpg", "IMG_0003.JPG"}));
    EXPECT_EQ(panel(2), "No files selected");
    EXPECT_TRUE(controls().StatusBar1->visible());
    EXPECT_FALSE(controls().ProgressBar1->visible());
    auto& bar = form().get<platform::HeadlessProgressBar>("ProgressBar1");
    EXPECT_EQ(bar.max(), 2);
    EXPECT_EQ(bar.value(), 2);
    EXPECT_EQ(bar.geometry(), (platform::Rect{0, 536 - 23, 800, 23}));
}

TEST_F(RenameRunTest, ExistingTargetStopsTheRunWithEarlierRenamesKept) {
    h.root.write("work/Holiday 0002.JPG", "obstacle");
    prepare({"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG"}, "IMG_", "Holiday ");
    h.messages.queueAnswer(platform::kYes);
    rename();
    ASSERT_EQ(h.messages.shown().size(), 2u);
    const auto& error = h.messages.shown()[1];
    EXPECT_EQ(error.text, "File already exists");
    EXPECT_EQ(error.title, "Quillmote Utility: Error 58");
    EXPECT_EQ(h.root.names("work"),
              (std::vector<std::string>{"Holiday 0001.JPG", "Holiday 0002.JPG", "IMG_0002.JPG",
                                        "IMG_0003.JPG"}));
    EXPECT_EQ(test::readFile(h.work + "/Holiday 0002.JPG"), "obstacle");
    const std::string log = logged();
    EXPECT_TRUE(log.starts_with(entry("IMG_0001.JPG", "Holiday 0001.JPG"))) << log;
    EXPECT_NE(log.find("     File already exists, error number: 58 occurred in "
                       "frmQuillmote_cmdRename on machine TESTBOX"),
              std::string::npos);
    EXPECT_TRUE(log.ends_with("Associated file object: Holiday 0002.JPG\r\n"))
        << log;  // no run separator
    EXPECT_EQ(listed()[0], "Holiday 0001.JPG");
    EXPECT_TRUE(window().rename().RenameAborted);
    EXPECT_FALSE(controls().ProgressBar1->visible());
    // The files not yet renamed stay selected for another try.
    EXPECT_EQ(panel(2), "2 files selected");
}

TEST_F(RenameRunTest, RetryAfterTheObstacleIsRemovedFinishesTheRun) {
    const std::string obstacle = h.root.write("work/Holiday 0002.JPG", "obstacle");
    prepare({"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG"}, "IMG_", "Holiday ");
    h.messages.queueAnswer(platform::kYes);
    h.messages.queueAnswer(platform::kRetry);
    h.messages.whileShown = [&](const platform::ShownMessage& box) {
        if (box.title.ends_with("Error 58")) {
            std::filesystem::rename(obstacle, h.root / "elsewhere");
        }
    };
    rename();
    EXPECT_EQ(
        h.root.names("work"),
        (std::vector<std::string>{"Holiday 0001.JPG", "Holiday 0002.JPG", "Holiday 0003.JPG"}));
    EXPECT_TRUE(logged().ends_with(entry("IMG_0003.JPG", "Holiday 0003.JPG") + "\r\n"));
    EXPECT_FALSE(window().rename().RenameAborted);
}

TEST_F(RenameRunTest, UnchangedAndCaseOnlyNamesAreRenamedAndLogged) {
    prepare({"IMG_0001.JPG", "IMG_0002.JPG"}, "zzz", "y");
    form().optionGroup("optFileExtensionCase")[0]->click();
    h.messages.queueAnswer(platform::kYes);
    rename();
    EXPECT_EQ(logged(), entry("IMG_0001.JPG", "IMG_0001.JPG") +
                            entry("IMG_0002.JPG", "IMG_0002.JPG") + "\r\n");
    form().button("cmdDeselectAll").click();
    fileList().clickNames({"IMG_0001.JPG"});
    controls().txtReplaceThis->setText("img");
    controls().txtWithThis->setText("img");
    h.messages.queueAnswer(platform::kYes);
    rename();
    EXPECT_EQ(h.root.names("work"),
              (std::vector<std::string>{"IMG_0002.JPG", "IMG_0003.JPG", "img_0001.JPG"}));
}

TEST_F(RenameRunTest, EmptyNewNameIsRefusedAndNothingMoves) {
    h.root.write("work/README", "r");
    fileList().refresh();
    prepare({"README"}, "readme", "");
    h.messages.queueAnswer(platform::kYes);
    rename();
    ASSERT_EQ(h.messages.shown().size(), 2u);
    EXPECT_EQ(h.messages.shown()[1].text, "Bad file name or number.");
    EXPECT_EQ(h.messages.shown()[1].style, 21);
    EXPECT_EQ(test::readFile(h.work + "/README"), "r");
}

TEST_F(RenameRunTest, VanishedSourceIsFileNotFound) {
    prepare({"IMG_0001.JPG"}, "IMG", "P");
    ::unlink((h.work + "/IMG_0001.JPG").c_str());
    h.messages.queueAnswer(platform::kYes);
    rename();
    ASSERT_EQ(h.messages.shown().size(), 2u);
    EXPECT_EQ(h.messages.shown()[1].text, "File \"P_0001.JPG\" not found.");
}

TEST_F(RenameRunTest, NameThatIsNotValidUtf8KeepsItsOtherBytes) {
    const std::string odd = "caf\xE9 IMG \xFF.txt";
    h.root.write("work/" + odd, "latin");
    fileList().refresh();
    prepare({odd}, "IMG", "photo");
    h.messages.queueAnswer(platform::kYes);
    rename();
    EXPECT_EQ(test::readFile(h.work + "/caf\xE9 photo \xFF.txt"), "latin");
    EXPECT_NE(logged().find("------> " + h.work + "/caf\xE9 photo \xFF.txt\r\n"),
              std::string::npos);
}

TEST_F(RenameRunTest, LogWriteFailureIsReportedAndRetryWritesTheEntry) {
    prepare({"IMG_0001.JPG", "IMG_0002.JPG"}, "IMG_", "P");
    h.messages.queueAnswer(platform::kYes);
    h.messages.queueAnswer(platform::kRetry);
    h.faults.failNth(platform::FaultSite::LogAppend, 1, ENOSPC);
    rename();
    ASSERT_EQ(h.messages.shown().size(), 2u);
    EXPECT_EQ(h.messages.shown()[1].text, "Disk is full.  Free some disk space and try again.");
    EXPECT_NE(logged().find(entry("IMG_0001.JPG", "P0001.JPG")), std::string::npos);
    EXPECT_NE(logged().find(entry("IMG_0002.JPG", "P0002.JPG")), std::string::npos);
    EXPECT_NE(logged().find("occurred in bQuillmote_LogFilenameChange"), std::string::npos);
    EXPECT_EQ(h.root.names("work"),
              (std::vector<std::string>{"IMG_0003.JPG", "P0001.JPG", "P0002.JPG"}));
}

class PreviewTest : public RenameRunTest {
  protected:
    std::vector<std::string> before, after;
    void previewAnd(const char* button) {
        h.ui.whenModal([this, button](HeadlessForm& preview) {
            before = preview.get<HeadlessListBox>("lstBefore").items();
            after = preview.get<HeadlessListBox>("lstAfter").items();
            EXPECT_FALSE(preview.window().userClose());  // the close box is disabled
            EXPECT_EQ(preview.get<platform::HeadlessLabel>("lblPath").caption(),
                      "Folder: " + h.work + "/");
            EXPECT_EQ(preview.get<platform::HeadlessLabel>("lblPath").toolTip(),
                      "Folder: " + h.work + "/");
            preview.button(button).click();
        });
        form().button("cmdPreview").click();
    }
};

TEST_F(PreviewTest, CancelRenamesAndLogsNothing) {
    prepare({"IMG_0001.JPG", "IMG_0003.JPG"}, "IMG_", "Holiday ");
    previewAnd("cmdCancel");
    EXPECT_EQ(before, (std::vector<std::string>{"IMG_0001.JPG", "IMG_0003.JPG"}));
    EXPECT_EQ(after, (std::vector<std::string>{"Holiday 0001.JPG", "Holiday 0003.JPG"}));
    EXPECT_EQ(logged(), "");
    EXPECT_EQ(h.root.names("work").size(), 3u);
    EXPECT_EQ(h.ui.previewForm(), nullptr);
    EXPECT_FALSE(app->module().PreviewMode);
    EXPECT_TRUE(h.messages.shown().empty());  // no confirmation for a preview
}

TEST_F(PreviewTest, ContinueThenNoRenamesNothing) {
    prepare({"IMG_0001.JPG"}, "IMG_", "Holiday ");
    h.messages.queueAnswer(platform::kNo);
    previewAnd("cmdContinue");
    EXPECT_EQ(h.messages.shown().size(), 1u);
    EXPECT_EQ(h.root.names("work").size(), 3u);
    EXPECT_EQ(logged(), "");
}

TEST_F(PreviewTest, ContinueThenYesRenamesExactlyAsListed) {
    prepare({"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG"}, "img_:0", "Holiday :o");
    form().optionGroup("optFilenameCase")[3]->click();
    h.messages.queueAnswer(platform::kYes);
    previewAnd("cmdContinue");
    EXPECT_EQ(h.root.names("work"), after);
    EXPECT_EQ(after, (std::vector<std::string>{"Holiday Ooo1.JPG", "Holiday Ooo2.JPG",
                                               "Holiday Ooo3.JPG"}));
    EXPECT_FALSE(app->module().PreviewMode);
}

TEST_F(PreviewTest, FailedFillNeverShowsTheWindowAndTheNextStartsEmpty) {
    form().button("cmdPreview").click();
    EXPECT_EQ(h.messages.shown()[0].text, "No files are selected.");
    EXPECT_EQ(h.ui.created("frmPreview"), 1);
    EXPECT_EQ(h.ui.previewForm(), nullptr);
    EXPECT_FALSE(app->module().PreviewMode);
    prepare({"IMG_0002.JPG"}, "2", "two");
    previewAnd("cmdCancel");
    EXPECT_EQ(before, (std::vector<std::string>{"IMG_0002.JPG"}));
    prepare({"IMG_0002.JPG", "IMG_0003.JPG"}, "2", "two");  // Ctrl+click: 0002 off, 0003 on
    previewAnd("cmdCancel");
    EXPECT_EQ(before, (std::vector<std::string>{"IMG_0003.JPG"}));
}

TEST_F(PreviewTest, ListSelectionsAreLinked) {
    prepare({"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG"}, "IMG", "x");
    h.ui.whenModal([](HeadlessForm& preview) {
        auto& left = preview.get<HeadlessListBox>("lstBefore");
        auto& right = preview.get<HeadlessListBox>("lstAfter");
        right.click(2);
        EXPECT_EQ(left.listIndex(), 2);
        left.click(0);
        EXPECT_EQ(right.listIndex(), 0);
        preview.button("cmdCancel").click();
    });
    form().menu("mnuViewPreview").choose();
}

TEST_F(RenameRunTest, RunOverMoreThan32767Files) {
    const std::string big = h.root.makeFolder("big");
    for (int i = 0; i < 33000; ++i) {
        h.root.write("big/f" + std::to_string(100000 + i) + ".dat");
    }
    openFolder(big);
    form().button("cmdSelectAll").click();
    EXPECT_EQ(panel(2), "33000 files selected");
    controls().txtReplaceThis->setText("f");
    controls().txtWithThis->setText("g");
    h.messages.queueAnswer(platform::kYes);
    rename();
    EXPECT_EQ(h.messages.shown().size(), 1u);
    const auto names = h.root.names("big");
    ASSERT_EQ(names.size(), 33000u);
    EXPECT_EQ(names.front(), "g100000.dat");
    EXPECT_EQ(names.back(), "g132999.dat");
    // The bar is redrawn only when its fill moves: at most once per pixel of its width.
    EXPECT_LE(form().get<platform::HeadlessProgressBar>("ProgressBar1").updates(), 800 + 2);
}

}  // namespace
}  // namespace qm
