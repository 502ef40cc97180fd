#include "ui/PreviewRows.h"

#include <algorithm>

#include "base/RunError.h"

namespace qm::platform {

void PreviewRows::clear() {
    m_bytes.clear();
    m_ends.clear();
    m_warnings.clear();
    m_longest[0] = m_longest[1] = -1;
    changed();
}

void PreviewRows::add(std::string_view oldName, std::string_view newName) {
    const int row = count();
    for (const auto& [column, name] :
         {std::pair{PreviewColumn::OldName, oldName}, std::pair{PreviewColumn::NewName, newName}}) {
        int& longest = m_longest[index(column)];
        if (longest < 0 || name.size() > this->name(column, longest).size()) {
            longest = row;
        }
        m_bytes.append(name);
        m_ends.push_back(m_bytes.size());
    }
    changed();
}

void PreviewRows::check(int row) const {
    if (row < 0 || row >= count()) {
        throw RunError(kInvalidProcedureCall);
    }
}

std::string_view PreviewRows::name(PreviewColumn column, int row) const {
    check(row);
    const std::size_t at = static_cast<std::size_t>(row) * 2 + index(column);
    const std::size_t begin = at == 0 ? 0 : m_ends[at - 1];
    return std::string_view(m_bytes).substr(begin, m_ends[at] - begin);
}

void PreviewRows::setWarning(int row, const std::string& why) {
    check(row);
    if (why.empty()) {
        m_warnings.erase(row);
    } else {
        m_warnings[row] = why;
    }
    changed();
}

const std::string& PreviewRows::warning(int row) const {
    static const std::string none;
    check(row);
    const auto it = m_warnings.find(row);
    return it == m_warnings.end() ? none : it->second;
}

std::string PreviewRows::spoken(PreviewColumn column, int row) const {
    std::string text(name(column, row));
    if (column == PreviewColumn::NewName && !warning(row).empty()) {
        text += ", warning: " + warning(row);
    }
    return text;
}

void PreviewRows::watch(const void* owner, std::function<void()> changed) const {
    m_watchers.emplace_back(owner, std::move(changed));
}

void PreviewRows::unwatch(const void* owner) const {
    std::erase_if(m_watchers, [owner](const auto& watcher) { return watcher.first == owner; });
}

void PreviewRows::changed() const {
    for (const auto& watcher : m_watchers) {
        watcher.second();
    }
}

void PreviewListState::show(std::shared_ptr<const PreviewRows> rows, PreviewColumn column) {
    m_rows = std::move(rows);
    m_column = column;
    m_index = -1;
}

std::string PreviewListState::name(int row) const {
    if (!m_rows) {
        throw RunError(kInvalidProcedureCall);
    }
    return std::string(m_rows->name(m_column, row));
}

std::string PreviewListState::warning(int row) const {
    name(row);  // the same check
    return m_column == PreviewColumn::NewName ? m_rows->warning(row) : std::string();
}

bool PreviewListState::choose(int index) {
    if (index < -1 || index >= count()) {
        throw RunError(kInvalidProcedureCall);
    }
    const bool changed = index != this->index();
    m_index = index;
    return changed;
}

}  // namespace qm::platform
