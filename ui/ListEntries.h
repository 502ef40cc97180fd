// The entries of a list box or a combo box and the chosen one, kept alike by every back end: the
// control shows them, this says what an index means (one out of range is error 5).
#pragma once

#include <string>
#include <vector>

namespace qm::platform {

class ListEntries {
  public:
    void clear();
    void add(const std::string& item) { m_items.push_back(item); }
    int count() const { return static_cast<int>(m_items.size()); }
    // The entry at `index`, 0 to count() - 1.
    const std::string& at(int index) const;
    const std::vector<std::string>& items() const { return m_items; }

    // The chosen entry, -1 for none.
    int index() const { return m_index; }
    // Chooses entry `index`, -1 to count() - 1; returns whether the choice changed.
    bool choose(int index);
    // Chooses the entry that reads exactly `text`, or none.
    void chooseText(const std::string& text);

  private:
    std::vector<std::string> m_items;
    int m_index = -1;
};

}  // namespace qm::platform
