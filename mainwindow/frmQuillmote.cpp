#include "mainwindow/frmQuillmote.h"

#include "base/RunError.h"
#include "frame/ErrorTail.h"
#include "services/Clock.h"
#include "services/LocaleFormat.h"

namespace qm {

namespace {

struct FilterRow {
    const char* category;
    std::vector<const char*> entries;  // without the final "*.*"
    const char* pattern;
};

const std::vector<FilterRow>& filterTable() {
    static const std::vector<FilterRow> rows = {
        {"All Filters",
         {"*.mp3", "*.wav", "*.wma", "*.avi", "*.mov", "*.mpg", "*.mpeg", "*.wmv", "*.bmp", "*.cur",
          "*.gif", "*.ico", "*.jpg", "*.jpeg", "*.doc", "*.rtf", "*.txt"},
         "*.*"},
        {"Audio Filters", {"*.mp3", "*.wav", "*.wma", "*.mp3;*.wav;*.wma"}, "*.mp3;*.wav;*.wma"},
        {"Image Filters",
         {"*.bmp", "*.cur", "*.gif", "*.ico", "*.jpg", "*.jpeg",
          "*.bmp;*.cur;*.gif;*.ico;*.jpg;*.jpeg;*.wmf"},
         "*.bmp;*.cur;*.gif;*.ico;*.jpg;*.jpeg;*.wmf"},
        {"Video Filters",
         {"*.avi", "*.mov", "*.mpg", "*.mpeg", "*.wmv", "*.avi;*.mov;*.mpg;*.mpeg;*.wmv"},
         "*.avi;*.mov;*.mpg;*.mpeg;*.wmv"},
        {"Document Filters", {"*.doc", "*.rtf", "*.txt", "*.doc;*.rtf;*.txt"}, "*.doc;*.rtf;*.txt"},
    };
    return rows;
}

}  // namespace

frmQuillmote::frmQuillmote(platform::Services& services, AppState& state,
                           const AppIdentity& identity, bErrorHandler& errors, bForms& forms,
                           bQuillmote& module, ProgramHooks& program)
    : m_services(services),
      m_state(state),
      m_identity(identity),
      m_errors(errors),
      m_forms(forms),
      m_module(module),
      m_program(program),
      m_fileHandler(services.files, services.trash, errors),
      m_view(services.ui.createMainWindow()),
      m_names(module.casePreferences(), services.caseMapper),
      m_renameLog(errors.logFile(), services.clock, services.format, errors),
      m_run(services.files, m_names, m_renameLog) {
    connect();
    Form_Load();
}

void frmQuillmote::connect() {
    auto& c = controls();
    c.Drive1->onChange = [this] { Drive1_Change(); };
    c.Dir1->onChange = [this] { Dir1_Change(); };
    c.File1->onClick = [this] { File1_Click(); };
    c.File1->onDblClick = [this] { File1_DblClick(); };
    c.cmbFilterType->onClick = [this] { cmbFilterType_Click(); };
    c.cmbFileFilter->onClick = [this] { cmbFileFilter_Click(); };
    c.cmbFileFilter->onChange = [this] { cmbFileFilter_Change(); };
    c.cmdSelectAll->onClick = [this] { cmdSelectAll_Click(); };
    c.cmdDeselectAll->onClick = [this] { cmdDeselectAll_Click(); };
    c.cmdPreview->onClick = [this] { cmdPreview_Click(); };
    c.cmdRename->onClick = [this] { cmdRename_Click(); };
    c.cmdExit->onClick = [this] { cmdExit_Click(); };
    for (std::size_t i = 0; i < c.optFilenameCase.size(); ++i) {
        c.optFilenameCase[i]->onClick = [this, i] { optFilenameCase_Click(static_cast<int>(i)); };
    }
    for (std::size_t i = 0; i < c.optFileExtensionCase.size(); ++i) {
        c.optFileExtensionCase[i]->onClick = [this, i] {
            optFileExtensionCase_Click(static_cast<int>(i));
        };
    }
    c.window->onQueryUnload = [this](platform::CloseReason reason, bool& cancel) {
        Form_QueryUnload(reason, cancel);
    };
    c.window->onKeyPress = [this](int& keyAscii) { Form_KeyPress(keyAscii); };
    c.mnuFileExit->onClick = [this] { mnuFileExit_Click(); };
    c.mnuEdit->onClick = [this] { mnuEdit_Click(); };
    c.mnuEditCut->onClick = [this] { mnuEditCut_Click(); };
    c.mnuEditCopy->onClick = [this] { mnuEditCopy_Click(); };
    c.mnuEditPaste->onClick = [this] { mnuEditPaste_Click(); };
    c.mnuEditSelectAll->onClick = [this] { mnuEditSelectAll_Click(); };
    c.mnuEditDeselectAll->onClick = [this] { mnuEditDeselectAll_Click(); };
    c.mnuViewOpenCurrentFolder->onClick = [this] { mnuViewOpenCurrentFolder_Click(); };
    c.mnuViewPreview->onClick = [this] { mnuViewPreview_Click(); };
    c.mnuViewRefresh->onClick = [this] { mnuViewRefresh_Click(); };
    c.mnuViewLogFile->onClick = [this] { mnuViewLogFile_Click(); };
    c.mnuHelpAbout->onClick = [this] { mnuHelpAbout_Click(); };
    c.mnuHelpHowToUse->onClick = [this] { mnuHelpHowToUse_Click(); };
}

bool frmQuillmote::attempt(const char* handler, const std::string& fileObject,
                           const std::function<void()>& step) {
    return runWithRetry(
               m_errors, std::string("frmQuillmote_") + handler, [&] { return fileObject; },
               step) == StepOutcome::Done;
}

void frmQuillmote::Form_Load() {
    attempt("Form_Load", "", [this] { LoadFilterTypes(); });
}

void frmQuillmote::LoadFilterTypes() {
    auto& box = *controls().cmbFilterType;
    box.clear();
    for (const auto& row : filterTable()) {
        box.addItem(row.category);
    }
    // A stored category that names no entry (only an edited setting can) starts on the first.
    const auto count = static_cast<std::int32_t>(filterTable().size());
    if (m_module.FilterType < 0 || m_module.FilterType >= count) {
        m_module.FilterType = 0;
    }
    box.setListIndex(m_module.FilterType);
}

void frmQuillmote::cmbFilterType_Click() {
    m_module.FilterType = controls().cmbFilterType->listIndex();
    m_module.Registry().SaveSetting("Preferences", "Default Filter Type",
                                    std::to_string(m_module.FilterType));
    FillFileFilters();
}

void frmQuillmote::FillFileFilters() {
    auto& box = *controls().cmbFileFilter;
    box.clear();
    const auto& rows = filterTable();
    if (m_module.FilterType >= 0 && m_module.FilterType < static_cast<std::int32_t>(rows.size())) {
        const FilterRow& row = rows[static_cast<std::size_t>(m_module.FilterType)];
        for (const char* entry : row.entries) {
            box.addItem(entry);
        }
        box.setText(row.pattern);
    }
    box.addItem("*.*");
    controls().File1->setPattern(box.text());
    ShowSelectionCount();
}

void frmQuillmote::cmbFileFilter_Click() {
    auto& box = *controls().cmbFileFilter;
    if (box.listIndex() >= 0) {
        controls().File1->setPattern(box.list(box.listIndex()));
        ShowSelectionCount();
    }
}

void frmQuillmote::cmbFileFilter_Change() {
    controls().File1->setPattern(controls().cmbFileFilter->text());
    ShowSelectionCount();
}

void frmQuillmote::Drive1_Change() {
    if (m_state.IsStarting || m_restoringDrive) {
        return;
    }
    auto& c = controls();
    const std::string root = c.Drive1->root();
    // Each drive reopens on the folder last shown on it, while that folder still exists.
    const auto remembered = m_folderOnDrive.find(root);
    const std::string target =
        remembered != m_folderOnDrive.end() && m_services.files.isFolder(remembered->second)
            ? remembered->second
            : root;
    if (!attempt("Drive1_Change", c.Drive1->drive(), [&] { c.Dir1->setPath(target); })) {
        m_restoringDrive = true;
        // Back to the drive of the folder on screen; the failure was just reported.
        bestEffort([&] { c.Drive1->setDrive(c.Dir1->path()); });
        m_restoringDrive = false;
    }
}

void frmQuillmote::Dir1_Change() {
    auto& c = controls();
    const std::string folder = c.Dir1->path();
    if (!attempt("Dir1_Change", folder, [&] { c.File1->setPath(folder); })) {
        if (!m_restoringFolder) {
            backToListedFolder();
        }
        return;
    }
    c.StatusBar1->setPanelText(1, bFileHandler::qualifiedPath(folder));
    m_folderOnDrive[c.Drive1->root()] = folder;
    ShowSelectionCount();
}

void frmQuillmote::backToListedFolder() {
    auto& c = controls();
    const std::string listed = c.File1->path();
    if (listed.empty()) {
        return;  // nothing listed yet: there is no folder to go back to
    }
    // The tree, the drive list, panel 1 and the folder a run or an exit takes must name the
    // folder whose files are listed, or its nearest parent when that one has gone too. Each step
    // on its own: the failure that brought us here has been reported, and opening the folder
    // reports its own.
    m_restoringFolder = true;
    bestEffort([&] { c.Dir1->setPath(nearestExistingFolder(listed)); });
    bestEffort([&] { c.Dir1->refresh(); });
    m_restoringDrive = true;
    bestEffort([&] { c.Drive1->setDrive(c.Dir1->path()); });
    m_restoringDrive = false;
    m_restoringFolder = false;
}

void frmQuillmote::File1_Click() {
    ShowSelectionCount();
}

void frmQuillmote::File1_DblClick() {
    mnuViewOpenCurrentFolder_Click();
}

void frmQuillmote::ShowSelectionCount() {
    const platform::FileList& list = *controls().File1;
    std::int32_t count = 0;
    const int entries = list.listCount();
    for (int i = 0; i < entries; ++i) {
        count += list.selected(i) ? 1 : 0;
    }
    std::string text;
    if (count == 0) {
        text = "No files selected";
    } else if (count == 1) {
        text = "1 file selected";
    } else {
        text = std::to_string(count) + " files selected";
    }
    controls().StatusBar1->setPanelText(2, text);
}

void frmQuillmote::cmdSelectAll_Click() {
    if (controls().File1->listCount() > 0) {
        controls().File1->setAllSelected(true);
    }
    ShowSelectionCount();
}

void frmQuillmote::cmdDeselectAll_Click() {
    if (controls().File1->listCount() > 0) {
        controls().File1->setAllSelected(false);
    }
    ShowSelectionCount();
}

void frmQuillmote::cmdExit_Click() {
    m_program.ExitApplication();
}

void frmQuillmote::optFilenameCase_Click(int index) {
    m_module.SaveFilenameCase(index);
}

void frmQuillmote::optFileExtensionCase_Click(int index) {
    m_module.SaveExtensionCase(index);
}

void frmQuillmote::Form_QueryUnload(platform::CloseReason reason, bool& cancel) {
    cancel = false;
    if (reason == platform::CloseReason::ControlMenu) {
        m_program.ExitApplication();
    } else if (reason == platform::CloseReason::SessionEnding ||
               reason == platform::CloseReason::TaskManager) {
        // The system ends the program: without the log's end line or the last folder, but it
        // must end, not linger without a window.
        m_services.ui.quit();
    }
}

void frmQuillmote::Form_KeyPress(int& keyAscii) {
    if (keyAscii == 13) {
        cmdPreview_Click();
    }
}

std::string frmQuillmote::GetCurrentFolder() {
    return m_module.GetCurrentFolder(controls().Dir1);
}

}  // namespace qm
