// The keyboard of a Win32 window, which the window sees before its controls do: menu shortcuts
// (Ctrl with a letter or digit), Tab and Shift+Tab through the tab order with an option group as
// one stop, the arrows within an option group, access keys (Alt with a letter), Enter and Escape
// for the default and cancel buttons, and every typed character offered to the window's KeyPress
// first. It also keeps the focus on the same control while the window is inactive, and shows the
// focus rectangles and access keys once the keyboard is used.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

namespace qm::platform {

class Win32Button;
class Win32ControlBase;
class Win32Window;

class Win32Keyboard {
  public:
    // Part of `window`, which reads its controls, menus and KeyPress handler.
    explicit Win32Keyboard(Win32Window& window) : m_window(window) {}
    Win32Keyboard(const Win32Keyboard&) = delete;
    Win32Keyboard& operator=(const Win32Keyboard&) = delete;

    void setTabStops(std::vector<Win32ControlBase*> stops) { m_tabStops = std::move(stops); }
    void setDefaultButton(Win32Button* button) { m_defaultButton = button; }
    void setCancelButton(Win32Button* button) { m_cancelButton = button; }

    // A message about to go to the window or one of its controls: true when the window used it.
    bool preTranslate(MSG& message);
    // The window became active (`active`) or inactive: the control that had the focus gets it
    // back, or the first stop of the tab order when none had it.
    void activated(bool active);
    // Forgets the control that had the focus: the next activation starts at the first stop.
    void forget() { m_lastFocus = nullptr; }
    // Moves the focus `step` stops along the tab order (1 on, -1 back), round from the end.
    void moveFocus(int step);
    // The window's control that has the focus (or holds the window that has it), or nullptr.
    Win32ControlBase* focusedControl() const;

  private:
    bool keyDown(const MSG& message);
    // Clears the window's hidden-focus or hidden-access-key state (UISF_ flags).
    void showCues(WORD cues);
    bool character(MSG& message);
    bool accessKey(wchar_t key);
    bool menuShortcut(WPARAM key);
    bool dialogKey(WPARAM key);
    void typed(int character);
    bool moveInGroup(int step);

    Win32Window& m_window;
    wchar_t m_highSurrogate = 0;
    HWND m_lastFocus = nullptr;
    std::vector<Win32ControlBase*> m_tabStops;
    Win32Button* m_defaultButton = nullptr;
    Win32Button* m_cancelButton = nullptr;
};

}  // namespace qm::platform
