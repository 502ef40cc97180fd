// The main window's logic: a file browser (drive, folder, files) with a two-level type filter,
// the selection count, the inputs of a rename with their checks, the Rename and Preview
// commands over the engine's run, its menus and its keyboard.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "engine/NameComputation.h"
#include "engine/RenameLog.h"
#include "engine/RenameRun.h"
#include "frame/AppIdentity.h"
#include "frame/AppState.h"
#include "frame/ProgramHooks.h"
#include "frame/bErrorHandler.h"
#include "frame/bFileHandler.h"
#include "frame/bForms.h"
#include "mainwindow/bQuillmote.h"
#include "mainwindow/frmPreview.h"
#include "ui/Services.h"
#include "ui/Views.h"

namespace qm {

class frmQuillmote {
  public:
    // Creates the window's controls and runs Form_Load.
    frmQuillmote(platform::Services& services, AppState& state, const AppIdentity& identity,
                 bErrorHandler& errors, bForms& forms, bQuillmote& module, ProgramHooks& program);

    platform::MainControls& controls() { return m_view->controls(); }
    // The preview window while a preview is filled or shown, else nullptr.
    frmPreview* previewWindow() const { return m_preview.get(); }

    // Browsing and filters.
    void Form_Load();
    void LoadFilterTypes();
    void FillFileFilters();
    void cmbFilterType_Click();
    void cmbFileFilter_Click();
    void cmbFileFilter_Change();
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void File1_DblClick();
    void ShowSelectionCount();
    void cmdSelectAll_Click();
    void cmdDeselectAll_Click();
    void cmdPreview_Click();
    void cmdRename_Click();
    void cmdExit_Click();
    void optFilenameCase_Click(int index);
    void optFileExtensionCase_Click(int index);
    void Form_QueryUnload(platform::CloseReason reason, bool& cancel);
    void Form_KeyPress(int& keyAscii);
    std::string GetCurrentFolder();

    // The input of a run, checked in its fixed order; each returns the error number (0 when the
    // input passes) and ValidateInput moves the focus to what needs correcting.
    std::int32_t ValidateInput();
    std::int32_t BuildSelectedFileList();
    std::int32_t CheckIllegalCharacters();
    std::int32_t CheckListCounts();
    // Refuses a pair whose texts are equal ignoring case. Not part of ValidateInput: a pair that
    // only changes the letter case of what it finds must stay possible.
    std::int32_t CheckIdenticalText();

    // Views of the file list's names for the run under way (the list is read again only once
    // it has ended); empty between runs.
    std::vector<std::string_view> SelectedFiles;
    std::vector<std::string> SearchStrings;
    std::vector<std::string> ReplacementStrings;
    bool RenameAborted = false;

    // Menus.
    void mnuFileExit_Click();
    void mnuEdit_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuEditSelectAll_Click() { cmdSelectAll_Click(); }
    void mnuEditDeselectAll_Click() { cmdDeselectAll_Click(); }
    void mnuViewOpenCurrentFolder_Click();
    void mnuViewPreview_Click() { cmdPreview_Click(); }
    void mnuViewRefresh_Click();
    void mnuViewLogFile_Click();
    void mnuHelpAbout_Click();
    // Opens the user guide with the desktop's viewer; when none can be started, reports it.
    void mnuHelpHowToUse_Click();

    static constexpr const char* kReadMe = "ReadMe.rtf";
    static constexpr const char* kConfirmation =
        "Rename Selected Files?  Changes can not be undone.";
    static constexpr const char* kIllegalNameCharacters = "\\/*?\"<>|";

  private:
    void connect();
    // Runs a step of a handler; a failure goes to the error dialog, Retry runs it again.
    bool attempt(const char* handler, const std::string& fileObject,
                 const std::function<void()>& step);
    // The text box that has the focus, or nullptr.
    platform::TextBox* focusedTextBox() const;
    // Validates, asks (when renaming), runs and restores the window; true when the run went
    // through to its end.
    // `accepted` runs once the input is checked and the run is about to start.
    bool renameSelected(RunMode mode, const std::function<void()>& accepted = {});
    // The folder a run works in: the one whose files the file list shows, qualified.
    std::string runFolder();
    // `candidate`, or its nearest parent that exists (stopping at the drive's root).
    std::string nearestExistingFolder(std::string candidate);
    // After a folder the file list could not open: the folder list goes back to the folder
    // whose files are listed (or its nearest existing parent).
    void backToListedFolder();

    platform::Services& m_services;
    AppState& m_state;
    const AppIdentity& m_identity;
    bErrorHandler& m_errors;
    bForms& m_forms;
    bQuillmote& m_module;
    ProgramHooks& m_program;
    bFileHandler m_fileHandler;
    std::unique_ptr<platform::MainView> m_view;
    NameComputation m_names;
    RenameLog m_renameLog;
    RenameRun m_run;
    std::unique_ptr<frmPreview> m_preview;
    std::map<std::string, std::string> m_folderOnDrive;  // the last folder shown on each drive
    bool m_restoringDrive = false;
    bool m_restoringFolder = false;
};

}  // namespace qm
