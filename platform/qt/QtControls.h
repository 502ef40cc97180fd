// The controls as Qt widgets, each built from its design. A control object holds its widget
// (owned by the window's widget tree) and turns the widget's signals into the interface's
// callbacks: user actions raise them through raiseFromUser, program changes raise them
// directly, and what a program change makes the widget emit is not mistaken for the user.
#pragma once

#include <QAction>
#include <QButtonGroup>
#include <QMenu>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/FormDesigns.h"
#include "ui/ListEntries.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QWidget;
class QObject;

namespace qm::platform {

// Runs a handler for a user action. An exception cannot cross Qt's event loop, so one that the
// window logic lets escape is written to stderr and the window stays usable.
void raiseFromUser(const std::function<void()>& handler);

// Marks a program change for its scope; signals emitted meanwhile are not the user's.
class ProgramChange {
  public:
    explicit ProgramChange(bool& flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~ProgramChange() { m_flag = m_was; }
    ProgramChange(const ProgramChange&) = delete;
    ProgramChange& operator=(const ProgramChange&) = delete;

  private:
    bool& m_flag;
    bool m_was;
};

class QtControlBase : public virtual Control {
  public:
    QtControlBase(const ControlDesign& design, QWidget* widget);
    ~QtControlBase() override;

    std::string name() const override { return m_name; }
    std::string typeName() const override { return m_typeName; }
    bool enabled() const override;
    void setEnabled(bool enabled) override;
    bool visible() const override;
    void setVisible(bool visible) override;
    void setFocus() override;
    Rect geometry() const override;
    void setGeometry(const Rect& rect) override;
    std::string toolTip() const override { return m_toolTip; }
    void setToolTip(const std::string& text) override;

    QWidget* widget() const { return m_widget; }
    int tabIndex() const { return m_tabIndex; }

  protected:
    // The context object of every connection to a handler: the connections end with the
    // control, even while its widget waits for deferred deletion.
    QObject* receiver() const { return m_receiver.get(); }

    QWidget* m_widget;
    bool m_programChange = false;

  private:
    std::unique_ptr<QObject> m_receiver;
    std::string m_name;
    std::string m_typeName;
    std::string m_toolTip;
    int m_tabIndex;
};

class QtLabel : public Label, public QtControlBase {
  public:
    QtLabel(const ControlDesign& design, QWidget* parent);
    std::string caption() const override { return m_caption; }
    void setCaption(const std::string& caption) override;
    QLabel* label() const;

  private:
    std::string m_caption;
};

class QtFrame : public Frame, public QtControlBase {
  public:
    QtFrame(const ControlDesign& design, QWidget* parent);
    std::string caption() const override { return m_caption; }

  private:
    std::string m_caption;
};

class QtButton : public Button, public QtControlBase {
  public:
    // `dialogButton`: Enter on the focused button presses it, as in a dialog.
    QtButton(const ControlDesign& design, QWidget* parent, bool dialogButton);
    std::string caption() const override { return m_caption; }
    QPushButton* button() const;

  private:
    std::string m_caption;
};

class QtTextBox : public TextBox, public QtControlBase {
  public:
    QtTextBox(const ControlDesign& design, QWidget* parent);
    std::string text() const override;
    void setText(const std::string& text) override;
    int selStart() const override;
    int selLength() const override;
    void setSelection(int start, int length) override;
    std::string selText() const override;
    void setSelText(const std::string& text) override;
    QLineEdit* lineEdit() const;
};

class QtComboBox : public ComboBox, public QtControlBase {
  public:
    QtComboBox(const ControlDesign& design, QWidget* parent);
    void clear() override;
    void addItem(const std::string& item) override;
    int listCount() const override { return m_entries.count(); }
    std::string list(int index) const override { return m_entries.at(index); }
    int listIndex() const override { return m_entries.index(); }
    void setListIndex(int index) override;
    std::string text() const override;
    void setText(const std::string& text) override;
    QComboBox* comboBox() const;

  private:
    void setEditText(const std::string& text);

    ListEntries m_entries;
};

class QtOptionButton : public OptionButton, public QtControlBase {
  public:
    QtOptionButton(const ControlDesign& design, QWidget* parent);
    std::string caption() const override { return m_caption; }
    bool value() const override;
    void setValue(bool value) override;
    // The options of one group share `group`, which keeps one of them chosen.
    void setGroup(QButtonGroup* group) { m_group = group; }
    QRadioButton* radioButton() const;

  private:
    std::string m_caption;
    QPointer<QButtonGroup> m_group;
};

class QtStatusBar : public StatusBar, public QtControlBase {
  public:
    QtStatusBar(const ControlDesign& design, QWidget* parent, const std::vector<int>& panelWidths);
    std::string panelText(int panel) const override;
    void setPanelText(int panel, const std::string& text) override;
    QLabel* panel(int panel) const;

  private:
    std::vector<std::string> m_texts;
};

class QtProgressBar : public ProgressBar, public QtControlBase {
  public:
    QtProgressBar(const ControlDesign& design, QWidget* parent);
    int max() const override { return m_max; }
    void setMax(int max) override;
    int value() const override { return m_value; }
    void setValue(int value) override;
    QProgressBar* progressBar() const;

  private:
    int m_max = 100;
    int m_value = 0;
    int m_paintedWidth = -1;
};

class QtLine : public Line, public QtControlBase {
  public:
    QtLine(const ControlDesign& design, QWidget* parent);
    void setEnds(int x1, int y1, int x2, int y2) override;
    Rect ends() const override { return m_ends; }
    Rect geometry() const override;
    void setGeometry(const Rect& rect) override;

  private:
    Rect m_ends;
};

class QtMenuItem : public MenuItem {
  public:
    // A menu of the menu bar (`menu` set) or an item of one.
    QtMenuItem(const MenuDesign& design, QAction* action, QMenu* menu);
    ~QtMenuItem() override;
    std::string name() const override { return m_design.name; }
    std::string caption() const override { return m_design.caption; }
    std::string shortcut() const override { return m_design.shortcut; }
    bool enabled() const override;
    void setEnabled(bool enabled) override;
    bool visible() const override;
    QAction* action() const { return m_action; }
    QMenu* menu() const { return m_menu; }

  private:
    MenuDesign m_design;
    QPointer<QAction> m_action;
    QPointer<QMenu> m_menu;
    std::unique_ptr<QObject> m_receiver;
};

}  // namespace qm::platform
