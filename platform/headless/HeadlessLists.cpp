#include "platform/headless/HeadlessLists.h"

#include <algorithm>

#include "base/PathRules.h"
#include "base/RunError.h"

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

HeadlessFileList::HeadlessFileList(const ControlDesign& d, HeadlessWindow* w,
                                   const FileSystem& files, const text::CaseMapper& mapper)
    : HeadlessControlBase(d, w), m_model(files, mapper) {}

void HeadlessFileList::setPath(const std::string& path) {
    m_model.load(withoutTrailingSeparator(path));
}

void HeadlessFileList::refresh() {
    if (!m_model.folder().empty()) {
        m_model.load(m_model.folder());
    }
}

void HeadlessFileList::checkIndex(int index) const {
    if (index < 0 || index >= m_model.count()) {
        throw RunError(kInvalidProcedureCall);
    }
}

std::string HeadlessFileList::list(int index) const {
    checkIndex(index);
    return m_model.name(index);
}

bool HeadlessFileList::selected(int index) const {
    checkIndex(index);
    return m_model.selected(index);
}

void HeadlessFileList::setSelected(int index, bool selected) {
    checkIndex(index);
    m_model.setSelected(index, selected);
}

void HeadlessFileList::click(int index, bool ctrl, bool shift) {
    setFocus();
    m_model.click(index, ctrl, shift);
    raise(onClick);
}

void HeadlessFileList::doubleClick(int index) {
    click(index);
    raise(onDblClick);
}

void HeadlessFileList::clickNames(const std::vector<std::string>& names) {
    for (const auto& name : names) {
        for (int i = 0; i < m_model.count(); ++i) {
            if (m_model.name(i) == name) {
                click(i, true, false);
                break;
            }
        }
    }
}

}  // namespace qm::platform
