// What start-up, shutdown and the main window's commands ask of the program as a whole: its
// windows, which live above this layer, and its orderly end.
#pragma once

#include <string>

namespace qm {

class ProgramHooks {
  public:
    virtual ~ProgramHooks() = default;
    // Loads the main window and puts the remembered settings into it.
    virtual void GetPreferences() = 0;
    virtual void ShowAboutBox() = 0;
    virtual void showMainWindow() = 0;
    // The main window's folder on screen, qualified ("" when there is no main window).
    virtual std::string mainWindowFolder() = 0;
    virtual void unloadAllWindows() = 0;
    virtual void ExitApplication() = 0;
};

}  // namespace qm
