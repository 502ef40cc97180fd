// Message boxes as QMessageBox: the style's buttons and icon, its default button (the first,
// or the one style bits 8-9 name), Escape and the close box giving the safe answer (Cancel, No
// or OK). The text is shown as plain text, never as markup.
#pragma once

#include <string>

#include "services/MessageBox.h"

namespace qm::platform {

class QtMessageBox : public MessageBox {
  public:
    MessageResult show(const std::string& text, int style, const std::string& title) override;
};

}  // namespace qm::platform
