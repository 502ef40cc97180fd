// A window's system menu as the program sees it: the usual items (Restore, Move, Size, Minimize,
// Maximize, Close), which the program reads and takes away by position. Qt has no system menu of
// its own to change, so the list stands in for it; the window's close button follows its Close
// item, and without that item the user cannot close the window.
#pragma once

#include <string>
#include <vector>

#include "ui/Controls.h"

namespace qm::platform {

class QtWindow;

class QtSystemMenu : public SystemMenu {
  public:
    explicit QtSystemMenu(QtWindow& window);
    int itemCount() const override { return static_cast<int>(m_items.size()); }
    std::string itemText(int position) const override;
    void removeItem(int position) override;
    void redraw() override;
    // True while an item starting with "&Close" remains.
    bool closeEnabled() const;

  private:
    QtWindow& m_window;
    std::vector<std::string> m_items;
};

}  // namespace qm::platform
