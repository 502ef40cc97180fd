// The main window on screen against its design: client area, every control's place, text and
// tooltip, the tab order and the menu bar.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

#include "platform/posix/PosixFileSystem.h"
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
    PosixFileSystem files;
    test::GuiWorld world{files};
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
    EXPECT_EQ(window.caption(), "Quillmote Utility");
    EXPECT_EQ(window.widget()->windowTitle(), QString("Quillmote Utility"));
}

TEST_F(MainWindowLayout, EveryControlWhereTheDesignPutsIt) {
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
    }
    EXPECT_TRUE(view->controls().optFilenameCase[0]->value());
    EXPECT_TRUE(view->controls().optFileExtensionCase[0]->value());
    EXPECT_FALSE(view->controls().optFilenameCase[1]->value());
}

TEST_F(MainWindowLayout, TabMovesThroughTheControlsInDesignOrder) {
    std::vector<std::string> expected;
    std::vector<std::pair<int, std::string>> stops;
    for (const ControlDesign& d : mainWindowDesign().controls) {
        const bool focusable = d.kind != ControlKind::Label && d.kind != ControlKind::Frame &&
                               d.kind != ControlKind::StatusBar &&
                               d.kind != ControlKind::ProgressBar;
        if (d.tabIndex >= 0 && focusable) {
            stops.emplace_back(d.tabIndex, d.name + std::to_string(d.index));
        }
    }
    std::sort(stops.begin(), stops.end());
    for (const auto& stop : stops) {
        expected.push_back(stop.second);
    }

    std::map<const QWidget*, std::string> names;
    for (const ControlDesign& d : mainWindowDesign().controls) {
        names[form.get<QtControlBase>(d.name, d.index).widget()] = d.name + std::to_string(d.index);
    }
    const QWidget* first = form.get<QtControlBase>("Drive1").widget();
    std::vector<std::string> chain;
    const QWidget* w = first;
    do {
        const auto it = names.find(w);
        if (it != names.end() && (w->focusPolicy() & Qt::TabFocus)) {
            chain.push_back(it->second);
        }
        w = w->nextInFocusChain();
    } while (w != first && chain.size() < 100);
    EXPECT_EQ(chain, expected);
}

TEST_F(MainWindowLayout, MenusWithTheirCaptionsAndShortcuts) {
    QMenuBar* bar = form.window().menuBar();
    QStringList topCaptions;
    for (const QAction* top : bar->actions()) {
        topCaptions << top->text();
    }
    EXPECT_EQ(topCaptions, QStringList({"&File", "&Edit", "&View", "&Help"}));
    for (const MenuDesign& m : mainWindowDesign().menus) {
        SCOPED_TRACE(m.name);
        auto& item = form.menu<QtMenuItem>(m.name);
        EXPECT_TRUE(item.enabled());
        EXPECT_TRUE(item.visible());
        if (m.caption == "-") {
            EXPECT_TRUE(item.action()->isSeparator());
            continue;
        }
        EXPECT_EQ(item.action()->text().toStdString(), m.caption);
        EXPECT_EQ(item.action()->shortcut(), QKeySequence(QString::fromStdString(m.shortcut)));
        if (!m.parent.empty()) {
            EXPECT_TRUE(form.menu<QtMenuItem>(m.parent).menu()->actions().contains(item.action()));
        }
    }
}

TEST_F(MainWindowLayout, StatusBarPanelsAlongTheBottom) {
    QtStatusBar& bar = form.get<QtStatusBar>("StatusBar1");
    bar.setPanelText(1, "/home/u/");
    bar.setPanelText(2, "No files selected");
    EXPECT_EQ(bar.panel(1)->text(), QString("/home/u/"));
    EXPECT_EQ(bar.panelText(2), "No files selected");
    EXPECT_LE(bar.panel(1)->geometry().right(), 640);
    EXPECT_GE(bar.panel(2)->geometry().left(), 640);
    EXPECT_GE(bar.panel(2)->geometry().right(), 790);
    EXPECT_THROW(bar.setPanelText(3, "x"), RunError);
    // The bar is an ordinary child of the client area, not a main window's status bar.
    EXPECT_EQ(bar.widget()->parentWidget(), form.window().clientArea());
}

}  // namespace
}  // namespace qm::platform
