#include "frame/bApplication.h"

#include "base/PathRules.h"
#include "frame/ErrorTail.h"
#include "frame/bFileHandler.h"
#include "frame/cRegistry.h"
#include "services/Clock.h"
#include "ui/Ui.h"

namespace qm {

bApplication::bApplication(platform::Services& services, AppState& state,
                           const AppIdentity& identity, bErrorHandler& errors, cRegistry& registry,
                           ProgramHooks& hooks)
    : m_services(services),
      m_state(state),
      m_identity(identity),
      m_errors(errors),
      m_registry(registry),
      m_hooks(hooks) {}

void bApplication::Main() {
    m_state.IsStarting = true;
    InitializeApplication();
    m_hooks.ShowAboutBox();
    m_hooks.showMainWindow();
    m_state.IsStarting = false;
}

std::int32_t bApplication::InitializeApplication() {
    try {
        // There is no current drive to change: a process has one current folder, and the
        // About box starts on the drive holding it.
        m_state.AppStartTime = m_services.clock.now();
        m_state.AppTitle = AppIdentity::title();
        m_registry.SaveSetting("Application", "Path", m_identity.GetAppPath());
        m_state.MachineName = bOperatingSystem::machineNameFrom(
            bOperatingSystem(m_services.facts, m_errors).ReadComputerName());
        m_hooks.GetPreferences();
        m_errors.OpenLogFile();
        return 0;
    } catch (const std::exception& e) {
        const std::string program(platform::lastComponent(m_identity.programFile()));
        logError(m_errors, e, bFileHandler::StripExtension(program),
                 "bApplication_InitializeApplication");
        return asRunError(e).number();
    }
}

void bApplication::ExitApplication() {
    // The program ends whatever fails on the way: each step is attempted, none is reported (a
    // settings write is silent anyway, and the log routines report what they can).
    bestEffort([this] {
        const std::string folder = m_hooks.mainWindowFolder();
        if (!folder.empty()) {
            m_registry.SaveSetting("StartUp", "Last Path", folder);
        }
    });
    bestEffort([this] { m_hooks.unloadAllWindows(); });
    bestEffort([this] { m_errors.CloseLogFile(); });
    m_services.ui.quit();
}

}  // namespace qm
