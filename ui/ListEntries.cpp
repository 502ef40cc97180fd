#include "ui/ListEntries.h"

#include <algorithm>

#include "base/RunError.h"

namespace qm::platform {

void ListEntries::clear() {
    m_items.clear();
    m_index = -1;
}

const std::string& ListEntries::at(int index) const {
    if (index < 0 || index >= count()) {
        throw RunError(kInvalidProcedureCall);
    }
    return m_items[static_cast<std::size_t>(index)];
}

bool ListEntries::choose(int index) {
    if (index < -1 || index >= count()) {
        throw RunError(kInvalidProcedureCall);
    }
    const bool changed = index != m_index;
    m_index = index;
    return changed;
}

void ListEntries::chooseText(const std::string& text) {
    const auto it = std::find(m_items.begin(), m_items.end(), text);
    m_index = it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

}  // namespace qm::platform
