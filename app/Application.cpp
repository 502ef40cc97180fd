#include "app/Application.h"

#include "ui/Views.h"

namespace qm {

Application::Application(platform::Services& services)
    : m_services(services),
      m_state{AppIdentity::title()},
      m_identity(services.facts, services.files),
      m_errors(services, m_state, m_identity),
      m_os(services.facts, m_errors),
      m_driveKinds(services.drives, m_errors),
      m_forms(m_errors, services.ui.pointer(), services.ui.clipboard()),
      m_module(services.registry, services.files, m_state, m_identity, m_errors),
      m_app(services, m_state, m_identity, m_errors, m_module.Registry(), *this) {}

frmQuillmote& Application::loadMainWindow() {
    if (!m_main) {
        m_main = std::make_unique<frmQuillmote>(m_services, m_state, m_identity, m_errors, m_forms,
                                                m_module, *this);
    }
    return *m_main;
}

void Application::GetPreferences() {
    m_module.GetPreferences([this]() -> frmQuillmote& { return loadMainWindow(); });
}

void Application::ShowAboutBox() {
    const AboutSources sources{m_identity, m_services.files, m_services.format,
                               m_os,       m_driveKinds,     m_errors};
    m_about = std::make_unique<frmAbout>(m_services.ui.createAboutWindow(), m_services.drives,
                                         sources, m_forms);
    m_operatingSystemInfo = m_about->controls().SystemInfo;
    m_about->Form_Load();
    m_about->controls().window->showModal();
    m_operatingSystemInfo = nullptr;
    bApplication::UnloadForm(m_about);
}

void Application::showMainWindow() {
    frmQuillmote& main = loadMainWindow();
    main.controls().window->show();
}

std::string Application::mainWindowFolder() {
    if (!m_main || !m_main->controls().window->loaded()) {
        return {};
    }
    // A folder list that never opened a folder has none to remember ("/" would be wrong).
    const std::string folder = m_main->controls().Dir1->path();
    return folder.empty() ? std::string() : bFileHandler::qualifiedPath(folder);
}

void Application::unloadAllWindows() {
    bApplication::UnloadForm(m_about);
    if (m_main) {
        // The program is ending: a window that will not unload goes with the process.
        bestEffort([this] { m_main->controls().window->unload(); });
    }
}

}  // namespace qm
