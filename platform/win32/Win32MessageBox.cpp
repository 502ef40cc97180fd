#include "platform/win32/Win32MessageBox.h"

#include <windows.h>

#include "platform/Utf16.h"

namespace qm::platform {

int Win32MessageBox::show(const std::string& text, int style, const std::string& title) {
    const std::wstring wideText = text::toUtf16Lossy(text);
    const std::wstring wideTitle = text::toUtf16Lossy(title);
    return ::MessageBoxW(static_cast<HWND>(m_owner), wideText.c_str(), wideTitle.c_str(),
                         static_cast<UINT>(style));
}

}  // namespace qm::platform
