// The simple controls as Win32 child windows: labels, frames, buttons, text boxes, combo boxes,
// option buttons, list boxes, the status bar (msctls_statusbar32), the progress bar
// (msctls_progress32), lines, and the menu items of a window's menu bar.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32ui/Win32ControlBase.h"
#include "ui/ListEntries.h"

namespace qm::platform {

class Win32Label : public Label, public Win32ControlBase {
  public:
    Win32Label(const ControlDesign& design, Win32Window& window, HWND parent);
    std::string caption() const override { return m_caption; }
    void setCaption(const std::string& caption) override;

  private:
    std::string m_caption;
};

// A frame holds its options: a window of its own, with a group box drawn along its edges.
class Win32Frame : public Frame, public Win32ControlBase {
  public:
    Win32Frame(const ControlDesign& design, Win32Window& window, HWND parent);
    std::string caption() const override { return m_caption; }
    void layout(int dpi, HFONT font) override;

  private:
    std::string m_caption;
    HWND m_box = nullptr;
};

class Win32Button : public Button, public Win32ControlBase {
  public:
    Win32Button(const ControlDesign& design, Win32Window& window, HWND parent);
    std::string caption() const override { return m_caption; }
    void command(int code) override;
    wchar_t accessKey() const override { return accessKeyOf(m_caption); }
    void accessKeyPressed() override { click(); }
    // Pressed by the user (a click, Enter, Escape or its access key).
    void click();

  private:
    std::string m_caption;
};

class Win32TextBox : public TextBox, public Win32ControlBase {
  public:
    Win32TextBox(const ControlDesign& design, Win32Window& window, HWND parent);
    std::string text() const override;
    void setText(const std::string& text) override;
    int selStart() const override;
    int selLength() const override;
    void setSelection(int start, int length) override;
    std::string selText() const override;
    void setSelText(const std::string& text) override;
    void command(int code) override;
};

class Win32ComboBox : public ComboBox, public Win32ControlBase {
  public:
    Win32ComboBox(const ControlDesign& design, Win32Window& window, HWND parent);
    void clear() override;
    void addItem(const std::string& item) override;
    int listCount() const override { return m_entries.count(); }
    std::string list(int index) const override { return m_entries.at(index); }
    int listIndex() const override { return m_entries.index(); }
    void setListIndex(int index) override;
    std::string text() const override;
    void setText(const std::string& text) override;
    void layout(int dpi, HFONT font) override;
    void command(int code) override;

  private:
    void setEditText(const std::string& text);

    ListEntries m_entries;
};

class Win32OptionButton : public OptionButton, public Win32ControlBase {
  public:
    Win32OptionButton(const ControlDesign& design, Win32Window& window, HWND parent);
    std::string caption() const override { return m_caption; }
    bool value() const override;
    void setValue(bool value) override;
    void command(int code) override;
    wchar_t accessKey() const override { return accessKeyOf(m_caption); }
    void accessKeyPressed() override { choose(); }
    // The options of its group, in index order (itself among them).
    void setGroup(std::vector<Win32OptionButton*> group) { m_group = std::move(group); }
    const std::vector<Win32OptionButton*>& group() const { return m_group; }
    // Chosen by the user: takes the focus, clears the others of its group, raises onClick.
    void choose();

  private:
    void check();

    std::string m_caption;
    std::vector<Win32OptionButton*> m_group;
};

// A folder path (with its trailing separator) made to fit as a path ellipsis does, the folder's
// own name kept: "C:\...\Pictures\Holiday\", then "C:\...\Holiday\", then "...\Holiday\" even
// when that does not fit either. A folder right below its root comes back as it is.
std::wstring compactedFolder(const std::wstring& path,
                             const std::function<bool(const std::wstring&)>& fits);

// Panel 1 shows its folder compacted to the panel's width (compactedFolder); panelText() is the
// whole text.
class Win32StatusBar : public StatusBar, public Win32ControlBase {
  public:
    Win32StatusBar(const ControlDesign& design, Win32Window& window, HWND parent,
                   std::vector<int> panelWidths);
    std::string panelText(int panel) const override;
    void setPanelText(int panel, const std::string& text) override;
    void layout(int dpi, HFONT font) override;

  private:
    void showPanel(std::size_t index);

    std::vector<int> m_widths;  // design pixels; the last panel takes the rest
    std::vector<std::string> m_texts;
};

class Win32ProgressBar : public ProgressBar, public Win32ControlBase {
  public:
    Win32ProgressBar(const ControlDesign& design, Win32Window& window, HWND parent);
    int max() const override { return m_max; }
    void setMax(int max) override;
    int value() const override { return m_value; }
    void setValue(int value) override;

  private:
    int m_max = 100;
    int m_value = 0;
};

class Win32Line : public Line, public Win32ControlBase {
  public:
    Win32Line(const ControlDesign& design, Win32Window& window, HWND parent);
    void setEnds(int x1, int y1, int x2, int y2) override;
    Rect ends() const override { return m_ends; }
    // The window class that draws a line from one corner of its box to the other.
    static const wchar_t* registerClass();

  private:
    static LRESULT CALLBACK procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

    Rect m_ends;
};

// An item of a menu of the menu bar, or such a menu itself (`popup` set).
class Win32MenuItem : public MenuItem {
  public:
    Win32MenuItem(const MenuDesign& design, HMENU parent, UINT id, HMENU popup);
    std::string name() const override { return m_design.name; }
    std::string caption() const override { return m_design.caption; }
    std::string shortcut() const override { return m_design.shortcut; }
    bool enabled() const override;
    void setEnabled(bool enabled) override;
    bool visible() const override { return true; }
    const std::string& parentName() const { return m_design.parent; }
    HMENU popup() const { return m_popup; }
    UINT id() const { return m_id; }

  private:
    MenuDesign m_design;
    HMENU m_parent;
    UINT m_id;  // for a menu of the bar: its position there
    HMENU m_popup;
};

}  // namespace qm::platform
