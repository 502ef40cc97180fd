#include <gtest/gtest.h>

#include <filesystem>

#include "services/MessageBox.h"
#include "tests/support/ProgramFixture.h"

namespace qm {
namespace {

using platform::HeadlessForm;
using platform::HeadlessListBox;

class RenameRunTest : public test::ProgramFixture {
  protected:
    void SetUp() override { startIn({"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG"}); }
};

struct ValidationCase {
    const char* label;
    std::string search;
    std::string replacement;
    std::string message;
    std::string focus;  // the control that must have the focus afterwards
    std::vector<std::string> selected = {"IMG_0001.JPG"};
};

void PrintTo(const ValidationCase& c, std::ostream* os) {
    *os << c.label;
}

class ValidationTest : public RenameRunTest,
                       public ::testing::WithParamInterface<ValidationCase> {};

TEST_P(ValidationTest, StopsAtTheFirstFailureWithItsMessageAndFocus) {
    const ValidationCase& c = GetParam();
    controls().txtReplaceThis->setFocus();
    prepare(c.selected, c.search, c.replacement);
    form().get<platform::HeadlessButton>("cmdExit").setFocus();
    rename();
    ASSERT_EQ(h.messages.shown().size(), 1u);
    EXPECT_EQ(h.messages.shown()[0].text, c.message);
    EXPECT_EQ(h.messages.shown()[0].style, 16);
    EXPECT_EQ(controls().window->activeControl()->name(), c.focus);
    EXPECT_EQ(logged(), "");  // the program's own input errors are never logged
    EXPECT_EQ(h.root.names("work").size(), 3u);
}

const char* kIllegal =
    "One or more characters entered are not legal for file names.\r\nThese characters can not be "
    "used in file names:\r\n\r\n\\/*?\"<>|";
const char* kNoText = "Please select text to replace.";
const char* kConfirmation = "Rename Selected Files?  Changes can not be undone.";

INSTANTIATE_TEST_SUITE_P(
    InOrder, ValidationTest,
    ::testing::Values(
        ValidationCase{"NoFileAndNoText", "", "", "No files are selected.", "File1", {}},
        ValidationCase{"NoSearchText", "", "x", kNoText, "txtReplaceThis"},
        ValidationCase{"IllegalBeforeCount", "a:b", "?", kIllegal, "txtWithThis"},
        ValidationCase{
            "CountsDiffer", "a:b", "x",
            "There must be the same number of text strings to replace as there are replacements.",
            "cmdExit"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(RenameRunTest, EachOfTheEightIllegalCharactersIsRefusedInAReplacement) {
    prepare({"IMG_0001.JPG"}, "IMG", "");
    for (const char c : std::string("\\/*?\"<>|")) {
        h.messages.clear();
        controls().txtWithThis->setText(std::string("a") + c + "b");
        rename();
        ASSERT_EQ(h.messages.shown().size(), 1u) << c;
        EXPECT_EQ(h.messages.shown()[0].text, kIllegal) << c;
    }
    EXPECT_EQ(h.root.names("work").size(), 3u);
    // In the search text they are accepted: only the confirmation follows.
    h.messages.clear();
    prepare({}, "*?", "x");
    rename();
    ASSERT_EQ(h.messages.shown().size(), 1u);
    EXPECT_EQ(h.messages.shown()[0].text, kConfirmation);
}

TEST_F(RenameRunTest, NoAtTheConfirmationChangesNothing) {
    prepare({"IMG_0001.JPG", "IMG_0002.JPG"}, "IMG_", "Holiday ");
    h.messages.queueAnswer(platform::MessageResult::No);
    rename();
    ASSERT_EQ(h.messages.shown().size(), 1u);
    EXPECT_EQ(h.messages.shown()[0].style, 36);  // its text and title: the Qt program's tests
    EXPECT_EQ(h.root.names("work"),
              (std::vector<std::string>{"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG"}));
    EXPECT_EQ(logged(), "");
    EXPECT_EQ(form().get<platform::HeadlessProgressBar>("ProgressBar1").updates(), 0);
}

TEST_F(RenameRunTest, TwoFilesGiveTwoEntriesAndOneEmptyLine) {
    prepare({"IMG_0001.JPG", "IMG_0002.JPG"}, "IMG_", "Holiday ");
    form().optionGroup("optFileExtensionCase")[1]->click();
    h.messages.queueAnswer(platform::MessageResult::Yes);
    rename();
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
}

TEST_F(RenameRunTest, ExistingTargetStopsTheRunWithTheBarAlongTheBottomUntilThen) {
    h.root.write("work/Holiday 0002.JPG", "obstacle");
    prepare({"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG"}, "IMG_", "Holiday ");
    h.messages.queueAnswer(platform::MessageResult::Yes);
    // While the run is under way the progress bar stands in the status bar's place, along the
    // bottom of the window as it is (not as designed).
    form().window().resize(640, 480);
    h.messages.whileShown = [&](const platform::ShownMessage& box) {
        if (box.title.ends_with("Error 58")) {
            EXPECT_FALSE(controls().StatusBar1->visible());
            EXPECT_TRUE(controls().ProgressBar1->visible());
            EXPECT_EQ(controls().ProgressBar1->geometry(), (platform::Rect{0, 480 - 23, 640, 23}));
            EXPECT_EQ(controls().ProgressBar1->value(), 1);
        }
    };
    rename();
    // The files, the log and the selection after a stop are the hostile names', the golden
    // session's and the fault table's.
    ASSERT_EQ(h.messages.shown().size(), 2u);
    EXPECT_EQ(h.messages.shown()[1].title, "Quillmote Utility: Error 58");
    EXPECT_FALSE(controls().ProgressBar1->visible());
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
                      "Folder: " + h.root / "work/");
            EXPECT_EQ(preview.get<platform::HeadlessLabel>("lblPath").toolTip(),
                      "Folder: " + h.root / "work/");
            // A name chosen in either list is chosen in the other.
            auto& left = preview.get<HeadlessListBox>("lstBefore");
            auto& right = preview.get<HeadlessListBox>("lstAfter");
            right.click(right.listCount() - 1);
            EXPECT_EQ(left.listIndex(), right.listCount() - 1);
            left.click(0);
            EXPECT_EQ(right.listIndex(), 0);
            preview.button(button).click();
        });
        form().menu("mnuViewPreview").choose();
    }
};

TEST_F(PreviewTest, ContinueThenYesRenamesExactlyAsListed) {
    prepare({"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG"}, "img_:0", "Holiday :o");
    form().optionGroup("optFilenameCase")[3]->click();
    h.messages.queueAnswer(platform::MessageResult::Yes);
    previewAnd("cmdContinue");
    EXPECT_EQ(h.messages.shown().size(), 1u);  // the same confirmation as without a preview
    EXPECT_EQ(h.root.names("work"), after);
    EXPECT_EQ(after, (std::vector<std::string>{"Holiday Ooo1.JPG", "Holiday Ooo2.JPG",
                                               "Holiday Ooo3.JPG"}));
    EXPECT_FALSE(app->module().PreviewMode);
}

TEST_F(PreviewTest, FailedFillShowsNoWindowCancelRenamesNothingAndTheNextStartsEmpty) {
    form().button("cmdPreview").click();
    EXPECT_EQ(h.messages.shown()[0].text, "No files are selected.");
    EXPECT_EQ(h.ui.created("frmPreview"), 1);
    EXPECT_EQ(h.ui.previewForm(), nullptr);
    EXPECT_FALSE(app->module().PreviewMode);
    prepare({"IMG_0002.JPG"}, "2", "two");
    previewAnd("cmdCancel");
    EXPECT_EQ(before, (std::vector<std::string>{"IMG_0002.JPG"}));
    EXPECT_EQ(after, (std::vector<std::string>{"IMG_000two.JPG"}));
    EXPECT_EQ(h.messages.shown().size(), 1u);  // no confirmation for a preview
    EXPECT_EQ(h.root.names("work").size(), 3u);
    EXPECT_EQ(logged(), "");
    EXPECT_EQ(h.ui.previewForm(), nullptr);
    EXPECT_FALSE(app->module().PreviewMode);
    prepare({"IMG_0002.JPG", "IMG_0003.JPG"}, "2", "two");  // Ctrl+click: 0002 off, 0003 on
    previewAnd("cmdCancel");
    EXPECT_EQ(before, (std::vector<std::string>{"IMG_0003.JPG"}));
}

TEST_F(RenameRunTest, RunOverMoreThan32767Files) {
    if (test::runningUnderWine()) {
        GTEST_SKIP() << "Wine looks every new name up in the whole folder: 33,000 renames in one "
                        "folder take many minutes there";
    }
    const std::string big = h.root.makeFolder("big");
    for (int i = 0; i < 33000; ++i) {
        h.root.write("big/f" + std::to_string(100000 + i) + ".dat");
    }
    openFolder(big);
    form().button("cmdSelectAll").click();
    EXPECT_EQ(panel(2), "33000 files selected");
    controls().txtReplaceThis->setText("f");
    controls().txtWithThis->setText("g");
    h.messages.queueAnswer(platform::MessageResult::Yes);
    h.clock.step = std::chrono::microseconds(100);
    rename();
    EXPECT_EQ(h.messages.shown().size(), 1u);
    const auto names = h.root.names("big");
    ASSERT_EQ(names.size(), 33000u);
    EXPECT_EQ(names.front(), "g100000.dat");
    EXPECT_EQ(names.back(), "g132999.dat");
    // The bar moves, but is redrawn at most every 100 ms (the clock moves 0.1 ms at every
    // reading, one or two readings a file: some 5 s in all) and only when its fill grows (800
    // pixels).
    const int updates = form().get<platform::HeadlessProgressBar>("ProgressBar1").updates();
    EXPECT_GT(updates, 20);
    EXPECT_LT(updates, 80);
}

TEST_F(RenameRunTest, ASlowDisplayIsRedrawnLessOftenAndTheBarStillEndsFull) {
    const std::string folder = h.root.makeFolder("slow");
    for (int i = 0; i < 500; ++i) {
        h.root.write("slow/f" + std::to_string(1000 + i) + ".dat");
    }
    openFolder(folder);
    form().button("cmdSelectAll").click();
    controls().txtReplaceThis->setText("f");
    controls().txtWithThis->setText("g");
    h.messages.queueAnswer(platform::MessageResult::Yes);
    // The clock moves 5 ms at every reading, about two readings a file, so each redraw seems to
    // take 5 ms: the bar then waits 500 ms (some 50 files) between redraws, not 100 ms.
    h.clock.step = std::chrono::milliseconds(5);
    rename();
    const auto& bar = form().get<platform::HeadlessProgressBar>("ProgressBar1");
    EXPECT_EQ(bar.value(), 500);
    EXPECT_GE(bar.updates(), 7);
    EXPECT_LE(bar.updates(), 15);  // every 100 ms: some 50
}

}  // namespace
}  // namespace qm
