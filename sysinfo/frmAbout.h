// The About box's logic: the program, the system and one chosen drive. It owns the drive
// information object for as long as it is loaded.
#pragma once

#include <memory>

#include "frame/bForms.h"
#include "services/DriveQuery.h"
#include "sysinfo/AboutInfo.h"
#include "sysinfo/CDriveInfo.h"
#include "ui/Views.h"

namespace qm {

class frmAbout {
  public:
    frmAbout(std::unique_ptr<platform::AboutView> view, platform::DriveQuery& drives,
             const AboutSources& sources, bForms& forms);

    void Form_Load();
    void lstDrive_Change();
    void cmdContinue_Click();
    void UpdateAboutInfo();
    void PaintBackground();

    platform::AboutControls& controls() { return m_view->controls(); }
    CDriveInfo* driveInfo() { return m_drive.get(); }

  private:
    std::unique_ptr<platform::AboutView> m_view;
    platform::DriveQuery& m_drives;
    AboutSources m_sources;
    bForms& m_forms;
    std::unique_ptr<CDriveInfo> m_drive;
};

}  // namespace qm
