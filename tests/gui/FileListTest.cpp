// The file list widget: clicks and keys with the list-box meaning of extended selection, the
// view mirroring the model, selections by the program on very long lists, names that are not
// valid UTF-8 and a folder that is gone.
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
    for (int i = 0; i < count; ++i) {
        entries.push_back(
            {"f" + std::to_string(1000000 + i).substr(1) + ".txt", false});  // f000042.txt
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
    // The rows the view shows selected.
    std::vector<int> rowsSelectedInView() const {
        std::vector<int> rows;
        for (const QModelIndex& index : list->view()->selectionModel()->selectedIndexes()) {
            rows.push_back(index.row());
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    void click(int row, Qt::KeyboardModifiers mods) {
        QListView* v = list->view();
        const QRect rect = v->visualRect(v->model()->index(row, 0));
        QTest::mouseClick(v->viewport(), Qt::LeftButton, mods, rect.center());
    }
};

TEST_F(FileListWidget, ClicksAndKeysFollowTheListBoxRulesAndTheViewShowsTheModel) {
    open(10);
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    struct Step {
        const char* what;
        int row;  // clicked with the mouse, or -1 for a key
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        std::vector<int> selected;
    };
    // clang-format off
    const std::vector<Step> steps = {
        {"plain click selects one", 2, {}, none, {2}},
        {"ctrl adds", 5, {}, ctrl, {2, 5}},
        {"shift selects from the anchor and clears the rest", 7, {}, shift, {5, 6, 7}},
        {"shift backwards from the same anchor", 3, {}, shift, {3, 4, 5}},
        {"ctrl+shift adds a range", 8, {}, ctrl | shift, {3, 4, 5, 6, 7, 8}},
        {"ctrl toggles off and moves the anchor", 4, {}, ctrl, {3, 5, 6, 7, 8}},
        {"shift from the new anchor", 1, {}, shift, {1, 2, 3, 4}},
        {"plain click clears everything else", 9, {}, none, {9}},
        {"home selects the first alone", -1, Qt::Key_Home, none, {0}},
        {"down selects the next one alone", -1, Qt::Key_Down, none, {1}},
        {"shift+down extends from the anchor", -1, Qt::Key_Down, shift, {1, 2}},
        {"ctrl+down moves the caret only", -1, Qt::Key_Down, ctrl, {1, 2}},
        {"ctrl+space toggles the caret's entry", -1, Qt::Key_Space, ctrl, {1, 2, 3}},
    };
    // clang-format on
    for (const Step& step : steps) {
        if (step.row >= 0) {
            click(step.row, step.mods);
        } else {
            QTest::keyClick(list->view(), step.key, step.mods);
        }
        EXPECT_EQ(rowsSelectedInView(), step.selected) << step.what;
    }
    EXPECT_EQ(clicks, 12) << "every step but the caret's move is a click";
    EXPECT_EQ(formOf(*view).window().activeControl(), static_cast<Control*>(list));

    // The first press of a double click is a click; the second only reports the double click.
    click(3, Qt::NoModifier);
    QListView* v = list->view();
    QTest::mouseDClick(v->viewport(), Qt::LeftButton, Qt::NoModifier,
                       v->visualRect(v->model()->index(3, 0)).center());
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(rowsSelectedInView(), std::vector<int>{3});
}

// Selecting many entries must not cost one selection range per row (the benchmarks time it).
TEST_F(FileListWidget, ProgramSelectionsOfManyEntriesAreOneRange) {
    open(100000);
    ASSERT_EQ(list->listCount(), 100000);
    QItemSelectionModel* selection = list->view()->selectionModel();

    list->setAllSelected(true);
    list->view()->viewport()->repaint();
    EXPECT_EQ(selection->selection().size(), 1) << "one range, not one per row";
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

TEST_F(FileListWidget, NamesThatAreNotUtf8KeepTheirBytesAndAMissingFolderKeepsWhatWasShown) {
    const std::string latin1 = "caf\xE9.txt";
    files.addFolder("/odd", {{latin1, false}, {"plain.txt", false}, {"sub", true}});
    open(0);
    list->setPath("/odd");
    ASSERT_EQ(list->listCount(), 2);
    EXPECT_EQ(list->list(0), latin1);
    EXPECT_EQ(list->view()->model()->index(0, 0).data().toString(),
              QString::fromUtf8("caf\xEF\xBF\xBD.txt"));
    EXPECT_THROW(list->list(2), RunError);

    list->setSelected(1, true);
    EXPECT_EQ(test::errorNumberOf([&] { list->setPath("/nowhere"); }), kPathNotFound);
    EXPECT_EQ(list->path(), "/odd");
    EXPECT_EQ(list->listCount(), 2);
    EXPECT_EQ(rowsSelectedInView(), std::vector<int>{1});
}

}  // namespace
}  // namespace qm::platform
