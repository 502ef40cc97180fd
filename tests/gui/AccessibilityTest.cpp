// The program for someone without a mouse or with a screen reader: the status bar's role and a
// text box's label, and a session played with keys only (no mouse event):
// past a drive that cannot be read, through the tree, Ctrl+Space as X11 sends it, the preview's
// Escape, a rename, Exit.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "frame/cRegistry.h"
#include "platform/qt/QtFolderList.h"
#include "tests/gui/GuiSupport.h"
#include "tests/gui/QtProgramFixture.h"

namespace qm::test {
namespace {

// Every focusable control's name and each window's role are checked over the accessibility bus
// (scripts/test-accessibility); here what that walk does not look at.
TEST(Accessibility, TheStatusBarSaysWhatItIsAndTheReplaceBoxIsNamedByItsLabel) {
    GuiWorld world;
    auto main = world.ui.createMainWindow();
    QWidget* bar = formOf(*main).get<platform::QtStatusBar>("StatusBar1").widget();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(bar)->role(), QAccessible::StatusBar);
    QWidget* replace = formOf(*main).get<platform::QtTextBox>("txtReplaceThis").widget();
    const auto labels =
        QAccessible::queryAccessibleInterface(replace)->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0].first->text(QAccessible::Name), QStringLiteral("Replace This:"));
}

class KeyboardOnly : public QtProgramFixture {
  protected:
    static QWidget* focus() { return QApplication::focusWidget(); }
    // A key as the keyboard sends it, to the widget with the focus, and what it posted handled;
    // `text` as X11 sends it.
    static void press(Qt::Key key, Qt::KeyboardModifiers mods = {}, const QString& text = {}) {
        if (text.isNull()) {
            QTest::keyClick(focus(), key, mods);
        } else {
            QTest::sendKeyEvent(QTest::Press, focus(), key, text, mods);
            QTest::sendKeyEvent(QTest::Release, focus(), key, text, mods);
        }
        QTest::qWait(0);
    }
    // The keyboard back in the main window, as the window manager gives it when a dialog closes.
    void activateMain() {
        mainWindow()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow()));
    }
    // Tab until the control `name` (or a widget inside it) has the focus.
    static void tabTo(const char* name) {
        for (int i = 0; i < 40; ++i) {
            for (QWidget* w = focus(); w != nullptr; w = w->parentWidget()) {
                if (w->objectName() == QLatin1String(name)) {
                    return;
                }
            }
            press(Qt::Key_Tab);
        }
        FAIL() << "Tab never reached " << name;
    }
};

TEST_F(KeyboardOnly, DrivePastAnEmptyOneFolderFilesOneThreeFiveTextsPreviewRenameExit) {
    // The drives after the machine's own: the one the program starts on, an empty one, and the
    // one holding the files.
    h.drives.extra = {{h.root / "a/", "", h.root / "a"},
                      {h.root / "nodisk/", "EMPTY", h.root / "nodisk [EMPTY]"},
                      {h.work + "/", "", h.work}};
    h.root.makeFolder("a");
    h.root.makeFolder("work/photos/sub1/deeper");
    h.root.makeFolder("work/photos/sub2");
    for (int i = 1; i <= 6; ++i) {
        h.root.write("work/photos/sub2/IMG_" + std::to_string(i) + ".JPG");
    }
    cRegistry(h.registry, "Quillmote Utility").SaveSetting("StartUp", "Last Path", h.root / "a/");
    modals.then([](QWidget*) { press(Qt::Key_Escape); });  // the About box
    app = std::make_unique<Application>(services);
    app->Main();
    QTest::qWait(0);
    auto& c = app->mainWindow()->controls();

    tabTo("Drive1");
    press(Qt::Key_Down);  // the empty drive, only shown; left with Tab, its error once
    modals.then([](QWidget*) { press(Qt::Key_Escape); });  // Cancel, no retry
    press(Qt::Key_Tab);
    activateMain();
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(c.Drive1->drive(), h.root / "a") << "back on the drive before";
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(c.Drive1->drive(), h.root / "a") << "the arrows choose nothing";
    press(Qt::Key_Tab);  // any error box would fail the test: none is expected
    EXPECT_EQ(c.Drive1->drive(), h.work);
    EXPECT_EQ(c.Dir1->path(), h.work);

    // The tree: one folder at a time through what is shown; Right opens one.
    auto& tree = dynamic_cast<platform::QtFolderList&>(*c.Dir1);
    ASSERT_EQ(focus(), tree.tree());
    EXPECT_EQ(dynamic_cast<platform::QtWindow&>(*c.window).focusMarked(), tree.tree());
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down}) {
        press(key);
    }
    EXPECT_EQ(c.Dir1->path(), h.work + "/photos/sub2");
    EXPECT_FALSE(tree.itemOf(h.work + "/photos/sub1")->isExpanded());

    press(Qt::Key_Tab);
    press(Qt::Key_Home);  // selects the first file alone
    for (int i = 0; i < 2; ++i) {
        press(Qt::Key_Down, Qt::ControlModifier);  // the caret only
        press(Qt::Key_Down, Qt::ControlModifier);
        press(Qt::Key_Space, Qt::ControlModifier, QString(QChar(0)));
    }
    EXPECT_EQ(selectedInView(), (std::vector<std::string>{"IMG_1.JPG", "IMG_3.JPG", "IMG_5.JPG"}));

    tabTo("txtReplaceThis");
    QTest::keyClicks(focus(), "IMG_");
    press(Qt::Key_Tab);
    QTest::keyClicks(focus(), "Pic ");
    press(Qt::Key_Escape);              // nothing in the main window
    modals.then([](QWidget* preview) {  // Escape is the preview's Cancel
        ASSERT_TRUE(QTest::qWaitForWindowActive(preview));
        press(Qt::Key_Escape);
    });
    press(Qt::Key_Return);
    EXPECT_EQ(h.root.names("work/photos/sub2").back(), "IMG_6.JPG") << "nothing renamed";
    activateMain();
    modals.then([](QWidget* preview) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(preview));
        tabTo("cmdContinue");
        press(Qt::Key_Return);
    });
    modals.then([](QWidget* question) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(question));
        press(Qt::Key_Return);  // Yes, rename
    });
    press(Qt::Key_Return);
    activateMain();
    press(Qt::Key_X, Qt::AltModifier);  // Exit: Qt clicks a button 100 ms after its access key

    EXPECT_EQ(h.root.names("work/photos/sub2"),
              (std::vector<std::string>{"IMG_2.JPG", "IMG_4.JPG", "IMG_6.JPG", "Pic 1.JPG",
                                        "Pic 3.JPG", "Pic 5.JPG"}));
    EXPECT_TRUE(QTest::qWaitFor([this] { return ui.quitRequested(); }));
    // Qt keeps the quit for the next event loop: main()'s, run here so that no later test's is hit.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

}  // namespace
}  // namespace qm::test
