#include "platform/win32ui/Win32FolderList.h"

#include <shellapi.h>

#include "base/PathRules.h"
#include "base/RunError.h"
#include "platform/win32ui/Win32Window.h"
#include "ui/FileListModel.h"

namespace qm::platform {

using win32ui::ProgramChange;
using win32ui::raiseFromUser;
using win32ui::shown;

namespace {

// The shell's small folder icons and the list they are in (the system's; never destroyed).
HIMAGELIST folderIcons(int& closed, int& open) {
    SHFILEINFOW info{};
    const auto list = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                         SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    closed = info.iIcon;
    ::SHGetFileInfoW(
        L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
        SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON);
    open = info.iIcon;
    return list;
}

}  // namespace

Win32FolderList::Win32FolderList(const ControlDesign& design, Win32Window& window, HWND parent,
                                 const FileSystem& files, const DriveQuery& drives,
                                 const text::CaseMapper& mapper)
    : Win32ControlBase(design, window, parent, WC_TREEVIEWW,
                       WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                           TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS,
                       WS_EX_CLIENTEDGE),
      m_files(files),
      m_drives(drives),
      m_mapper(mapper) {
    if (const HIMAGELIST icons = folderIcons(m_closedIcon, m_openIcon)) {
        ::SendMessageW(m_handle, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(icons));
    }
}

Win32FolderList::Node& Win32FolderList::nodeOf(HTREEITEM item) const {
    TVITEMW data{};
    data.mask = TVIF_PARAM | TVIF_HANDLE;
    data.hItem = item;
    ::SendMessageW(m_handle, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    return *m_nodes.at(static_cast<std::size_t>(data.lParam));
}

HTREEITEM Win32FolderList::makeItem(HTREEITEM parent, const std::string& path,
                                    const std::string& name) {
    m_nodes.push_back(std::make_unique<Node>(Node{path, name, false}));
    const std::wstring text = shown(name);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.lParam = static_cast<LPARAM>(m_nodes.size() - 1);
    insert.item.cChildren = 1;  // until it is read
    insert.item.iImage = m_closedIcon;
    insert.item.iSelectedImage = m_openIcon;
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageW(m_handle, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void Win32FolderList::fill(HTREEITEM item, const std::vector<std::string>& names) {
    for (HTREEITEM child = TreeView_GetChild(m_handle, item); child != nullptr;) {
        const HTREEITEM next = TreeView_GetNextSibling(m_handle, child);
        TreeView_DeleteItem(m_handle, child);
        child = next;
    }
    Node& node = nodeOf(item);
    const std::string folder = node.path;
    node.read = true;
    for (const std::string& name : names) {
        makeItem(item, joinPath(folder, name), name);
    }
    TVITEMW data{};
    data.mask = TVIF_CHILDREN | TVIF_HANDLE;
    data.hItem = item;
    data.cChildren = names.empty() ? 0 : 1;
    ::SendMessageW(m_handle, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&data));
}

void Win32FolderList::populate(HTREEITEM item) {
    if (nodeOf(item).read) {
        return;
    }
    std::vector<std::string> names;
    try {
        names = listSubfolders(m_files, nodeOf(item).path, m_mapper);
    } catch (const std::exception&) {
        // Unreadable (no permission, gone): shown without subfolders.
    }
    fill(item, names);
}

void Win32FolderList::clearTree() {
    TreeView_DeleteAllItems(m_handle);
    m_nodes.clear();
}

void Win32FolderList::show(const std::string& folder, const std::vector<std::string>& subfolders) {
    const ProgramChange change(m_programChange);
    std::string root = m_drives.mountPointOf(folder);
    if (root.empty() || folder.compare(0, withoutTrailingSeparator(root).size(),
                                       withoutTrailingSeparator(root)) != 0) {
        root = folder.substr(0, rootLength(folder));
    }
    root = withoutTrailingSeparator(root);
    HTREEITEM item = TreeView_GetRoot(m_handle);
    if (item == nullptr || nodeOf(item).path != root) {
        clearTree();
        item = makeItem(TVI_ROOT, root, root);
    }
    std::string current = root;
    std::size_t at = root.size();
    while (at < folder.size()) {
        if (folder[at] == kPathSeparator) {
            ++at;
            continue;
        }
        std::size_t end = folder.find(kPathSeparator, at);
        if (end == std::string::npos) {
            end = folder.size();
        }
        const std::string name = folder.substr(at, end - at);
        at = end;
        populate(item);
        TreeView_Expand(m_handle, item, TVE_EXPAND);
        HTREEITEM next = nullptr;
        for (HTREEITEM child = TreeView_GetChild(m_handle, item); child != nullptr && !next;
             child = TreeView_GetNextSibling(m_handle, child)) {
            if (nodeOf(child).name == name) {
                next = child;
            }
        }
        current = joinPath(current, name);
        if (next == nullptr) {
            // A folder the listing leaves out (a hidden one) still has its place on the way.
            next = makeItem(item, current, name);
        }
        item = next;
    }
    fill(item, subfolders);
    TreeView_Expand(m_handle, item, TVE_EXPAND);
    TreeView_SelectItem(m_handle, item);
    // As many of its subfolders in view as fit, the folder itself always.
    if (const HTREEITEM child = TreeView_GetChild(m_handle, item)) {
        HTREEITEM last = child;
        for (HTREEITEM next = child; next != nullptr;
             next = TreeView_GetNextSibling(m_handle, next)) {
            last = next;
        }
        TreeView_EnsureVisible(m_handle, last);
    }
    TreeView_EnsureVisible(m_handle, item);
}

HTREEITEM Win32FolderList::itemOf(const std::string& path) const {
    std::vector<HTREEITEM> pending;
    if (const HTREEITEM root = TreeView_GetRoot(m_handle)) {
        pending.push_back(root);
    }
    while (!pending.empty()) {
        const HTREEITEM item = pending.back();
        pending.pop_back();
        if (nodeOf(item).path == path) {
            return item;
        }
        for (HTREEITEM child = TreeView_GetChild(m_handle, item); child != nullptr;
             child = TreeView_GetNextSibling(m_handle, child)) {
            pending.push_back(child);
        }
    }
    return nullptr;
}

void Win32FolderList::setPath(const std::string& path) {
    const std::string folder = folderToShow(m_files, path);
    if (folder == m_path) {
        return;
    }
    show(folder, listSubfolders(m_files, folder, m_mapper));
    m_path = folder;
    raise(onChange);
}

void Win32FolderList::refresh() {
    const std::vector<std::string> subfolders =
        listSubfolders(m_files, folderToShow(m_files, m_path), m_mapper);
    {
        const ProgramChange change(m_programChange);
        clearTree();
    }
    show(m_path, subfolders);
}

void Win32FolderList::userChose(HTREEITEM item) {
    const std::string path = nodeOf(item).path;
    {
        const ProgramChange change(m_programChange);
        populate(item);
        TreeView_Expand(m_handle, item, TVE_EXPAND);
    }
    if (path != m_path) {
        m_path = path;
        raiseFromUser(onChange);
    }
}

LRESULT Win32FolderList::notify(NMHDR& header) {
    auto& tree = reinterpret_cast<NMTREEVIEWW&>(header);
    switch (header.code) {
        case TVN_ITEMEXPANDINGW:
            if ((tree.action & TVE_EXPAND) != 0) {
                const ProgramChange change(m_programChange);
                populate(tree.itemNew.hItem);
            }
            return FALSE;
        case TVN_SELCHANGEDW:
            if (!m_programChange && tree.itemNew.hItem != nullptr) {
                userChose(tree.itemNew.hItem);
            }
            return 0;
        default:
            return 0;
    }
}

}  // namespace qm::platform
