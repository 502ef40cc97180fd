// Modal message boxes through MessageBoxW: the style numbers (buttons, icon) go to the system as
// they are and the button pressed comes back as its number.
#pragma once

#include "services/MessageBox.h"

namespace qm::platform {

class Win32MessageBox : public MessageBox {
  public:
    // `owner` is the window the box belongs to (an HWND); none by default.
    explicit Win32MessageBox(void* owner = nullptr) : m_owner(owner) {}
    void setOwner(void* owner) { m_owner = owner; }

    // Text and title go as UTF-16 (a byte no UTF-16 can carry is shown as U+FFFD). A box the
    // system could not show at all answers with the button that changes nothing: No, Cancel or
    // OK, as the style offers.
    MessageResult show(const std::string& text, int style, const std::string& title) override;

  private:
    void* m_owner;
};

}  // namespace qm::platform
