#include "platform/win32/Win32MessageBox.h"

#include <windows.h>

#include "base/Utf16.h"

namespace qm::platform {

MessageResult Win32MessageBox::show(const std::string& text, int style, const std::string& title) {
    const std::wstring wideText = text::toUtf16Lossy(text);
    const std::wstring wideTitle = text::toUtf16Lossy(title);
    const int pressed = ::MessageBoxW(static_cast<HWND>(m_owner), wideText.c_str(),
                                      wideTitle.c_str(), static_cast<UINT>(style));
    switch (pressed) {
        case IDOK:
        case IDCANCEL:
        case IDRETRY:
        case IDYES:
        case IDNO:
            return static_cast<MessageResult>(pressed);  // the same numbers
        default:
            break;
    }
    switch (buttonsOf(style)) {
        case ButtonSet::YesNo:
            return MessageResult::No;
        case ButtonSet::OkCancel:
        case ButtonSet::RetryCancel:
            return MessageResult::Cancel;
        default:
            return MessageResult::Ok;
    }
}

}  // namespace qm::platform
