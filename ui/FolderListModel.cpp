#include "ui/FolderListModel.h"

#include <algorithm>
#include <utility>

#include "base/PathRules.h"
#include "base/RunError.h"
#include "ui/FileListModel.h"

namespace qm::platform {

namespace {

// The folder a folder list is asked to show: `path` without its trailing separator, checked to be
// a folder (kPathNotFound otherwise: an empty path, a file, a folder that has gone).
std::string folderToShow(const FileSystem& files, const std::string& path) {
    std::string folder = withoutTrailingSeparator(path);
    if (folder.empty() || !files.isFolder(folder)) {
        throw RunError(kPathNotFound);
    }
    return folder;
}

// The folder the tree starts from: the drive holding `folder`, or the root its path starts
// with when no drive does (the folder itself for a relative path).
std::string rootOf(const DriveQuery& drives, const std::string& folder) {
    const std::string drive = withoutTrailingSeparator(drives.mountPointOf(folder));
    if (!drive.empty() && folder.compare(0, drive.size(), drive) == 0) {
        return drive;
    }
    const std::size_t length = rootLength(folder);
    return length == 0 ? folder : withoutTrailingSeparator(folder.substr(0, length));
}

std::unique_ptr<FolderNode> makeNode(FolderNode* parent, const std::string& name) {
    const std::string path = parent == nullptr ? name : joinPath(parent->path, name);
    return std::make_unique<FolderNode>(FolderNode{path, name, parent, false, {}, nullptr});
}

FolderNode* findBelow(FolderNode& node, const std::string& path) {
    if (node.path == path) {
        return &node;
    }
    for (const auto& child : node.children) {
        if (FolderNode* found = findBelow(*child, path)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

FolderListModel::FolderListModel(const FileSystem& files, const DriveQuery& drives,
                                 const text::CaseMapper& mapper, FolderTreeView& view)
    : m_files(files), m_drives(drives), m_mapper(mapper), m_view(view) {}

bool FolderListModel::setPath(const std::string& path) {
    const std::string folder = folderToShow(m_files, path);
    if (folder == m_path) {
        return false;
    }
    show(folder, listSubfolders(m_files, folder, m_mapper), false);
    m_path = folder;
    return true;
}

void FolderListModel::refresh() {
    show(m_path, listSubfolders(m_files, folderToShow(m_files, m_path), m_mapper), true);
}

void FolderListModel::fill(FolderNode& node, const std::vector<std::string>& names) {
    std::vector<std::unique_ptr<FolderNode>> children;
    children.reserve(names.size());
    for (const std::string& name : names) {
        children.push_back(makeNode(&node, name));
    }
    // The old children outlive their items, which the view removes.
    const auto old = std::exchange(node.children, std::move(children));
    node.read = true;
    m_view.filled(node);
}

void FolderListModel::open(FolderNode& node) {
    if (node.read) {
        return;
    }
    std::vector<std::string> names;
    try {
        names = listSubfolders(m_files, node.path, m_mapper);
    } catch (const std::exception&) {
        // Unreadable (no permission, gone): shown without subfolders.
    }
    fill(node, names);
}

bool FolderListModel::choose(FolderNode& node) {
    open(node);
    m_view.expand(node);
    if (node.path == m_path) {
        return false;
    }
    m_path = node.path;
    return true;
}

bool FolderListModel::moveTo(const FolderNode& node) {
    if (node.path == m_path) {
        return false;
    }
    m_path = node.path;
    return true;
}

void FolderListModel::show(const std::string& folder, const std::vector<std::string>& subfolders,
                           bool rebuild) {
    const std::string root = rootOf(m_drives, folder);
    std::unique_ptr<FolderNode> old;
    if (rebuild || m_root == nullptr || m_root->path != root) {
        old = std::exchange(m_root, makeNode(nullptr, root));
        m_view.added(*m_root);
    }
    FolderNode* node = m_root.get();
    for (std::size_t at = root.size(); at < folder.size();) {
        if (folder[at] == kPathSeparator) {
            ++at;
            continue;
        }
        const std::size_t end = std::min(folder.find(kPathSeparator, at), folder.size());
        const std::string name = folder.substr(at, end - at);
        at = end;
        open(*node);
        m_view.expand(*node);
        const auto named = std::find_if(node->children.begin(), node->children.end(),
                                        [&](const auto& child) { return child->name == name; });
        if (named != node->children.end()) {
            node = named->get();
            continue;
        }
        // A folder the listing leaves out (a hidden one) still has its place on the way.
        node->children.push_back(makeNode(node, name));
        node = node->children.back().get();
        m_view.added(*node);
    }
    fill(*node, subfolders);
    m_view.expand(*node);
    m_view.select(*node);
}

FolderNode* FolderListModel::find(const std::string& path) const {
    return m_root == nullptr ? nullptr : findBelow(*m_root, path);
}

}  // namespace qm::platform
