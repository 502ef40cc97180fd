#include "frame/bApplication.h"

#include "frame/ErrorTail.h"
#include "frame/cRegistry.h"
#include "platform/Clock.h"
#include "platform/PathRules.h"
#include "platform/Views.h"

namespace qm {

bApplication::bApplication(platform::Services& services, AppState& state,
                           const AppIdentity& identity, bErrorHandler& errors, cRegistry& registry,
                           StartupHooks& hooks)
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
    m_hooks.ShowMainWindow();
    m_state.IsStarting = false;
}

std::int32_t bApplication::InitializeApplication() {
    try {
        // There is no current drive to change: a process has one current folder, and the
        // About box starts on the drive holding it.
        m_state.AppStartTime = m_services.clock.now();
        m_state.AppTitle = AppIdentity::Title();
        m_registry.SaveSetting("Application", "Path", m_identity.GetAppPath());
        m_state.MachineName = bOperatingSystem::MachineNameFrom(
            bOperatingSystem(m_services.facts, m_errors).ReadComputerName());
        m_hooks.GetPreferences();
        m_errors.OpenLogFile();
        return 0;
    } catch (const std::exception& e) {
        const RunError error = asRunError(e);
        std::string program = m_identity.ProgramFile();
        program = std::string(platform::lastComponent(program));
        program = program.substr(
            0, program.rfind('.') == std::string::npos ? program.size() : program.rfind('.'));
        m_errors.LogError(error.description(), error.number(), program,
                          "bApplication_InitializeApplication");
        return error.number();
    }
}

void bApplication::ExitApplication() {
    try {
        const std::string folder = m_hooks.MainWindowFolder();
        if (!folder.empty()) {
            m_registry.SaveSetting("StartUp", "Last Path", folder);
        }
    } catch (const std::exception&) {
    }
    try {
        m_hooks.UnloadAllWindows();
    } catch (const std::exception&) {
    }
    try {
        m_errors.CloseLogFile();
    } catch (const std::exception&) {
    }
    m_services.ui.quit();
}

}  // namespace qm
