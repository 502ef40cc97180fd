// Window utilities: removing a window's Close command, the busy pointer, and the rules that
// enable the Edit menu's clipboard commands for the focused control.
#pragma once

#include <string>

#include "frame/ErrorReporter.h"
#include "ui/Controls.h"

namespace qm {

class bForms {
  public:
    bForms(ErrorReporter& errors, platform::Pointer& pointer, platform::Clipboard& clipboard);

    // Removes "&Close" (and the separator above it) from the window's system menu, which also
    // disables its close box. A menu without such an item is left alone. Failures are logged.
    void DisableX(platform::Window& window);
    // The busy pointer on or off, then pending window events run once. Failures are ignored.
    void ShowHourglass(bool on);

    // Only the one-line and rich text boxes count as text controls.
    static bool IsTextControl(const platform::Control* control);
    static bool HasSelectedText(const platform::Control* control);
    bool CanCut(const platform::Control* control);
    bool CanCopy(const platform::Control* control);
    bool CanPaste(const platform::Control* control);

  private:
    bool canCutOrCopy(const platform::Control* control, const char* source);

    ErrorReporter& m_errors;
    platform::Pointer& m_pointer;
    platform::Clipboard& m_clipboard;
};

}  // namespace qm
