// The whole program with its real windows, played with the mouse and the keyboard: the About
// box, the Edit menu's clipboard commands and their keys, Enter and Escape in each window, a
// rename from picking the folder through a preview that warns to an error box, and the main
// window taking the keyboard when it comes up.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <array>
#include <filesystem>

#include "tests/gui/QtProgramFixture.h"

namespace qm::test {
namespace {

class ProgramTest : public QtProgramFixture {
  protected:
    // Checks the message box on screen, which belongs to the main window, and presses `button`.
    ModalSteps::Step answerBox(const std::string& title, const std::string& text,
                               QMessageBox::StandardButton button) {
        return [=, this](QWidget* window) {
            auto* box = qobject_cast<QMessageBox*>(window);
            ASSERT_NE(box, nullptr) << window->objectName().toStdString();
            EXPECT_EQ(box->windowTitle().toStdString(), title);
            EXPECT_EQ(box->text().toStdString(), text);
            EXPECT_EQ(box->parentWidget(), mainWindow()) << "opens over the window, in front of it";
            ASSERT_NE(box->button(button), nullptr);
            QTest::mouseClick(box->button(button), Qt::LeftButton);
        };
    }
};

TEST_F(ProgramTest, AboutBoxNamesTheProgramAndTheScreen) {
    std::string text;
    start([&](QWidget* about) {
        text = about->findChild<QLabel*>(QStringLiteral("lblAboutInfo"))->text().toStdString();
    });
    EXPECT_TRUE(text.starts_with(h.facts.programFile + "\nVersion ")) << text;
    // The offscreen screen's own pixels, also when the desktop is scaled (QT_SCALE_FACTOR).
    EXPECT_NE(text.find("\nScreen Resolution: 800 X 800\n"), std::string::npos) << text;
}

TEST_F(ProgramTest, MainWindowTakesTheKeyboardWhenItComesUp) {
    start();
    EXPECT_TRUE(QTest::qWaitForWindowActive(mainWindow(), 1000));

    // Shown again while another window has the keyboard, it takes the keyboard back.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other, 1000));
    app->showMainWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(mainWindow(), 1000));
}

TEST_F(ProgramTest, EditMenuFollowsTheFocusAndTheSelection) {
    h.root.write("work/b.txt");
    QGuiApplication::clipboard()->clear();
    start();
    openFolder(h.work);
    auto* cut = widget<QAction>("mnuEditCut");
    auto* copy = widget<QAction>("mnuEditCopy");
    auto* paste = widget<QAction>("mnuEditPaste");
    using Enabled = std::array<bool, 3>;  // Cut, Copy, Paste
    auto* bar = mainWindow()->findChild<QMenuBar*>();
    auto* menu = widget<QMenu>("mnuEdit");
    const auto clickTitle = [&] {
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                          bar->actionGeometry(menu->menuAction()).center());
    };
    // Opens the Edit menu with the mouse, reads its items and closes it again by its title (not
    // with Escape: that leaves the menu bar with the focus).
    const auto open = [&] {
        clickTitle();
        const Enabled state{cut->isEnabled(), copy->isEnabled(), paste->isEnabled()};
        clickTitle();
        return state;
    };
    // The items act on the text box with the focus (here by their keys).
    QLineEdit* replace = widget<QLineEdit>("txtReplaceThis");
    type("txtReplaceThis", "holiday");
    replace->setSelection(0, 4);
    EXPECT_EQ(open(), (Enabled{true, true, false})) << "a selection and an empty clipboard";
    QTest::keyClick(replace, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("holi"));
    replace->end(false);
    EXPECT_EQ(open(), (Enabled{false, false, true})) << "no selection, text to paste";
    QTest::keyClick(replace, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(replace->text(), QStringLiteral("holidayholi"));
    replace->setSelection(7, 4);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(replace, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(replace->text(), QStringLiteral("holiday"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("holi"));
    clickFile("b.txt");
    EXPECT_EQ(open(), (Enabled{false, false, false})) << "the file list has the focus";
}

// Counts the paints of the main window's client area from the moment the progress bar last
// appeared until the run renamed `file`.
class PaintsBeforeTheRun : public QObject {
  public:
    explicit PaintsBeforeTheRun(std::string file) : m_file(std::move(file)) {}
    int paints = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->objectName() == "ProgressBar1") {
            paints = 0;
        } else if (event->type() == QEvent::Paint && watched->objectName() == "clientArea" &&
                   std::filesystem::exists(m_file)) {
            ++paints;
        }
        return false;
    }

  private:
    std::string m_file;
};

TEST_F(ProgramTest, PreviewWarnsOfATargetThatExistsAndTheFilesLeftStaySelected) {
    for (const char* name : {"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG"}) {
        h.root.write(std::string("work/") + name, name);
    }
    h.root.write("work/Holiday 0002.JPG", "obstacle");
    h.root.write("work/notes.txt");
    start();
    openFolder(h.work);
    // The pattern picked from the drop-down list with the mouse applies.
    auto* filter = widget<QComboBox>("cmbFileFilter");
    filter->showPopup();
    const QModelIndex jpg = filter->model()->index(filter->findText(QStringLiteral("*.jpg")), 0);
    filter->view()->scrollTo(jpg);
    QTest::mouseClick(filter->view()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      filter->view()->visualRect(jpg).center());
    EXPECT_EQ(entriesOf(*app->mainWindow()->controls().File1).size(), 4u);
    clickFile("IMG_0001.JPG");
    clickFile("IMG_0003.JPG", Qt::ShiftModifier);
    type("txtReplaceThis", "IMG_");
    type("txtWithThis", "Holiday ");
    modals.then([&](QWidget* preview) {
        auto* before = preview->findChild<QListView*>(QStringLiteral("lstBefore"));
        auto* after = preview->findChild<QListView*>(QStringLiteral("lstAfter"));
        ASSERT_EQ(after->model()->rowCount(), 3);
        // The list with the focus shows where the keys would move; neither shows a choice the
        // user did not make, and a name clicked in one list is chosen in both.
        EXPECT_EQ(QApplication::focusWidget(), before);
        EXPECT_FALSE(before->selectionModel()->hasSelection() ||
                     after->selectionModel()->hasSelection());
        QTest::mouseClick(after->viewport(), Qt::LeftButton, Qt::NoModifier,
                          after->visualRect(after->model()->index(2, 0)).center());
        EXPECT_TRUE(before->selectionModel()->isRowSelected(2));
        EXPECT_EQ(after->model()->index(1, 0).data(Qt::ToolTipRole).toString(),
                  QStringLiteral("\"Holiday 0002.JPG\" already exists in this folder."));
        EXPECT_EQ(preview->findChild<QLabel*>(QStringLiteral("lblWarning"))->text(),
                  QStringLiteral("1 name already exists: the run would stop there."));
        QTest::mouseClick(preview->findChild<QPushButton*>(QStringLiteral("cmdContinue")),
                          Qt::LeftButton);
    });
    modals.then(answerBox("Quillmote Utility", "Rename Selected Files?  Changes can not be undone.",
                          QMessageBox::Yes));
    modals.then(answerBox("Quillmote Utility: Error 58", "File already exists", QMessageBox::Ok));
    PaintsBeforeTheRun watch(h.work + "/IMG_0001.JPG");
    qApp->installEventFilter(&watch);
    QTest::keyClick(widget<QLineEdit>("txtWithThis"), Qt::Key_Return);
    qApp->removeEventFilter(&watch);

    // Once the question was answered the window was painted again, before the run began.
    EXPECT_GT(watch.paints, 0);

    EXPECT_EQ(h.root.names("work"),
              (std::vector<std::string>{"Holiday 0001.JPG", "Holiday 0002.JPG", "IMG_0002.JPG",
                                        "IMG_0003.JPG", "notes.txt"}));
    EXPECT_EQ(selectedInView(), (std::vector<std::string>{"IMG_0002.JPG", "IMG_0003.JPG"}));
    EXPECT_FALSE(widget<QProgressBar>("ProgressBar1")->isVisible());
    EXPECT_TRUE(widget<QWidget>("StatusBar1")->isVisible());
}

TEST_F(ProgramTest, ClipboardKeysDoWhatTheEditMenuWouldDoNow) {
    start();
    // The filter box is not one of the Edit menu's text boxes: there the keys are its own.
    QGuiApplication::clipboard()->setText(QStringLiteral("*.txt"));
    auto* filter = widget<QComboBox>("cmbFileFilter");
    QTest::mouseClick(filter->lineEdit(), Qt::LeftButton);
    filter->lineEdit()->selectAll();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(filter->currentText(), QStringLiteral("*.txt"));
    filter->lineEdit()->setSelection(2, 3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("txt"));
    // (In a text box the Edit menu's items take the keys: the Edit menu's test.)
    type("txtReplaceThis", "IMG_");
    // Ctrl+A is the menu's Select All (of the files), never the text box's own.
    QTest::keyClick(widget<QLineEdit>("txtReplaceThis"), Qt::Key_A, Qt::ControlModifier);
    EXPECT_FALSE(widget<QLineEdit>("txtReplaceThis")->hasSelectedText());
}

}  // namespace
}  // namespace qm::test
