// The file list widget: clicks with the list-box meaning of extended selection, the view
// mirroring the model, selections by the program on very long lists, and names that are not
// valid UTF-8.
#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <QTest>

#include "tests/gui/GuiSupport.h"
#include "tests/support/ErrorNumber.h"

namespace qm::platform {
namespace {

using test::formOf;

std::vector<FolderEntry> numberedFiles(int count) {
    std::vector<FolderEntry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "f%06d.txt", i);
        entries.push_back({name, false});
    }
    return entries;
}

class FileListWidget : public ::testing::Test {
  protected:
    test::MemoryFileSystem files;
    std::unique_ptr<test::GuiWorld> world;
    std::unique_ptr<MainView> view;
    QtFileList* list = nullptr;
    int clicks = 0;
    int doubleClicks = 0;

    void open(int count) {
        files.addFolder("/data", numberedFiles(count));
        world = std::make_unique<test::GuiWorld>(files);
        view = world->ui.createMainWindow();
        list = &formOf(*view).get<QtFileList>("File1");
        list->onClick = [this] { ++clicks; };
        list->onDblClick = [this] { ++doubleClicks; };
        list->setPath("/data/");
        formOf(*view).window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(formOf(*view).window().widget()));
    }
    std::vector<int> selectedRows() const {
        std::vector<int> rows;
        for (int i = 0; i < list->listCount(); ++i) {
            if (list->selected(i)) {
                rows.push_back(i);
            }
        }
        return rows;
    }
    std::vector<int> rowsSelectedInView() const {
        std::vector<int> rows;
        const QItemSelectionModel* selection = list->view()->selectionModel();
        for (int i = 0; i < list->listCount(); ++i) {
            if (selection->isSelected(list->view()->model()->index(i, 0))) {
                rows.push_back(i);
            }
        }
        return rows;
    }
    void click(int row, Qt::KeyboardModifiers mods) {
        QListView* v = list->view();
        const QRect rect = v->visualRect(v->model()->index(row, 0));
        QTest::mouseClick(v->viewport(), Qt::LeftButton, mods, rect.center());
    }
};

TEST_F(FileListWidget, ClicksFollowTheListBoxRulesAndTheViewShowsTheModel) {
    open(10);
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    struct Step {
        const char* what;
        int row;
        Qt::KeyboardModifiers mods;
        std::vector<int> selected;
    };
    const std::vector<Step> steps = {
        {"plain click selects one", 2, Qt::NoModifier, {2}},
        {"ctrl adds", 5, ctrl, {2, 5}},
        {"shift selects from the anchor and clears the rest", 7, shift, {5, 6, 7}},
        {"shift backwards from the same anchor", 3, shift, {3, 4, 5}},
        {"ctrl+shift adds a range", 8, ctrl | shift, {3, 4, 5, 6, 7, 8}},
        {"ctrl toggles off and moves the anchor", 4, ctrl, {3, 5, 6, 7, 8}},
        {"shift from the new anchor", 1, shift, {1, 2, 3, 4}},
        {"plain click clears everything else", 9, Qt::NoModifier, {9}},
    };
    int expectedClicks = 0;
    for (const Step& step : steps) {
        click(step.row, step.mods);
        EXPECT_EQ(selectedRows(), step.selected) << step.what;
        EXPECT_EQ(rowsSelectedInView(), step.selected) << step.what;
        EXPECT_EQ(clicks, ++expectedClicks) << step.what;
    }
    EXPECT_EQ(formOf(*view).window().activeControl(), static_cast<Control*>(list));
}

TEST_F(FileListWidget, KeyboardMovesLikeClicks) {
    open(10);
    click(4, Qt::NoModifier);
    struct Step {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        std::vector<int> selected;
    };
    const std::vector<Step> steps = {
        {"down selects the next one alone", Qt::Key_Down, Qt::NoModifier, {5}},
        {"shift+down extends from the anchor", Qt::Key_Down, Qt::ShiftModifier, {5, 6}},
        {"ctrl+down moves the caret only", Qt::Key_Down, Qt::ControlModifier, {5, 6}},
        {"ctrl+space toggles the caret's entry", Qt::Key_Space, Qt::ControlModifier, {5, 6, 7}},
        {"home selects the first alone", Qt::Key_Home, Qt::NoModifier, {0}},
    };
    for (const Step& step : steps) {
        QTest::keyClick(list->view(), step.key, step.mods);
        EXPECT_EQ(selectedRows(), step.selected) << step.what;
        EXPECT_EQ(rowsSelectedInView(), step.selected) << step.what;
    }
}

TEST_F(FileListWidget, DoubleClickReportsTheDoubleClick) {
    open(5);
    QListView* v = list->view();
    const QPoint at = v->visualRect(v->model()->index(3, 0)).center();
    click(3, Qt::NoModifier);
    QTest::mouseDClick(v->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(selectedRows(), std::vector<int>{3});
}

// Selecting many entries must not cost one selection range per row (the benchmarks time it).
TEST_F(FileListWidget, ProgramSelectionsOfManyEntriesAreOneRange) {
    open(100000);
    ASSERT_EQ(list->listCount(), 100000);
    QItemSelectionModel* selection = list->view()->selectionModel();

    list->setAllSelected(true);
    list->view()->viewport()->repaint();
    EXPECT_EQ(selection->selection().size(), 1) << "one range, not one per row";
    EXPECT_TRUE(list->selected(99999));
    EXPECT_TRUE(selection->isSelected(list->view()->model()->index(99999, 0)));

    // Entry by entry, as a loop in the window logic would: shown together, still one range.
    list->setAllSelected(false);
    for (int i = 10000; i < 60000; ++i) {
        list->setSelected(i, true);
    }
    list->view()->viewport()->repaint();
    EXPECT_EQ(selection->selection().size(), 1);
    EXPECT_TRUE(selection->isSelected(list->view()->model()->index(59999, 0)));
    EXPECT_FALSE(selection->isSelected(list->view()->model()->index(60000, 0)));
    EXPECT_EQ(clicks, 0) << "program changes are not clicks";
}

TEST_F(FileListWidget, NamesThatAreNotUtf8KeepTheirBytes) {
    const std::string latin1 = "caf\xE9.txt";
    files.addFolder("/odd", {{latin1, false}, {"plain.txt", false}, {"sub", true}});
    open(0);
    list->setPath("/odd");
    ASSERT_EQ(list->listCount(), 2);
    EXPECT_EQ(list->list(0), latin1);
    EXPECT_EQ(list->view()->model()->index(0, 0).data().toString(),
              QString::fromUtf8("caf\xEF\xBF\xBD.txt"));
    EXPECT_THROW(list->list(2), RunError);
}

TEST_F(FileListWidget, MissingFolderKeepsWhatWasShown) {
    open(3);
    list->setSelected(1, true);
    EXPECT_EQ(test::errorNumberOf([&] { list->setPath("/nowhere"); }), kPathNotFound);
    EXPECT_EQ(list->path(), "/data");
    EXPECT_EQ(list->listCount(), 3);
    EXPECT_EQ(rowsSelectedInView(), std::vector<int>{1});
}

}  // namespace
}  // namespace qm::platform
