// The main module's program-wide state (the preview flag, the filter category, the folder the
// program works in, the one settings object) and the preferences: loaded into the main window
// at start-up, each stored the moment the user changes it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "frame/AppIdentity.h"
#include "frame/AppState.h"
#include "frame/ErrorReporter.h"
#include "frame/cRegistry.h"
#include "mainwindow/CasePreferences.h"
#include "services/FileSystem.h"
#include "services/RegistryStore.h"
#include "ui/Controls.h"

namespace qm {

class frmQuillmote;

class bQuillmote {
  public:
    bQuillmote(platform::RegistryStore& store, platform::FileSystem& files, const AppState& state,
               const AppIdentity& identity, ErrorReporter& errors);

    // The settings object, made on first use under the key named after AppTitle.
    cRegistry& Registry();
    CasePreferences& casePreferences();

    std::int32_t GetFilenameCase() { return casePreferences().GetFilenameCase(); }
    std::int32_t GetExtensionCase() { return casePreferences().GetExtensionCase(); }
    void SaveFilenameCase(int index) { casePreferences().SaveFilenameCase(index); }
    void SaveExtensionCase(int index) { casePreferences().SaveExtensionCase(index); }

    // The folder the program works in, qualified: on the first call the remembered "Last Path",
    // afterwards the folder list's folder; the program's own folder when that folder is gone.
    std::string GetCurrentFolder(const platform::FolderList* folderList);

    // Puts the remembered folder, filter category and case choices into the main window, which
    // `mainWindow` loads on first use. A failure (a stored value that is no number, an option
    // that does not exist) shows the error dialog and skips the remaining steps.
    void GetPreferences(const std::function<frmQuillmote&()>& mainWindow);

    bool PreviewMode = false;
    std::int32_t FilterType = 0;
    std::string CurrentFolder;

  private:
    platform::RegistryStore& m_store;
    platform::FileSystem& m_files;
    const AppState& m_state;
    const AppIdentity& m_identity;
    ErrorReporter& m_errors;
    std::optional<cRegistry> m_registry;
    std::optional<CasePreferences> m_preferences;
};

}  // namespace qm
