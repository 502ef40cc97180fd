// The current drive's folders as a tree view, read from disk a level at a time as it opens,
// with the shell's folder icons.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "platform/win32ui/Win32ControlBase.h"
#include "ui/FolderListModel.h"

namespace qm::platform {

class Win32FolderList : public FolderListBase, public Win32ControlBase {
  public:
    Win32FolderList(const ControlDesign& design, Win32Window& window, HWND parent,
                    const FileSystem& files, const DriveQuery& drives,
                    const text::CaseMapper& mapper);
    LRESULT notify(NMHDR& header) override;

  private:
    void added(FolderNode& node) override;
    void filled(FolderNode& node) override;
    void expand(FolderNode& node) override;
    void select(FolderNode& node) override;
    void makeItem(FolderNode& node);

    int m_closedIcon = 0;
    int m_openIcon = 0;
};

}  // namespace qm::platform
