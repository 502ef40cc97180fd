// Start-up and shutdown: Main prepares the program-wide values, the settings and the log
// session, greets with the About box and shows the main window; ExitApplication saves the
// folder on screen, unloads every window, closes the log session and ends the program. The
// windows themselves live above this layer and are reached through ProgramHooks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "frame/AppIdentity.h"
#include "frame/AppState.h"
#include "frame/ErrorTail.h"
#include "frame/ProgramHooks.h"
#include "frame/bErrorHandler.h"
#include "frame/bOperatingSystem.h"
#include "ui/Services.h"

namespace qm {

class cRegistry;

class bApplication {
  public:
    bApplication(platform::Services& services, AppState& state, const AppIdentity& identity,
                 bErrorHandler& errors, cRegistry& registry, ProgramHooks& hooks);

    void Main();
    // 0 when every step succeeded, else the number of the error that stopped it (logged).
    std::int32_t InitializeApplication();
    // Every step is attempted even when one fails; the program ends in any case.
    void ExitApplication();

    // Unloads a window and drops the caller's reference to it; failures are ignored.
    template <typename Form>
    static void UnloadForm(std::unique_ptr<Form>& form) {
        if (!form) {
            return;
        }
        // A window that will not unload is released all the same: there is nobody to tell.
        bestEffort([&form] { form->controls().window->unload(); });
        form.reset();
    }

  private:
    platform::Services& m_services;
    AppState& m_state;
    const AppIdentity& m_identity;
    bErrorHandler& m_errors;
    cRegistry& m_registry;
    ProgramHooks& m_hooks;
};

}  // namespace qm
