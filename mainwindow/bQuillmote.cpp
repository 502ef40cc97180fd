#include "mainwindow/bQuillmote.h"

#include "base/RunError.h"
#include "base/Text.h"
#include "frame/ErrorTail.h"
#include "frame/NumberText.h"
#include "frame/bFileHandler.h"
#include "mainwindow/frmQuillmote.h"

namespace qm {

bQuillmote::bQuillmote(platform::RegistryStore& store, platform::FileSystem& files,
                       const AppState& state, const AppIdentity& identity, ErrorReporter& errors)
    : m_store(store), m_files(files), m_state(state), m_identity(identity), m_errors(errors) {}

std::string bQuillmote::GetCurrentFolder(const platform::FolderList* folderList) {
    if (CurrentFolder.empty() || folderList == nullptr) {
        CurrentFolder = Registry().GetSetting("StartUp", "Last Path", m_identity.GetAppPath());
    } else {
        CurrentFolder = folderList->path();
    }
    const std::string folder(text::trimSpaces(CurrentFolder));
    if (folder.empty() || !m_files.isFolder(folder)) {
        CurrentFolder = m_identity.GetAppPath();
    }
    return bFileHandler::QualifyPath(CurrentFolder);
}

cRegistry& bQuillmote::Registry() {
    if (!m_registry) {
        m_registry.emplace(m_store, m_state.AppTitle);
    }
    return *m_registry;
}

CasePreferences& bQuillmote::casePreferences() {
    if (!m_preferences) {
        m_preferences.emplace(Registry());
    }
    return *m_preferences;
}

void bQuillmote::GetPreferences(const std::function<frmQuillmote&()>& mainWindow) {
    try {
        const std::string folder = GetCurrentFolder(nullptr);
        try {
            FilterType =
                integerFromText(Registry().GetSetting("Preferences", "Default Filter Type", "0"));
        } catch (const RunError&) {
            // Only an edited setting is no number: like one out of range, it starts on the first
            // category, which the window's load writes back.
            FilterType = 0;
        }
        auto& c = mainWindow().controls();
        c.Drive1->setDrive(folder);
        c.Dir1->setPath(folder);
        const auto choose = [](std::vector<platform::OptionButton*>& group, std::int32_t index) {
            if (index < 0 || index >= static_cast<std::int32_t>(group.size())) {
                throw missingControlElement(index);
            }
            group[static_cast<std::size_t>(index)]->setValue(true);
        };
        choose(c.optFilenameCase, GetFilenameCase());
        choose(c.optFileExtensionCase, GetExtensionCase());
    } catch (const std::exception& e) {
        reportError(m_errors, e, "", "bQuillmote_GetPreferences");
    }
}

}  // namespace qm
