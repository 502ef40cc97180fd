// The mounted drives in memory, from the real drive query.
#pragma once

#include <string>
#include <vector>

#include "platform/DriveResolution.h"
#include "platform/headless/HeadlessControls.h"

namespace qm::platform {

class HeadlessDriveList : public DriveList, public HeadlessControlBase {
  public:
    HeadlessDriveList(const ControlDesign& d, HeadlessWindow* w, const DriveQuery& drives);
    std::string drive() const override { return m_text; }
    std::string root() const override { return m_root; }
    void setDrive(const std::string& path) override;
    int listCount() const override { return static_cast<int>(m_list.size()); }
    std::string list(int index) const override;
    void refresh() override;

    // The user picks entry `index`.
    void choose(int index);

  private:
    const DriveQuery& m_query;
    std::vector<MountedDrive> m_list;
    std::string m_text;
    std::string m_root;
};

}  // namespace qm::platform
