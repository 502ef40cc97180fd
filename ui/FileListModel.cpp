#include "ui/FileListModel.h"

#include <algorithm>
#include <unordered_set>

#include "base/Wildcard.h"

namespace qm::platform {

namespace {

// Names with their lower-case keys, the keys side by side in one buffer: sorting compares keys
// over and over, and keys next to each other in memory compare several times faster.
struct SortedNames {
    std::vector<std::string> names;
    std::string keyBytes;
    std::vector<std::uint32_t> keyEnds;  // key i is keyBytes[keyEnds[i-1], keyEnds[i])
};

// Sorts names by their lower-case keys; names that differ only in case by their bytes, so the
// order never depends on the order the folder gave them in.
SortedNames sortByKey(std::vector<std::string> names, const text::CaseMapper& mapper) {
    std::string bytes;
    std::vector<std::uint32_t> ends;
    ends.reserve(names.size());
    for (const auto& name : names) {
        bytes += loweredKey(name, mapper);
        ends.push_back(static_cast<std::uint32_t>(bytes.size()));
    }
    const auto key = [&](std::uint32_t i) {
        const std::uint32_t begin = i == 0 ? 0 : ends[i - 1];
        return std::string_view(bytes).substr(begin, ends[i] - begin);
    };
    // Names in a folder tend to share a long beginning ("IMG_1000"), so most comparisons are
    // settled by the eight key bytes after the part every key shares, read as one number.
    std::size_t shared = names.empty() ? 0 : key(0).size();
    for (std::uint32_t i = 1; i < names.size() && shared > 0; ++i) {
        const std::string_view a = key(0);
        const std::string_view b = key(i);
        std::size_t n = 0;
        while (n < shared && n < b.size() && a[n] == b[n]) {
            ++n;
        }
        shared = n;
    }
    struct Entry {
        std::uint64_t head;
        std::uint32_t index;
    };
    std::vector<Entry> order(names.size());
    for (std::uint32_t i = 0; i < names.size(); ++i) {
        const std::string_view k = key(i);
        std::uint64_t head = 0;
        for (std::size_t b = 0; b < 8; ++b) {
            const std::size_t at = shared + b;
            head = (head << 8) | (at < k.size() ? static_cast<unsigned char>(k[at]) : 0u);
        }
        order[i] = Entry{head, i};
    }
    std::sort(order.begin(), order.end(), [&](const Entry& a, const Entry& b) {
        if (a.head != b.head) {
            return a.head < b.head;
        }
        const int byKey = key(a.index).compare(key(b.index));
        return byKey != 0 ? byKey < 0 : names[a.index] < names[b.index];
    });
    SortedNames sorted;
    sorted.names.reserve(names.size());
    sorted.keyBytes.reserve(bytes.size());
    sorted.keyEnds.reserve(names.size());
    for (const Entry& entry : order) {
        const std::uint32_t i = entry.index;
        sorted.names.push_back(std::move(names[i]));
        sorted.keyBytes += key(i);
        sorted.keyEnds.push_back(static_cast<std::uint32_t>(sorted.keyBytes.size()));
    }
    return sorted;
}

}  // namespace

FileListModel::FileListModel(const FileSystem& files, const text::CaseMapper& mapper)
    : m_files(files), m_mapper(mapper) {}

void FileListModel::load(const std::string& folder) {
    std::vector<FolderEntry> entries = m_files.listFolder(folder);
    // Reading the same folder again keeps the selection of the names still there. The views
    // point into the old names, which live until the end of this call.
    std::vector<std::string> oldNames;
    std::unordered_set<std::string_view> keep;
    if (folder == m_folder && m_selectedCount > 0) {
        keep.reserve(static_cast<std::size_t>(m_selectedCount));
        for (int i = 0; i < count(); ++i) {
            if (selected(i)) {
                keep.insert(name(i));
            }
        }
    }
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (auto& entry : entries) {
        if (!entry.isFolder && !entry.hidden) {
            names.push_back(std::move(entry.name));
        }
    }
    SortedNames sorted = sortByKey(std::move(names), m_mapper);
    m_folder = folder;
    oldNames.swap(m_names);
    m_names.swap(sorted.names);
    m_keyBytes.swap(sorted.keyBytes);
    m_keyEnds.swap(sorted.keyEnds);
    applyPattern();
    if (!keep.empty()) {
        for (int i = 0; i < count(); ++i) {
            if (keep.count(name(i)) != 0) {
                setSelected(i, true);
            }
        }
    }
}

void FileListModel::setPattern(const std::string& pattern) {
    m_pattern = pattern;
    applyPattern();
}

void FileListModel::applyPattern() {
    const PatternSet patterns(m_pattern, m_mapper);
    m_visible.clear();
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        const std::uint32_t begin = i == 0 ? 0 : m_keyEnds[i - 1];
        if (patterns.matches(std::string_view(m_keyBytes).substr(begin, m_keyEnds[i] - begin))) {
            m_visible.push_back(static_cast<std::uint32_t>(i));
        }
    }
    m_selected.assign(m_visible.size(), 0);
    m_selectedCount = 0;
    m_anchor = 0;
}

void FileListModel::setSelected(int index, bool selected) {
    char& flag = m_selected[static_cast<std::size_t>(index)];
    if ((flag != 0) != selected) {
        flag = selected ? 1 : 0;
        m_selectedCount += selected ? 1 : -1;
    }
}

void FileListModel::setAllSelected(bool selected) {
    std::fill(m_selected.begin(), m_selected.end(), selected ? 1 : 0);
    m_selectedCount = selected ? count() : 0;
}

void FileListModel::selectRange(int first, int last, bool keepOthers) {
    if (first > last) {
        std::swap(first, last);
    }
    if (!keepOthers) {
        setAllSelected(false);
    }
    for (int i = std::max(first, 0); i <= last && i < count(); ++i) {
        setSelected(i, true);
    }
}

void FileListModel::click(int index, bool ctrl, bool shift) {
    if (index < 0 || index >= count()) {
        return;
    }
    if (shift) {
        selectRange(std::min(m_anchor, count() - 1), index, ctrl);
        return;
    }
    if (ctrl) {
        setSelected(index, !selected(index));
    } else {
        setAllSelected(false);
        setSelected(index, true);
    }
    m_anchor = index;
}

std::vector<std::string> listSubfolders(const FileSystem& files, const std::string& folder,
                                        const text::CaseMapper& mapper) {
    std::vector<std::string> names;
    for (auto& entry : files.listFolder(folder)) {
        if (entry.isFolder && !entry.hidden) {
            names.push_back(std::move(entry.name));
        }
    }
    return sortByKey(std::move(names), mapper).names;
}

}  // namespace qm::platform
