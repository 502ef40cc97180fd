// A window as a Win32 top-level window: a client area of the design's size scaled by the DPI of
// its monitor (laid out anew when that changes, in Win32WindowLayout.cpp), an optional menu bar,
// the keyboard seen by the window before its controls (Win32Keyboard), the close box and the
// session's end as close reasons, the real system menu (Win32SystemMenu), modal showing over the
// window on top, tooltips, and a drawing surface (Win32Surface) kept as the client area's
// background.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32ui/Win32Keyboard.h"
#include "platform/win32ui/Win32Surface.h"
#include "platform/win32ui/Win32SystemMenu.h"
#include "ui/Controls.h"
#include "ui/FormDesigns.h"

namespace qm::platform {

class Win32Button;
class Win32ControlBase;
class Win32MenuItem;
class Win32Ui;

class Win32Window : public Window {
  public:
    enum class Kind { Main, Dialog };
    static constexpr const wchar_t* kWindowClass = L"QuillmoteWindow";
    static constexpr const wchar_t* kFrameClass = L"QuillmoteFrame";

    Win32Window(const FormDesign& design, Kind kind, Win32Ui& ui);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    // Control
    std::string name() const override { return m_name; }
    std::string typeName() const override { return "Form"; }
    bool enabled() const override;
    void setEnabled(bool enabled) override;
    bool visible() const override;
    void setVisible(bool visible) override;
    void setFocus() override;
    // The window's outer rectangle on the screen, in pixels.
    Rect geometry() const override;
    // Moves the window; its size is the design's.
    void setGeometry(const Rect& rect) override;
    std::string toolTip() const override { return {}; }
    void setToolTip(const std::string&) override {}

    // Window
    std::string caption() const override { return m_caption; }
    void setCaption(const std::string& caption) override;
    int innerWidth() const override;  // the client area, in design pixels
    int innerHeight() const override;
    void show() override;
    void showModal() override;
    void hide() override;
    void unload() override;
    bool loaded() const override { return m_loaded; }
    Control* activeControl() const override;
    SystemMenu& systemMenu() override { return m_systemMenu; }
    DrawingSurface& surface() override { return m_surface; }

    // What the controls and the form need of their window.
    HWND handle() const { return m_handle; }
    Kind kind() const { return m_kind; }
    int dpi() const { return m_dpi; }
    HFONT font() const { return m_font; }
    int nextControlId() { return m_nextId++; }
    void addControl(Win32ControlBase* control) { m_controls.push_back(control); }
    void setTabStops(std::vector<Win32ControlBase*> stops) {
        m_keyboard.setTabStops(std::move(stops));
    }
    void setDefaultButton(Win32Button* button) { m_keyboard.setDefaultButton(button); }
    void setCancelButton(Win32Button* button) { m_keyboard.setCancelButton(button); }
    // A menu of the menu bar (`design.parent` empty) or an item of one; the menus come first.
    std::unique_ptr<Win32MenuItem> addMenuItem(const MenuDesign& design);
    // Shows `tool`'s tooltip (its control's toolTipText()) while the mouse rests on it.
    void addTool(HWND tool);
    // The text under the mouse changed: the tooltip shows the new one.
    void toolTipChanged();
    // Back to what a window just made shows, for a window kept to be shown again: loaded and
    // hidden, placed afresh when next shown, its design's caption, no handlers, the whole system
    // menu, and no remembered focus.
    void renew();
    // Counts the window as the newest of the program's windows, as if it had just been made.
    void madeAgain();
    // Places every control for the window's DPI and sizes the window around the client area;
    // the form calls it once its controls and menus are made.
    void layout();
    // Pixels of the client area for design pixels at the window's DPI.
    int pixels(int designPixels) const;

    // A message about to go to this window or one of its controls: true when the window used it
    // (the keyboard is the window's before its controls').
    bool preTranslate(MSG& message);
    // The window of ours a handle belongs to (a top-level window), or nullptr.
    static Win32Window* from(HWND handle);
    static void registerClasses();

  private:
    // The keyboard reads the controls, the menus and m_alive.
    friend class Win32Keyboard;

    // Holds the window's font, which goes with the window (WM_NCDESTROY) when not before.
    static constexpr const wchar_t* kFontProperty = L"Quillmote.Font";
    static DWORD styleOf(Kind kind);
    static DWORD exStyleOf(Kind kind);

    static LRESULT CALLBACK procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT notify(NMHDR& header);
    void setOwner();
    bool askToClose(CloseReason reason);
    void close();
    void userClose();
    void paintBackground(HDC dc);

    // Layout at the window's DPI.
    void dpiChanged(int dpi, const RECT* suggested);
    // The program's icon in the caption and the task bar, at the window's DPI.
    void setIcons();
    void placeFirstTime();
    // The window's outer size at `dpi` around the design's client area.
    SIZE sizeAt(int dpi) const;

    Win32Ui& m_ui;
    std::string m_name;
    std::string m_caption;
    std::string m_designCaption;
    Kind m_kind;
    int m_designWidth;
    int m_designHeight;
    HWND m_handle = nullptr;
    HWND m_toolTips = nullptr;
    HMENU m_menuBar = nullptr;
    HFONT m_font = nullptr;
    HICON m_smallIcon = nullptr;
    HICON m_largeIcon = nullptr;
    int m_dpi = 96;
    int m_nextId = 100;
    bool m_loaded = true;
    bool m_placed = false;
    bool m_modal = false;
    int m_depth = 0;               // window procedures of this window running
    std::vector<HWND> m_disabled;  // the windows a modal showing disabled
    std::vector<Win32ControlBase*> m_controls;
    std::vector<Win32MenuItem*> m_menus;
    Win32SystemMenu m_systemMenu;
    Win32Surface m_surface;
    HBITMAP m_background = nullptr;  // the surface drawn at the window's DPI
    std::wstring m_toolTipText;      // what the tooltip shows, kept while it shows it
    Win32Keyboard m_keyboard{*this};
    // Cleared when the window goes, for code that resumes after a handler or a modal loop.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace qm::platform
