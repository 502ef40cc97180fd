// The folder list in memory over the real file layer: it reads the disk exactly as the window's
// tree would (the shared listSubfolders and folderToShow).
#pragma once

#include <string>
#include <vector>

#include "base/Text.h"
#include "platform/headless/HeadlessControls.h"
#include "services/FileSystem.h"

namespace qm::platform {

class HeadlessFolderList : public FolderList, public HeadlessControlBase {
  public:
    HeadlessFolderList(const ControlDesign& d, HeadlessWindow* w, const FileSystem& files,
                       const text::CaseMapper& mapper);
    std::string path() const override { return m_path; }
    void setPath(const std::string& path) override;
    void refresh() override;

    const std::vector<std::string>& subfolders() const { return m_subfolders; }
    // The user opens a subfolder of the current folder (or ".." for the parent); one the list
    // shows is opened as shown, even when it has gone from the disk since.
    void open(const std::string& name);

  private:
    const FileSystem& m_files;
    const text::CaseMapper& m_mapper;
    std::string m_path;
    std::vector<std::string> m_subfolders;
};

}  // namespace qm::platform
