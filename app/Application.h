// The whole program over one set of platform services: the program-wide state, the modules and
// the windows, wired together. main() builds one over the real backends; a test builds one over
// the headless window layer in a temporary folder.
#pragma once

#include <memory>
#include <string>

#include "frame/AppIdentity.h"
#include "frame/AppState.h"
#include "frame/bApplication.h"
#include "frame/bDriveInfo.h"
#include "frame/bErrorHandler.h"
#include "frame/bForms.h"
#include "frame/bOperatingSystem.h"
#include "mainwindow/bQuillmote.h"
#include "mainwindow/frmQuillmote.h"
#include "sysinfo/frmAbout.h"
#include "ui/Services.h"

namespace qm {

class Application : public ProgramHooks {
  public:
    explicit Application(platform::Services& services);

    // Start-up: settings, log session, the About box, then the main window.
    void Main() { m_app.Main(); }

    void GetPreferences() override;
    void ShowAboutBox() override;
    void showMainWindow() override;
    std::string mainWindowFolder() override;
    void unloadAllWindows() override;
    void ExitApplication() override { m_app.ExitApplication(); }

    // The main window once loaded (it stays allocated after it is unloaded: a handler of it
    // may be what ends the program).
    frmQuillmote* mainWindow() { return m_main.get(); }
    frmAbout* aboutBox() { return m_about.get(); }
    AppState& state() { return m_state; }
    const AppIdentity& identity() const { return m_identity; }
    bErrorHandler& errors() { return m_errors; }
    bQuillmote& module() { return m_module; }
    bApplication& application() { return m_app; }
    // The system information of the About box on screen (nullptr while none is).
    const platform::SystemInformation* OperatingSystemInfo() const { return m_operatingSystemInfo; }

  private:
    frmQuillmote& loadMainWindow();

    platform::Services& m_services;
    AppState m_state;
    AppIdentity m_identity;
    bErrorHandler m_errors;
    bOperatingSystem m_os;
    bDriveInfo m_driveKinds;
    bForms m_forms;
    bQuillmote m_module;
    bApplication m_app;
    std::unique_ptr<frmQuillmote> m_main;
    std::unique_ptr<frmAbout> m_about;
    const platform::SystemInformation* m_operatingSystemInfo = nullptr;
};

}  // namespace qm
