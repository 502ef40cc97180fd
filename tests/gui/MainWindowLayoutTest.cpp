// The main window on screen against its design: client area, every control's place, text and
// tooltip, the menu bar, the tab order and the status bar's panels.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>

#include "tests/gui/GuiSupport.h"

namespace qm::platform {
namespace {

using test::formOf;

// The text a widget shows as its caption, for the kinds that have one.
QString captionOf(const QWidget* widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
        return frame->title();
    }
    return {};
}

class MainWindowLayout : public ::testing::Test {
  protected:
    test::GuiWorld world;
    std::unique_ptr<MainView> view = world.ui.createMainWindow();
    QtForm& form = formOf(*view);

    void SetUp() override { form.window().show(); }
};

TEST_F(MainWindowLayout, ClientAreaIsExactlyTheDesignBelowTheMenuBar) {
    QtWindow& window = form.window();
    const int menuHeight = window.menuBar()->height();
    ASSERT_GT(menuHeight, 0);
    EXPECT_EQ(window.clientArea()->geometry(), QRect(0, menuHeight, 800, 536));
    EXPECT_EQ(window.widget()->size(), QSize(800, menuHeight + 536));
    EXPECT_EQ(window.widget()->minimumSize(), window.widget()->maximumSize()) << "fixed size";
    EXPECT_EQ(window.innerWidth(), 800);
    EXPECT_EQ(window.innerHeight(), 536);
    EXPECT_EQ(window.widget()->windowTitle(), QString("Quillmote Utility"));
}

TEST_F(MainWindowLayout, EveryControlAndMenuItemAsTheDesignHasIt) {
    const FormDesign& design = mainWindowDesign();
    for (const ControlDesign& d : design.controls) {
        SCOPED_TRACE(d.name + (d.index >= 0 ? "(" + std::to_string(d.index) + ")" : ""));
        auto& control = form.get<QtControlBase>(d.name, d.index);
        const QWidget* widget = control.widget();
        const Rect& r = d.rect;
        EXPECT_EQ(widget->geometry(), QRect(r.left, r.top, r.width, r.height));
        const QWidget* expectedParent = d.container.empty()
                                            ? form.window().clientArea()
                                            : form.get<QtControlBase>(d.container).widget();
        EXPECT_EQ(widget->parentWidget(), expectedParent);
        EXPECT_EQ(widget->toolTip().toStdString(), d.toolTip);
        EXPECT_EQ(captionOf(widget).toStdString(), d.caption);
        EXPECT_EQ(control.visible(), d.initiallyVisible);
        if (const auto* option = qobject_cast<const QRadioButton*>(widget)) {
            EXPECT_EQ(option->isChecked(), d.initiallyChosen);
        }
    }
    // Menus in the menu bar in the design's order; items with their captions and shortcuts
    // (a separator has neither).
    QStringList titles;
    for (const QAction* top : form.window().menuBar()->actions()) {
        titles << top->text();
    }
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&View", "&Help"}));
    for (const MenuDesign& m : design.menus) {
        const QAction* action = form.menu<QtMenuItem>(m.name).action();
        const bool separator = m.caption == "-";
        EXPECT_EQ(action->isSeparator(), separator) << m.name;
        EXPECT_EQ(action->text().toStdString(), separator ? "" : m.caption) << m.name;
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromStdString(m.shortcut))) << m.name;
    }
}

TEST_F(MainWindowLayout, TabMovesThroughTheControlsInTheDescribedOrder) {
    // Frames, labels and the bottom bars are no tab stops.
    const std::string expected =
        "Drive1 Dir1 File1 cmbFilterType cmbFileFilter cmdSelectAll cmdDeselectAll "
        "optFilenameCase0 optFilenameCase1 optFilenameCase2 optFilenameCase3 "
        "optFileExtensionCase0 optFileExtensionCase1 optFileExtensionCase2 txtReplaceThis "
        "txtWithThis cmdPreview cmdRename cmdExit ";
    std::map<const QWidget*, std::string> names;
    for (const ControlDesign& d : mainWindowDesign().controls) {
        names[form.get<QtControlBase>(d.name, d.index).widget()] =
            d.name + (d.index >= 0 ? std::to_string(d.index) : "");
    }
    const QWidget* first = form.get<QtControlBase>("Drive1").widget();
    std::string chain;
    const QWidget* w = first;
    do {
        const auto it = names.find(w);
        if (it != names.end() && (w->focusPolicy() & Qt::TabFocus)) {
            chain += it->second + " ";
        }
        w = w->nextInFocusChain();
    } while (w != first && chain.size() < 1000);
    EXPECT_EQ(chain, expected);
}

TEST_F(MainWindowLayout, StatusBarPanelsAlongTheBottom) {
    QtStatusBar& bar = form.get<QtStatusBar>("StatusBar1");
    bar.setPanelText(1, "/home/u/");
    EXPECT_EQ(bar.panel(1)->text(), QString("/home/u/"));
    EXPECT_LE(bar.panel(1)->geometry().right(), 640);
    EXPECT_GE(bar.panel(2)->geometry().left(), 640);
    EXPECT_GE(bar.panel(2)->geometry().right(), 790);
    EXPECT_THROW(bar.setPanelText(3, "x"), RunError);
}

}  // namespace
}  // namespace qm::platform
