// What a file list shows: the files (not folders, not hidden dot files) of one folder that
// match a pattern, sorted case-insensitively, each with its selected flag. Shared by every back
// end so that tests see exactly what the window shows. A folder is read once per load or
// refresh; a new pattern filters the names already read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Text.h"
#include "services/FileSystem.h"

namespace qm::platform {

class FileListModel {
  public:
    FileListModel(const FileSystem& files, const text::CaseMapper& mapper);

    // Reads `folder`; on failure throws RunError and keeps what was shown before. Reading the
    // folder already shown keeps the selection of the names that are still there.
    void load(const std::string& folder);
    void setPattern(const std::string& pattern);
    const std::string& folder() const { return m_folder; }
    const std::string& pattern() const { return m_pattern; }

    int count() const { return static_cast<int>(m_visible.size()); }
    const std::string& name(int index) const {
        return m_names[m_visible[static_cast<std::size_t>(index)]];
    }
    bool selected(int index) const { return m_selected[static_cast<std::size_t>(index)] != 0; }
    void setSelected(int index, bool selected);
    void setAllSelected(bool selected);
    // Selects [first, last] (inclusive) and, unless `keepOthers`, clears the rest.
    void selectRange(int first, int last, bool keepOthers);
    int selectedCount() const { return m_selectedCount; }
    // The selected names in list order, as views of the names held here: they stay valid until
    // the next load, pattern or destruction.
    std::vector<std::string_view> selectedNames() const;

    // A click with the list-box meaning of extended selection: a plain click selects only that
    // entry; Ctrl toggles it; Shift selects the range from the anchor and clears the rest;
    // Ctrl+Shift adds the range. Plain and Ctrl clicks move the anchor.
    void click(int index, bool ctrl, bool shift);

  private:
    void applyPattern();
    std::string_view key(int index) const;  // the loweredKey of visible entry `index`
    void swapEntries(FileListModel& other);

    const FileSystem& m_files;
    const text::CaseMapper& m_mapper;
    std::string m_folder;
    std::string m_pattern = "*.*";
    std::vector<std::string> m_names;      // every file of the folder, sorted
    std::string m_keyBytes;                // their loweredKeys, one after the other
    std::vector<std::uint32_t> m_keyEnds;  // where each key ends in m_keyBytes
    std::vector<std::uint32_t> m_visible;  // indexes into m_names that match the pattern
    std::vector<char> m_selected;          // per visible entry
    int m_selectedCount = 0;
    int m_anchor = 0;
};

// The subfolders of `folder` (hidden ones left out), sorted case-insensitively.
std::vector<std::string> listSubfolders(const FileSystem& files, const std::string& folder,
                                        const text::CaseMapper& mapper);

}  // namespace qm::platform
