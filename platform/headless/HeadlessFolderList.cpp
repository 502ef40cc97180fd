#include "platform/headless/HeadlessFolderList.h"

#include "base/PathRules.h"

namespace qm::platform {

std::vector<std::string> HeadlessFolderList::subfolders() const {
    std::vector<std::string> names;
    if (const FolderNode* current = m_model.find(path())) {
        for (const auto& child : current->children) {
            names.push_back(child->name);
        }
    }
    return names;
}

void HeadlessFolderList::open(const std::string& name) {
    if (name == "..") {
        setPath(parentPath(path()));
        return;
    }
    // One the tree shows is chosen there, as in the window's tree, without asking the disk
    // again: the folder may have gone since the tree was read.
    const std::string folder = joinPath(path(), name);
    if (FolderNode* shown = m_model.find(folder)) {
        if (m_model.choose(*shown)) {
            raise(onChange);
        }
        return;
    }
    setPath(folder);
}

}  // namespace qm::platform
