// A preview's rows: each selected file's old and new name in run order and, for a new name at
// which the run would stop, why. The preview's two lists are views over one of these, so a name
// is kept once however many lists show it; the names lie one after another in one buffer, so a
// million rows cost their bytes and 16 more each.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qm::platform {

enum class PreviewColumn { OldName, NewName };

class PreviewRows {
  public:
    void clear();
    void add(std::string_view oldName, std::string_view newName);
    int count() const { return static_cast<int>(m_ends.size() / 2); }
    // A row's name in `column`; a row outside 0 to count() - 1 is error 5.
    std::string_view name(PreviewColumn column, int row) const;
    // The row whose name in `column` has the most bytes, -1 when there is none: a list is made
    // wide enough for it.
    int longest(PreviewColumn column) const { return m_longest[index(column)]; }

    // Marks a row's new name with why the run would stop there; "" clears the mark.
    void setWarning(int row, const std::string& why);
    // The mark's reason, "" when the row is unmarked.
    const std::string& warning(int row) const;
    // What a screen reader is given for a row: its name, and for a marked new name its warning.
    std::string spoken(PreviewColumn column, int row) const;

    // Runs `changed` after every change (rows added or cleared, a mark set) until
    // unwatch(owner): a view catches up with the rows from there.
    void watch(const void* owner, std::function<void()> changed) const;
    void unwatch(const void* owner) const;

  private:
    static std::size_t index(PreviewColumn column) {
        return column == PreviewColumn::OldName ? 0 : 1;
    }
    void check(int row) const;
    void changed() const;

    std::string m_bytes;              // each row's old name, then its new name
    std::vector<std::size_t> m_ends;  // where each of those names ends in m_bytes
    std::map<int, std::string> m_warnings;
    int m_longest[2] = {-1, -1};
    mutable std::vector<std::pair<const void*, std::function<void()>>> m_watchers;
};

// What one preview list shows and which of its rows is chosen, kept alike by every back end.
class PreviewListState {
  public:
    void show(std::shared_ptr<const PreviewRows> rows, PreviewColumn column);
    const PreviewRows* rows() const { return m_rows.get(); }  // nullptr before show()
    PreviewColumn column() const { return m_column; }
    int count() const { return m_rows ? m_rows->count() : 0; }
    std::string name(int row) const;
    // The warning a row of this list shows: the old names show none.
    std::string warning(int row) const;
    // The chosen row, -1 for none (and once the rows were cleared from under it).
    int index() const { return m_index < count() ? m_index : -1; }
    // Chooses row `index`, -1 for none (error 5 outside the rows); returns whether it changed.
    bool choose(int index);

  private:
    std::shared_ptr<const PreviewRows> m_rows;
    PreviewColumn m_column = PreviewColumn::OldName;
    int m_index = -1;
};

}  // namespace qm::platform
