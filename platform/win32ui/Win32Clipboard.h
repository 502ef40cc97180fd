// The clipboard's text (CF_UNICODETEXT), owned by a window of the program while it holds text.
#pragma once

#include <windows.h>

#include "ui/Controls.h"

namespace qm::platform {

class Win32Clipboard : public Clipboard {
  public:
    // `owner` is the window that owns what the program puts on the clipboard.
    explicit Win32Clipboard(HWND owner) : m_owner(owner) {}
    // "" when the clipboard holds no text or cannot be opened.
    std::string text() const override;
    // Empty text empties the clipboard.
    void setText(const std::string& text) override;

  private:
    HWND m_owner;
};

}  // namespace qm::platform
