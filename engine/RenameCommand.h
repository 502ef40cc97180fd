// The Rename and Preview commands of the main window. One handler does both: with PreviewMode
// set it fills the preview window's two lists; without it it asks once, renames every selected
// file on disk (never over another file) and logs each rename. Every failure goes through the
// error dialog; Retry runs the failing step again, any other answer ends the run with the files
// renamed so far renamed and logged.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/CaseOptions.h"
#include "engine/NameComputation.h"
#include "engine/RenameLog.h"
#include "engine/frmPreview.h"
#include "frame/AppState.h"
#include "frame/ErrorReporter.h"
#include "frame/bForms.h"
#include "platform/Services.h"
#include "platform/Views.h"

namespace qm {

// What the commands need of the main window.
struct RenameHost {
    platform::MainControls& controls;
    std::function<void()> ShowSelectionCount;
};

class RenameCommand {
  public:
    RenameCommand(platform::Services& services, const AppState& state, ErrorReporter& errors,
                  bForms& forms, CaseOptions& caseOptions, RenameLog& log, bool& previewMode,
                  RenameHost host);

    void cmdRename_Click();
    void cmdPreview_Click();

    // Validation, in its fixed order; each returns the error number (0 when the input passes).
    std::int32_t ValidateInput();
    std::int32_t BuildSelectedFileList();
    std::int32_t CheckIllegalCharacters();
    std::int32_t CheckListCounts();
    // Refuses a pair whose texts are equal ignoring case. Not part of ValidateInput: a pair that
    // only changes the letter case of what it finds must stay possible.
    std::int32_t CheckIdenticalText();

    // The folder a run works in: the one whose files the file list shows, qualified.
    std::string RunFolder() const;

    std::vector<std::string> SelectedFiles;
    std::vector<std::string> SearchStrings;
    std::vector<std::string> ReplacementStrings;
    bool RenameAborted = false;

    // The preview window while a preview is filled or shown, else nullptr.
    frmPreview* PreviewWindow() const { return m_preview.get(); }

    static constexpr const char* kConfirmation =
        "Rename Selected Files?  Changes can not be undone.";
    static constexpr const char* kIllegalNameCharacters = "\\/*?\"<>|";

  private:
    void endRun(bool aborted);
    void showProgress(int count);
    void setProgress(int done, int count);

    platform::Services& m_services;
    const AppState& m_state;
    ErrorReporter& m_errors;
    bForms& m_forms;
    NameComputation m_names;
    RenameLog& m_log;
    bool& m_previewMode;
    RenameHost m_host;
    std::unique_ptr<frmPreview> m_preview;
    int m_progressShown = -1;  // the bar's last visible fill, in pixels
};

}  // namespace qm
