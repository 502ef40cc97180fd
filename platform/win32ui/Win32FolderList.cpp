#include "platform/win32ui/Win32FolderList.h"

#include <shellapi.h>

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

HTREEITEM itemOf(const FolderNode& node) {
    return static_cast<HTREEITEM>(node.item);
}

// The node a tree-view notification is about: an item's parameter is the node it shows.
FolderNode& nodeOf(const NMTREEVIEWW& tree) {
    return *reinterpret_cast<FolderNode*>(tree.itemNew.lParam);
}

}  // namespace

Win32FolderList::Win32FolderList(const ControlDesign& design, Win32Window& window, HWND parent,
                                 const FileSystem& files, const DriveQuery& drives,
                                 const text::CaseMapper& mapper)
    : FolderListBase(files, drives, mapper),
      Win32ControlBase(design, window, parent, WC_TREEVIEWW,
                       WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                           TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS,
                       WS_EX_CLIENTEDGE) {
    if (const HIMAGELIST icons = folderIcons(m_closedIcon, m_openIcon)) {
        ::SendMessageW(m_handle, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(icons));
    }
}

void Win32FolderList::makeItem(FolderNode& node) {
    const std::wstring text = shown(node.name);
    TVINSERTSTRUCTW insert{};
    insert.hParent = node.parent == nullptr ? TVI_ROOT : itemOf(*node.parent);
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.lParam = reinterpret_cast<LPARAM>(&node);
    insert.item.cChildren = 1;  // until it is read
    insert.item.iImage = m_closedIcon;
    insert.item.iSelectedImage = m_openIcon;
    node.item = reinterpret_cast<HTREEITEM>(
        ::SendMessageW(m_handle, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void Win32FolderList::added(FolderNode& node) {
    const ProgramChange change(m_programChange);
    if (node.parent == nullptr) {
        TreeView_DeleteAllItems(m_handle);
    }
    makeItem(node);
}

void Win32FolderList::filled(FolderNode& node) {
    const ProgramChange change(m_programChange);
    const HTREEITEM item = itemOf(node);
    for (HTREEITEM child = TreeView_GetChild(m_handle, item); child != nullptr;) {
        const HTREEITEM next = TreeView_GetNextSibling(m_handle, child);
        TreeView_DeleteItem(m_handle, child);
        child = next;
    }
    for (const auto& child : node.children) {
        makeItem(*child);
    }
    TVITEMW data{};
    data.mask = TVIF_CHILDREN | TVIF_HANDLE;
    data.hItem = item;
    data.cChildren = node.children.empty() ? 0 : 1;
    ::SendMessageW(m_handle, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&data));
}

void Win32FolderList::expand(FolderNode& node) {
    const ProgramChange change(m_programChange);
    TreeView_Expand(m_handle, itemOf(node), TVE_EXPAND);
}

void Win32FolderList::select(FolderNode& node) {
    const ProgramChange change(m_programChange);
    const HTREEITEM item = itemOf(node);
    TreeView_SelectItem(m_handle, item);
    // As many of its subfolders in view as fit, the folder itself always.
    if (!node.children.empty()) {
        TreeView_EnsureVisible(m_handle, itemOf(*node.children.back()));
    }
    TreeView_EnsureVisible(m_handle, item);
}

LRESULT Win32FolderList::notify(NMHDR& header) {
    auto& tree = reinterpret_cast<NMTREEVIEWW&>(header);
    switch (header.code) {
        case TVN_ITEMEXPANDINGW:
            if ((tree.action & TVE_EXPAND) != 0) {
                m_model.open(nodeOf(tree));
            }
            return FALSE;
        case TVN_SELCHANGEDW: {
            if (m_programChange || tree.itemNew.hItem == nullptr) {
                return 0;
            }
            // An arrow moves to the folder as shown; a click opens it.
            FolderNode& node = nodeOf(tree);
            if (tree.action == TVC_BYKEYBOARD ? m_model.moveTo(node) : m_model.choose(node)) {
                raiseFromUser(onChange);
            }
            return 0;
        }
        default:
            return 0;
    }
}

}  // namespace qm::platform
