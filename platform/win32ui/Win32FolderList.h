// The current drive's folders as a tree view, read from disk a level at a time as it opens,
// with the shell's folder icons.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "base/Text.h"
#include "platform/win32ui/Win32ControlBase.h"
#include "services/DriveQuery.h"
#include "services/FileSystem.h"

namespace qm::platform {

class Win32FolderList : public FolderList, public Win32ControlBase {
  public:
    Win32FolderList(const ControlDesign& design, Win32Window& window, HWND parent,
                    const FileSystem& files, const DriveQuery& drives,
                    const text::CaseMapper& mapper);
    std::string path() const override { return m_path; }
    void setPath(const std::string& path) override;
    void refresh() override;
    LRESULT notify(NMHDR& header) override;

    // The item showing `path`, or nullptr while it is not in the tree.
    HTREEITEM itemOf(const std::string& path) const;

  private:
    struct Node {
        std::string path;
        std::string name;
        bool read = false;
    };
    Node& nodeOf(HTREEITEM item) const;
    HTREEITEM makeItem(HTREEITEM parent, const std::string& path, const std::string& name);
    // Reads an item's subfolders once; a folder that cannot be read shows none.
    void populate(HTREEITEM item);
    void fill(HTREEITEM item, const std::vector<std::string>& names);
    // Builds the tree down to `folder` (whose subfolders are `subfolders`) and selects it.
    void show(const std::string& folder, const std::vector<std::string>& subfolders);
    void clearTree();
    void userChose(HTREEITEM item);

    const FileSystem& m_files;
    const DriveQuery& m_drives;
    const text::CaseMapper& m_mapper;
    std::string m_path;
    std::vector<std::unique_ptr<Node>> m_nodes;  // an item's parameter is its node
    int m_closedIcon = 0;
    int m_openIcon = 0;
};

}  // namespace qm::platform
