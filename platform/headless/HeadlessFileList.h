// The file list in memory over the real file layer: it shows exactly what the window's list
// would (the shared FileListModel).
#pragma once

#include <string>
#include <vector>

#include "base/Text.h"
#include "platform/headless/HeadlessControls.h"
#include "services/FileSystem.h"
#include "ui/FileListModel.h"

namespace qm::platform {

class HeadlessFileList : public FileList, public HeadlessControlBase {
  public:
    HeadlessFileList(const ControlDesign& d, HeadlessWindow* w, const FileSystem& files,
                     const text::CaseMapper& mapper);
    std::string path() const override { return m_model.folder(); }
    void setPath(const std::string& path) override;
    std::string pattern() const override { return m_model.pattern(); }
    void setPattern(const std::string& pattern) override { m_model.setPattern(pattern); }
    void refresh() override;
    int listCount() const override { return m_model.count(); }
    std::string list(int index) const override;
    bool selected(int index) const override;
    void setSelected(int index, bool selected) override;
    void setAllSelected(bool selected) override { m_model.setAllSelected(selected); }

    // The user clicks entry `index` (with Ctrl and/or Shift held).
    void click(int index, bool ctrl = false, bool shift = false);
    void doubleClick(int index);
    // Selects the entries with these names as the user would with Ctrl+clicks.
    void clickNames(const std::vector<std::string>& names);
    const FileListModel& model() const override { return m_model; }

  private:
    void checkIndex(int index) const;

    FileListModel m_model;
};

}  // namespace qm::platform
