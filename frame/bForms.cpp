#include "frame/bForms.h"

#include "base/Text.h"
#include "frame/ErrorTail.h"
#include "frame/bFileHandler.h"

namespace qm {

bForms::bForms(ErrorReporter& errors, platform::Pointer& pointer, platform::Clipboard& clipboard)
    : m_errors(errors), m_pointer(pointer), m_clipboard(clipboard) {}

void bForms::DisableX(platform::Window& window) {
    try {
        platform::SystemMenu& menu = window.systemMenu();
        const int count = menu.itemCount();
        int closeAt = -1;
        for (int position = 0; position < count; ++position) {
            std::string text = menu.itemText(position);
            bFileHandler::TrimCharacter(text, std::string(1, '\0'));
            if (text.rfind("&Close", 0) == 0) {
                closeAt = position;
                break;
            }
        }
        if (closeAt >= 0) {
            menu.removeItem(closeAt);
            if (closeAt > 0) {
                menu.removeItem(closeAt - 1);
            }
        }
        menu.redraw();
    } catch (const std::exception& e) {
        logError(m_errors, e, window.name(), "bForms_DisableX");
    }
}

void bForms::ShowHourglass(bool on) {
    // The pointer's shape is a courtesy: a failure to change it is not worth a word.
    bestEffort([&] {
        m_pointer.setBusy(on);
        m_pointer.processEvents();
    });
}

bool bForms::IsTextControl(const platform::Control* control) {
    if (control == nullptr) {
        return false;
    }
    const std::string type = control->typeName();
    return type == "TextBox" || type == "RichTextBox" || type == "MaskEdBox";
}

bool bForms::HasSelectedText(const platform::Control* control) {
    // A box that cannot say has nothing to cut or copy; its caller reports its own failures.
    bool selected = false;
    bestEffort([&] {
        const auto* box = dynamic_cast<const platform::TextBox*>(control);
        selected = box != nullptr && box->selLength() > 0;
    });
    return selected;
}

bool bForms::canCutOrCopy(const platform::Control* control, const char* source) {
    try {
        if (control == nullptr || !control->enabled() || !IsTextControl(control)) {
            return false;
        }
        return HasSelectedText(control);
    } catch (const std::exception& e) {
        reportError(m_errors, e, "", source);
        return false;
    }
}

bool bForms::CanCut(const platform::Control* control) {
    return canCutOrCopy(control, "bForms_CanCut");
}

bool bForms::CanCopy(const platform::Control* control) {
    return canCutOrCopy(control, "bForms_CanCopy");
}

bool bForms::CanPaste(const platform::Control* control) {
    try {
        if (control == nullptr || !control->enabled() || m_clipboard.text().empty()) {
            return false;
        }
        return IsTextControl(control);
    } catch (const std::exception& e) {
        reportError(m_errors, e, "", "bForms_CanPaste");
        return false;
    }
}

}  // namespace qm
