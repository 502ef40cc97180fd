// What every control of a Win32 window shares: its window handle inside the window (or inside a
// frame of it), its place in design pixels, placed anew whenever the window's DPI changes, its
// tooltip, and the notifications its parent hands back to it. User actions raise the interface's
// callbacks through raiseFromUser; changes made by the program raise them directly, and what a
// program change makes the control report is not mistaken for the user.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/Controls.h"
#include "ui/FormDesigns.h"

namespace qm::platform {

class Win32Window;

namespace win32ui {

// Runs a handler for a user action. An exception must not cross the system's window procedure,
// so one the window logic lets escape is written to the debugger's output and to stderr.
void raiseFromUser(const std::function<void()>& handler);

// The program's text (UTF-8, stray bytes shown as U+FFFD) for a window, and a window's text back.
std::wstring shown(const std::string& text);
std::string windowText(HWND window);

// Sizes a drop-down box: `box` (pixels, in its parent) is the closed box; the window's height is
// that and the open list below it.
void placeComboBox(HWND combo, const RECT& box, int dpi);

// Marks a program change for its scope.
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

}  // namespace win32ui

class Win32ControlBase : public virtual Control {
  public:
    // Makes the control's window in `parent` (the window's client area or a frame).
    Win32ControlBase(const ControlDesign& design, Win32Window& window, HWND parent,
                     const wchar_t* className, DWORD style, DWORD exStyle);
    ~Win32ControlBase() override;
    Win32ControlBase(const Win32ControlBase&) = delete;
    Win32ControlBase& operator=(const Win32ControlBase&) = delete;

    std::string name() const override { return m_name; }
    std::string typeName() const override { return m_typeName; }
    // Enabled and Visible are the control's own settings, not what its container makes of them.
    bool enabled() const override;
    void setEnabled(bool enabled) override;
    bool visible() const override;
    void setVisible(bool visible) override;
    void setFocus() override;
    Rect geometry() const override { return m_rect; }
    void setGeometry(const Rect& rect) override;
    std::string toolTip() const override { return m_toolTip; }
    void setToolTip(const std::string& text) override { m_toolTip = text; }

    HWND handle() const { return m_handle; }
    Win32Window& window() const { return m_window; }
    // The text its tooltip shows now ("" for none).
    virtual std::string toolTipText() const { return m_toolTip; }
    // Places the control and sets its font for the window's DPI.
    virtual void layout(int dpi, HFONT font);
    // The hidden window is about to show: what the control put off while hidden is done now.
    virtual void beforeShown() {}
    // What the parent hears from the control.
    virtual void command(int /*code*/) {}
    virtual LRESULT notify(NMHDR& /*header*/) { return 0; }
    virtual void drawItem(const DRAWITEMSTRUCT& /*item*/) {}
    // The access key of its caption ('a' for "Select &All"), 0 for none.
    virtual wchar_t accessKey() const { return 0; }
    // The user typed the access key.
    virtual void accessKeyPressed() {}
    // Lets the window forget the control before its window handle goes.
    void detach();

    // The control a window handle belongs to, or nullptr.
    static Win32ControlBase* from(HWND handle);

  protected:
    // The pixel rectangle of the design rectangle at `dpi`.
    static RECT pixels(const Rect& rect, int dpi);
    // Replaces the control's window procedure; `original()` is the one replaced.
    void subclass(WNDPROC procedure);
    LRESULT original(UINT message, WPARAM wParam, LPARAM lParam) const;
    static Win32ControlBase* ofSubclass(HWND handle) { return from(handle); }

    HWND m_handle = nullptr;
    bool m_programChange = false;

  private:
    Win32Window& m_window;
    std::string m_name;
    std::string m_typeName;
    std::string m_toolTip;
    Rect m_rect;
    WNDPROC m_original = nullptr;
    HWND m_nameLabel = nullptr;  // the hidden label naming a control that shows none
    bool m_attached = true;
};

// The access key a caption marks with "&" (lower case), 0 when it has none.
wchar_t accessKeyOf(const std::string& caption);

}  // namespace qm::platform
