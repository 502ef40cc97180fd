// A window's own system menu (GetSystemMenu), by position: the program reads its items and takes
// some away, and the window asks it whether the user may close it (while it holds Close).
#pragma once

#include <windows.h>

#include <string>

#include "ui/Controls.h"

namespace qm::platform {

class Win32SystemMenu : public SystemMenu {
  public:
    // `window` is the window's handle, read at each call (it is set once the window exists).
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

}  // namespace qm::platform
