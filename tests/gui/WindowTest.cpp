// Windows and the program-wide services: keys seen by the window first, the combo box's events,
// closing with and without the system menu's Close, the drawing surface, the clipboard, the
// busy pointer, the locale's dates and the folder list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include "frame/bForms.h"
#include "platform/qt/QtLocaleFormat.h"
#include "tests/gui/GuiSupport.h"
#include "tests/support/RecordingReporter.h"
#include "tests/support/TempFolder.h"

namespace qm::platform {
namespace {

using test::formOf;

class MainWindow : public ::testing::Test {
  protected:
    test::GuiWorld world;
    std::unique_ptr<MainView> view = world.ui.createMainWindow();
    MainControls& c = view->controls();
    QtForm& form = formOf(*view);

    void SetUp() override {
        c.window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.window().widget()));
    }
};

TEST_F(MainWindow, TheWindowSeesEveryCharacterBeforeTheControlAndMayChangeIt) {
    std::vector<std::string> events;
    QLineEdit* replace = dynamic_cast<QtTextBox&>(*c.txtReplaceThis).lineEdit();
    c.window->onKeyPress = [&](int& key) {
        events.push_back("key " + std::to_string(key) + " text=" + c.txtReplaceThis->text());
        if (key == 'a') {
            key = 0;  // swallowed
        } else if (key == 'b') {
            key = 'B';
        }
    };
    QObject::connect(replace, &QLineEdit::returnPressed,
                     [&] { events.push_back("returnPressed"); });
    c.txtReplaceThis->setFocus();
    QTest::keyClicks(replace, "xab");
    QTest::keyClick(replace, Qt::Key_Return);
    EXPECT_EQ(events, (std::vector<std::string>{"key 120 text=", "key 97 text=x", "key 98 text=x",
                                                "key 13 text=xB", "returnPressed"}));

    // Enter reaches the window from every kind of control.
    const std::vector<Control*> controls = {c.txtWithThis, c.cmdRename,     c.File1,
                                            c.Dir1,        c.cmbFileFilter, c.optFilenameCase[2]};
    for (Control* control : controls) {
        events.clear();
        control->setFocus();
        QTest::keyClick(form.window().widget()->focusWidget(), Qt::Key_Return);
        EXPECT_EQ(events, std::vector<std::string>{"key 13 text=xB"}) << control->name();
    }
}

TEST_F(MainWindow, ComboBoxTellsPickingFromTyping) {
    QtComboBox& filter = form.get<QtComboBox>("cmbFileFilter");
    std::vector<std::string> events;
    filter.onClick = [&] { events.push_back("click " + filter.text()); };
    filter.onChange = [&] { events.push_back("change " + filter.text()); };
    filter.setText("*.*");
    for (const char* item : {"*.txt", "*.doc", "*.*"}) {
        filter.addItem(item);
    }
    EXPECT_EQ(filter.listIndex(), -1) << "adding entries chooses none";
    EXPECT_EQ(filter.text(), "*.*");
    events.clear();

    filter.setFocus();
    filter.comboBox()->lineEdit()->clear();
    QTest::keyClicks(filter.comboBox()->lineEdit(), "*.t");
    EXPECT_EQ(events, (std::vector<std::string>{"change *", "change *.", "change *.t"}))
        << "typed text is not completed from the entries";
    EXPECT_EQ(filter.listIndex(), -1);

    filter.setListIndex(1);
    events.clear();
    filter.setText("*.doc");
    EXPECT_TRUE(events.empty()) << "the same text is no change";
    filter.setListIndex(0);
    EXPECT_EQ(events, std::vector<std::string>{"click *.txt"});
    EXPECT_THROW(filter.setListIndex(3), RunError);
}

class Closing : public ::testing::Test {
  protected:
    test::GuiWorld world;
    std::unique_ptr<PreviewView> view = world.ui.createPreviewWindow();
    Window& window = *view->controls().window;
    QWidget* widget = formOf(*view).window().widget();
    std::vector<CloseReason> asked;
    bool cancel = false;  // what the logic answers when asked

    void SetUp() override {
        window.onQueryUnload = [this](CloseReason reason, bool& cancelled) {
            asked.push_back(reason);
            cancelled = cancel;
        };
        window.show();
    }
};

TEST_F(Closing, TheCloseBoxAsksAndTheLogicMayKeepTheWindow) {
    EXPECT_TRUE(widget->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    cancel = true;
    window.unload();
    widget->close();
    EXPECT_EQ(asked, (std::vector<CloseReason>{CloseReason::Code, CloseReason::ControlMenu}));
    EXPECT_TRUE(window.loaded() && window.visible());
    cancel = false;
    widget->close();
    EXPECT_EQ(asked.back(), CloseReason::ControlMenu);
    EXPECT_FALSE(window.loaded() || window.visible());
}

TEST_F(Closing, WithoutCloseInTheSystemMenuTheWindowRefusesToClose) {
    test::RecordingReporter errors;
    bForms(errors, world.ui.pointer(), world.ui.clipboard()).DisableX(window);
    EXPECT_EQ(window.systemMenu().itemCount(), 5);
    EXPECT_FALSE(widget->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(widget->isVisible()) << "still shown after its flags changed";
    widget->close();
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(window.loaded() && window.visible());
    // The program itself still can.
    window.unload();
    EXPECT_EQ(asked, std::vector<CloseReason>{CloseReason::Code});
    EXPECT_FALSE(window.loaded());
}

TEST(QtSurfaceTest, FillsBoxesInTheLogicalScaleAndKeepsThem) {
    test::GuiWorld world;
    auto view = world.ui.createAboutWindow();
    Window& window = *view->controls().window;
    window.surface().setState({.scaleMode = 3, .scaleWidth = 512, .scaleHeight = 512});
    // The left half of the area red, the bottom right quarter blue.
    window.surface().fillBox(0, 0, 256, 512, Rgb{255, 0, 0});
    window.surface().fillBox(256, 256, 512, 512, Rgb{0, 0, 255});
    window.surface().setState(DrawingState{});
    window.show();
    const QImage image = formOf(*view).window().clientArea()->grab().toImage();
    ASSERT_EQ(image.size(), QSize(560, 440)) << "the About box's client area";
    const QRgb red = qRgb(255, 0, 0);
    const QRgb blue = qRgb(0, 0, 255);
    EXPECT_EQ(image.pixel(2, 437), red);
    EXPECT_EQ(image.pixel(284, 2), image.pixel(558, 2)) << "top right untouched";
    EXPECT_NE(image.pixel(558, 2), red);
    EXPECT_EQ(image.pixel(282, 437), blue);
    EXPECT_EQ(image.pixel(558, 222), blue);
}

TEST(QtServicesTest, LogDatesInTheLocalesOwnFormatsWithTheYearInFourDigits) {
    test::FixedClock clock;
    clock.setLocal(2026, 12, 6, 9, 5, 7);
    struct Case {
        const char* locale;
        const char* longDate;
        const char* longTime;  // without its time zone
        const char* generalDate;
    };
    for (const Case& c :
         {Case{"en_US", "Sunday, December 6, 2026", "9:05:07 AM", "12/6/2026 9:05:07 AM"},
          Case{"de_DE", "Sonntag, 6. Dezember 2026", "09:05:07", "06.12.2026 09:05:07"}}) {
        SCOPED_TRACE(c.locale);
        const QtLocaleFormat format{QLocale(QString::fromLatin1(c.locale))};
        EXPECT_EQ(format.longDate(clock.now()), c.longDate);
        EXPECT_EQ(format.longTime(clock.now()), c.longTime);
        EXPECT_EQ(format.generalDate(clock.now()), c.generalDate);
    }
}

TEST(QtServicesTest, ClipboardKeepsUnicodeTextAndTheBusyPointerIsAStateNotAStack) {
    test::GuiWorld world;
    const std::string text = "na\xC3\xAFve \xE2\x9C\x93 \xF0\x9F\x98\x80";
    world.ui.clipboard().setText(text);
    EXPECT_EQ(world.ui.clipboard().text(), text);

    Pointer& pointer = world.ui.pointer();
    pointer.setBusy(true);
    pointer.setBusy(true);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    pointer.setBusy(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(QtFolderListTest, OpensFoldersOfTheDriveAndKeepsOddNames) {
    test::TempFolder dir;
    const std::string odd = "caf\xE9";
    dir.makeFolder("photos");
    dir.makeFolder("photos/" + odd);
    dir.makeFolder("photos/2024");
    dir.makeFolder("photos/.thumbnails");  // hidden
    test::GuiWorld world;
    auto view = world.ui.createMainWindow();
    QtFolderList& folders = formOf(*view).get<QtFolderList>("Dir1");
    std::vector<std::string> changes;
    folders.onChange = [&] { changes.push_back(folders.path()); };

    folders.setPath(dir.path() + "/photos/");
    folders.setPath(dir.path() + "/photos");
    EXPECT_EQ(changes, std::vector<std::string>{dir.path() + "/photos"}) << "once, when it changed";
    QTreeWidgetItem* current = folders.tree()->currentItem();
    ASSERT_NE(current, nullptr);
    ASSERT_EQ(current->childCount(), 2);
    EXPECT_TRUE(current->isExpanded());

    // The user chooses the folder whose name is not UTF-8: its bytes make the path.
    QTreeWidgetItem* oddItem = folders.itemOf(dir.path() + "/photos/" + odd);
    ASSERT_NE(oddItem, nullptr);
    EXPECT_EQ(oddItem->text(0), QString::fromUtf8("caf\xEF\xBF\xBD"));
    folders.tree()->setCurrentItem(oddItem);
    EXPECT_EQ(folders.path(), dir.path() + "/photos/" + odd);
    EXPECT_EQ(changes.size(), 2u);
}

}  // namespace
}  // namespace qm::platform
