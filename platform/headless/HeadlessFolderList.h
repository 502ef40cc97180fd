// The folder list in memory over the real file layer: the shared model reads the disk exactly as
// the window's tree does; the test sees the current folder's subfolders and opens them.
#pragma once

#include <string>
#include <vector>

#include "platform/headless/HeadlessControls.h"
#include "ui/FolderListModel.h"

namespace qm::platform {

class HeadlessFolderList : public FolderListBase, public HeadlessControlBase {
  public:
    HeadlessFolderList(const ControlDesign& d, HeadlessWindow* w, const FileSystem& files,
                       const DriveQuery& drives, const text::CaseMapper& mapper)
        : FolderListBase(files, drives, mapper), HeadlessControlBase(d, w) {}

    std::vector<std::string> subfolders() const;
    // The user opens a subfolder of the current folder (or ".." for the parent); one the list
    // shows is opened as shown, even when it has gone from the disk since.
    void open(const std::string& name);
};

}  // namespace qm::platform
