#include "platform/qt/QtSystemMenu.h"

#include <algorithm>

#include "base/RunError.h"
#include "platform/qt/QtWindow.h"

namespace qm::platform {

QtSystemMenu::QtSystemMenu(QtWindow& window)
    : m_window(window), m_items{"&Restore",  "&Move", "&Size",         "Mi&nimize",
                                "Ma&ximize", "",      "&Close\tAlt+F4"} {}

std::string QtSystemMenu::itemText(int position) const {
    if (position < 0 || position >= itemCount()) {
        throw RunError(kInvalidProcedureCall);
    }
    return m_items[static_cast<std::size_t>(position)];
}

void QtSystemMenu::removeItem(int position) {
    if (position < 0 || position >= itemCount()) {
        throw RunError(kInvalidProcedureCall);
    }
    m_items.erase(m_items.begin() + position);
    m_window.systemMenuChanged();
}

void QtSystemMenu::redraw() {
    m_window.systemMenuChanged();
}

bool QtSystemMenu::closeEnabled() const {
    return std::any_of(m_items.begin(), m_items.end(),
                       [](const std::string& item) { return item.rfind("&Close", 0) == 0; });
}

}  // namespace qm::platform
