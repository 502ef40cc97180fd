#include "platform/headless/HeadlessFolderList.h"

#include <algorithm>

#include "base/PathRules.h"
#include "ui/FileListModel.h"

namespace qm::platform {

HeadlessFolderList::HeadlessFolderList(const ControlDesign& d, HeadlessWindow* w,
                                       const FileSystem& files, const text::CaseMapper& mapper)
    : HeadlessControlBase(d, w), m_files(files), m_mapper(mapper) {}

void HeadlessFolderList::setPath(const std::string& path) {
    const std::string folder = folderToShow(m_files, path);
    if (folder == m_path) {
        return;
    }
    m_subfolders = listSubfolders(m_files, folder, m_mapper);
    m_path = folder;
    raise(onChange);
}

void HeadlessFolderList::refresh() {
    m_subfolders = listSubfolders(m_files, folderToShow(m_files, m_path), m_mapper);
}

void HeadlessFolderList::open(const std::string& name) {
    if (name == "..") {
        setPath(parentPath(m_path));
        return;
    }
    const std::string path = joinPath(m_path, name);
    if (std::find(m_subfolders.begin(), m_subfolders.end(), name) == m_subfolders.end()) {
        setPath(path);
        return;
    }
    // Chosen from what the tree shows, as in the window's tree, without asking the disk again:
    // the folder may have gone since the tree was read.
    try {
        m_subfolders = listSubfolders(m_files, path, m_mapper);
    } catch (const std::exception&) {
        m_subfolders.clear();
    }
    m_path = path;
    raise(onChange);
}

}  // namespace qm::platform
