// A window as a Win32 top-level window: a client area of the design's size scaled by the DPI of
// its monitor (laid out anew when that changes), an optional menu bar, the keyboard seen by the
// window before its controls (menu shortcuts, Tab through the tab order, arrows within an option
// group, access keys, Enter and Escape, every typed character), the close box and the session's
// end as close reasons, the real system menu, modal showing over the window on top, tooltips, and
// a drawing surface kept as the client area's background.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/FormDesigns.h"

namespace qm::platform {

class Win32Button;
class Win32ControlBase;
class Win32MenuItem;
class Win32Ui;

// The window's own system menu (GetSystemMenu), by position.
class Win32SystemMenu : public SystemMenu {
  public:
    explicit Win32SystemMenu(HWND& window) : m_window(window) {}
    int itemCount() const override;
    std::string itemText(int position) const override;
    void removeItem(int position) override;
    void redraw() override;
    // True while the menu holds the Close command.
    bool closeEnabled() const;

  private:
    HMENU menu() const;
    HWND& m_window;
};

// The client area's background as the program painted it: each box kept in design pixels, so
// it is drawn again at any DPI, each one a GradientFill of its colour.
class Win32Surface : public DrawingSurface {
  public:
    Win32Surface(int designWidth, int designHeight)
        : m_width(designWidth), m_height(designHeight) {}
    DrawingState state() const override { return m_state; }
    void setState(const DrawingState& state) override { m_state = state; }
    void fillBox(double x1, double y1, double x2, double y2, Rgb color) override;

    bool painted() const { return !m_boxes.empty(); }
    // Draws every box at `dpi`.
    void draw(HDC dc, int dpi) const;
    // Called whenever a box is added.
    std::function<void()> onChange;

  private:
    struct Box {
        double left, top, right, bottom;  // design pixels
        Rgb color;
    };
    double unitsX() const;
    double unitsY() const;

    int m_width;
    int m_height;
    DrawingState m_state;
    std::vector<Box> m_boxes;
};

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
    void setTabStops(std::vector<Win32ControlBase*> stops) { m_tabStops = std::move(stops); }
    void setDefaultButton(Win32Button* button) { m_defaultButton = button; }
    void setCancelButton(Win32Button* button) { m_cancelButton = button; }
    // A menu of the menu bar (`design.parent` empty) or an item of one; the menus come first.
    std::unique_ptr<Win32MenuItem> addMenuItem(const MenuDesign& design);
    // Shows `tool`'s tooltip (its control's toolTipText()) while the mouse rests on it.
    void addTool(HWND tool);
    // The text under the mouse changed: the tooltip shows the new one.
    void toolTipChanged();
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
    static LRESULT CALLBACK procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT notify(NMHDR& header);
    void dpiChanged(int dpi, const RECT* suggested);
    void placeFirstTime();
    void setOwner();
    bool askToClose(CloseReason reason);
    void close();
    void userClose();
    void paintBackground(HDC dc);

    // Keyboard.
    bool keyDown(const MSG& message);
    bool character(MSG& message);
    bool accessKey(wchar_t key);
    bool menuShortcut(WPARAM key);
    bool dialogKey(WPARAM key);
    void typed(int character);
    void moveFocus(int step);
    bool moveInGroup(int step);
    Win32ControlBase* focusedControl() const;

    Win32Ui& m_ui;
    std::string m_name;
    std::string m_caption;
    Kind m_kind;
    int m_designWidth;
    int m_designHeight;
    HWND m_handle = nullptr;
    HWND m_toolTips = nullptr;
    HMENU m_menuBar = nullptr;
    HFONT m_font = nullptr;
    int m_dpi = 96;
    int m_nextId = 100;
    bool m_loaded = true;
    bool m_placed = false;
    bool m_modal = false;
    int m_depth = 0;  // window procedures of this window running
    wchar_t m_highSurrogate = 0;
    HWND m_lastFocus = nullptr;
    std::vector<HWND> m_disabled;  // the windows a modal showing disabled
    std::vector<Win32ControlBase*> m_controls;
    std::vector<Win32ControlBase*> m_tabStops;
    std::vector<Win32MenuItem*> m_menus;
    Win32Button* m_defaultButton = nullptr;
    Win32Button* m_cancelButton = nullptr;
    Win32SystemMenu m_systemMenu;
    Win32Surface m_surface;
    HBITMAP m_background = nullptr;  // the surface drawn at the window's DPI
    std::wstring m_toolTipText;      // what the tooltip shows, kept while it shows it
    // Cleared when the window goes, for code that resumes after a handler or a modal loop.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace qm::platform
