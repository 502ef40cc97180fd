#include "platform/win32ui/Win32SystemMenu.h"

#include "base/RunError.h"
#include "base/Utf16.h"

namespace qm::platform {

HMENU Win32SystemMenu::menu() const {
    return ::GetSystemMenu(m_window, FALSE);
}

int Win32SystemMenu::itemCount() const {
    const int count = ::GetMenuItemCount(menu());
    if (count < 0) {
        throw RunError(kInvalidProcedureCall);
    }
    return count;
}

std::string Win32SystemMenu::itemText(int position) const {
    if (position < 0 || position >= itemCount()) {
        throw RunError(kInvalidProcedureCall);
    }
    wchar_t text[260] = {};
    ::GetMenuStringW(menu(), static_cast<UINT>(position), text, 260, MF_BYPOSITION);
    return text::fromUtf16(text);
}

void Win32SystemMenu::removeItem(int position) {
    if (position < 0 || position >= itemCount() ||
        !::RemoveMenu(menu(), static_cast<UINT>(position), MF_BYPOSITION)) {
        throw RunError(kInvalidProcedureCall);
    }
}

void Win32SystemMenu::redraw() {
    ::DrawMenuBar(m_window);
}

bool Win32SystemMenu::closeEnabled() const {
    return ::GetMenuState(menu(), SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

}  // namespace qm::platform
