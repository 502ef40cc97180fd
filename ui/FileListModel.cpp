#include "ui/FileListModel.h"

#include <algorithm>

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

// Key i of keys laid out as SortedNames keeps them.
std::string_view keyAt(const std::string& bytes, const std::vector<std::uint32_t>& ends,
                       std::size_t i) {
    const std::uint32_t begin = i == 0 ? 0 : ends[i - 1];
    return std::string_view(bytes).substr(begin, ends[i] - begin);
}

// The list's order: by key, names that differ only in case by their bytes.
int compareEntries(std::string_view keyA, const std::string& nameA, std::string_view keyB,
                   const std::string& nameB) {
    const int byKey = keyA.compare(keyB);
    return byKey != 0 ? byKey : nameA.compare(nameB);
}

// Sorts names by their lower-case keys; names that differ only in case by their bytes, so the
// order never depends on the order the folder gave them in. The names are put in order where
// they are, so a folder's names are held once while it is sorted.
SortedNames sortByKey(std::vector<std::string> names, const text::CaseMapper& mapper) {
    std::string bytes;
    std::size_t nameBytes = 0;
    for (const auto& name : names) {
        nameBytes += name.size();
    }
    bytes.reserve(nameBytes);  // a key is as long as its name unless it holds other letters
    std::vector<std::uint32_t> ends;
    ends.reserve(names.size());
    for (const auto& name : names) {
        bytes += loweredKey(name, mapper);
        ends.push_back(static_cast<std::uint32_t>(bytes.size()));
    }
    const auto key = [&](std::uint32_t i) { return keyAt(bytes, ends, i); };
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
        return compareEntries(key(a.index), names[a.index], key(b.index), names[b.index]) < 0;
    });
    SortedNames sorted;
    sorted.keyBytes.reserve(bytes.size());
    sorted.keyEnds.reserve(names.size());
    std::vector<std::uint32_t> from(names.size());
    for (std::uint32_t at = 0; at < order.size(); ++at) {
        const std::uint32_t i = order[at].index;
        from[at] = i;
        sorted.keyBytes += key(i);
        sorted.keyEnds.push_back(static_cast<std::uint32_t>(sorted.keyBytes.size()));
    }
    order = {};
    bytes = {};
    // Place at takes the name from from[at]: each cycle of that permutation is walked once.
    for (std::uint32_t start = 0; start < from.size(); ++start) {
        if (from[start] == start) {
            continue;
        }
        std::string held = std::move(names[start]);
        std::uint32_t at = start;
        while (from[at] != start) {
            const std::uint32_t next = from[at];
            names[at] = std::move(names[next]);
            from[at] = at;
            at = next;
        }
        names[at] = std::move(held);
        from[at] = at;
    }
    sorted.names = std::move(names);
    return sorted;
}

}  // namespace

FileListModel::FileListModel(const FileSystem& files, const text::CaseMapper& mapper)
    : m_files(files), m_mapper(mapper) {}

void FileListModel::load(const std::string& folder) {
    std::vector<std::string> names;
    {
        std::vector<FolderEntry> entries = m_files.listFolder(folder);
        std::size_t files = 0;
        for (const auto& entry : entries) {
            files += !entry.isFolder && !entry.hidden ? 1 : 0;
        }
        names.reserve(files);
        for (auto& entry : entries) {
            if (!entry.isFolder && !entry.hidden) {
                names.push_back(std::move(entry.name));
            }
        }
    }
    // Reading the same folder again keeps the selection of the names still there: both lists
    // are in the same order, so they are walked side by side. Another folder's list goes now,
    // before the new one is sorted, so the two are never held at once.
    FileListModel before(m_files, m_mapper);
    const bool reread = folder == m_folder && m_selectedCount > 0;
    swapEntries(before);
    if (!reread) {
        FileListModel gone(m_files, m_mapper);
        before.swapEntries(gone);
    }
    SortedNames sorted = sortByKey(std::move(names), m_mapper);
    m_folder = folder;
    m_names.swap(sorted.names);
    m_keyBytes.swap(sorted.keyBytes);
    m_keyEnds.swap(sorted.keyEnds);
    applyPattern();
    if (!reread) {
        return;
    }
    int at = 0;
    for (int old = 0; old < before.count() && at < count(); ++old) {
        if (!before.selected(old)) {
            continue;
        }
        int order = -1;
        while (at < count() &&
               (order = compareEntries(key(at), name(at), before.key(old), before.name(old))) < 0) {
            ++at;
        }
        if (order == 0) {
            setSelected(at++, true);
        }
    }
}

std::string_view FileListModel::key(int index) const {
    return keyAt(m_keyBytes, m_keyEnds, m_visible[static_cast<std::size_t>(index)]);
}

void FileListModel::swapEntries(FileListModel& other) {
    m_names.swap(other.m_names);
    m_keyBytes.swap(other.m_keyBytes);
    m_keyEnds.swap(other.m_keyEnds);
    m_visible.swap(other.m_visible);
    m_selected.swap(other.m_selected);
    std::swap(m_selectedCount, other.m_selectedCount);
}

std::vector<std::string_view> FileListModel::selectedNames() const {
    std::vector<std::string_view> names;
    names.reserve(static_cast<std::size_t>(m_selectedCount));
    for (int i = 0; i < count(); ++i) {
        if (selected(i)) {
            names.emplace_back(name(i));
        }
    }
    return names;
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
    for (auto& entry : files.listFolders(folder)) {
        if (!entry.hidden) {
            names.push_back(std::move(entry.name));
        }
    }
    return sortByKey(std::move(names), mapper).names;
}

}  // namespace qm::platform
