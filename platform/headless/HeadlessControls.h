// In-memory controls: they hold their state, raise their callbacks like the real ones, and
// offer the test the user's side (click, type, choose).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/FormDesigns.h"
#include "ui/ListEntries.h"
#include "ui/PreviewListBase.h"

namespace qm::platform {

class HeadlessWindow;

// State every control shares; `window` is the window that holds it (for focus).
class HeadlessControlBase : public virtual Control {
  public:
    HeadlessControlBase(const ControlDesign& design, HeadlessWindow* window);

    std::string name() const override { return m_name; }
    std::string typeName() const override { return m_typeName; }
    bool enabled() const override { return m_enabled; }
    void setEnabled(bool enabled) override { m_enabled = enabled; }
    bool visible() const override { return m_visible; }
    void setVisible(bool visible) override { m_visible = visible; }
    void setFocus() override;
    Rect geometry() const override { return m_rect; }
    void setGeometry(const Rect& rect) override { m_rect = rect; }
    std::string toolTip() const override { return m_toolTip; }
    void setToolTip(const std::string& text) override { m_toolTip = text; }

    int tabIndex() const { return m_tabIndex; }
    bool hasFocus() const;

  protected:
    HeadlessWindow* m_window;

  private:
    std::string m_name;
    std::string m_typeName;
    bool m_enabled = true;
    bool m_visible = true;
    Rect m_rect;
    std::string m_toolTip;
    int m_tabIndex;
};

class HeadlessLabel : public Label, public HeadlessControlBase {
  public:
    HeadlessLabel(const ControlDesign& d, HeadlessWindow* w)
        : HeadlessControlBase(d, w), m_caption(d.caption) {}
    std::string caption() const override { return m_caption; }
    void setCaption(const std::string& caption) override { m_caption = caption; }

  private:
    std::string m_caption;
};

class HeadlessFrame : public Frame, public HeadlessControlBase {
  public:
    HeadlessFrame(const ControlDesign& d, HeadlessWindow* w)
        : HeadlessControlBase(d, w), m_caption(d.caption) {}
    std::string caption() const override { return m_caption; }

  private:
    std::string m_caption;
};

class HeadlessButton : public Button, public HeadlessControlBase {
  public:
    HeadlessButton(const ControlDesign& d, HeadlessWindow* w)
        : HeadlessControlBase(d, w), m_caption(d.caption) {}
    std::string caption() const override { return m_caption; }
    // The user clicks the button (nothing happens while it is disabled or hidden).
    void click();

  private:
    std::string m_caption;
};

class HeadlessTextBox : public TextBox, public HeadlessControlBase {
  public:
    using HeadlessControlBase::HeadlessControlBase;
    std::string text() const override { return m_text; }
    void setText(const std::string& text) override;
    int selStart() const override { return m_selStart; }
    int selLength() const override { return m_selLength; }
    void setSelection(int start, int length) override;
    std::string selText() const override;
    void setSelText(const std::string& text) override;

  private:
    std::string m_text;
    int m_selStart = 0;  // characters
    int m_selLength = 0;
};

class HeadlessComboBox : public ComboBox, public HeadlessControlBase {
  public:
    using HeadlessControlBase::HeadlessControlBase;
    void clear() override { m_entries.clear(); }
    void addItem(const std::string& item) override { m_entries.add(item); }
    int listCount() const override { return m_entries.count(); }
    std::string list(int index) const override { return m_entries.at(index); }
    int listIndex() const override { return m_entries.index(); }
    void setListIndex(int index) override;
    std::string text() const override { return m_text; }
    void setText(const std::string& text) override;

    // The user picks entry `index` from the drop-down.
    void choose(int index) { setListIndex(index); }
    // The user types `text` into the edit field, one keystroke at a time.
    void type(const std::string& text);

  private:
    ListEntries m_entries;
    std::string m_text;
};

class HeadlessOptionButton : public OptionButton, public HeadlessControlBase {
  public:
    HeadlessOptionButton(const ControlDesign& d, HeadlessWindow* w)
        : HeadlessControlBase(d, w), m_caption(d.caption), m_value(d.initiallyChosen) {}
    std::string caption() const override { return m_caption; }
    bool value() const override { return m_value; }
    void setValue(bool value) override;
    void setGroup(std::vector<HeadlessOptionButton*> group) { m_group = std::move(group); }
    void click() { setValue(true); }

  private:
    std::string m_caption;
    bool m_value;
    std::vector<HeadlessOptionButton*> m_group;
};

class HeadlessListBox : public PreviewListBase, public HeadlessControlBase {
  public:
    using HeadlessControlBase::HeadlessControlBase;
    void showRows(std::shared_ptr<const PreviewRows> rows, PreviewColumn column) override {
        m_state.show(std::move(rows), column);
    }
    void setListIndex(int index) override;
    void click(int index) { setListIndex(index); }
    std::vector<std::string> items() const;
};

class HeadlessStatusBar : public StatusBar, public HeadlessControlBase {
  public:
    using HeadlessControlBase::HeadlessControlBase;
    std::string panelText(int panel) const override;
    void setPanelText(int panel, const std::string& text) override;

  private:
    std::string m_panels[2];
};

class HeadlessProgressBar : public ProgressBar, public HeadlessControlBase {
  public:
    using HeadlessControlBase::HeadlessControlBase;
    int max() const override { return m_max; }
    void setMax(int max) override { m_max = max; }
    int value() const override { return m_value; }
    void setValue(int value) override;
    int updates() const { return m_updates; }  // how often the value was set

  private:
    int m_max = 100;
    int m_value = 0;
    int m_updates = 0;
};

class HeadlessLine : public Line, public HeadlessControlBase {
  public:
    using HeadlessControlBase::HeadlessControlBase;
    void setEnds(int x1, int y1, int x2, int y2) override { m_ends = Rect{x1, y1, x2, y2}; }
    Rect ends() const override { return m_ends; }

  private:
    Rect m_ends;
};

class HeadlessMenuItem : public MenuItem {
  public:
    explicit HeadlessMenuItem(const MenuDesign& design) : m_design(design) {}
    std::string name() const override { return m_design.name; }
    std::string caption() const override { return m_design.caption; }
    std::string shortcut() const override { return m_design.shortcut; }
    bool enabled() const override { return m_enabled; }
    void setEnabled(bool enabled) override { m_enabled = enabled; }
    bool visible() const override { return true; }
    // The user chooses the item (or opens the menu); nothing happens while it is disabled.
    void choose();

  private:
    MenuDesign m_design;
    bool m_enabled = true;
};

}  // namespace qm::platform
