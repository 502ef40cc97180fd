#include "engine/RenameCommand.h"

#include <algorithm>

#include "engine/ReplacementLists.h"
#include "frame/ErrorTail.h"
#include "frame/bApplication.h"
#include "frame/bFileHandler.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/RunError.h"

namespace qm {

namespace {

const std::string kRenameSource = "frmQuillmote_cmdRename";

void raiseIf(std::int32_t error) {
    if (error != 0) {
        throw RunError(error);
    }
}

}  // namespace

RenameCommand::RenameCommand(platform::Services& services, const AppState& state,
                             ErrorReporter& errors, bForms& forms, CaseOptions& caseOptions,
                             RenameLog& log, bool& previewMode, RenameHost host)
    : m_services(services),
      m_state(state),
      m_errors(errors),
      m_forms(forms),
      m_names(caseOptions, services.caseMapper),
      m_log(log),
      m_previewMode(previewMode),
      m_host(std::move(host)) {}

std::string RenameCommand::RunFolder() const {
    std::string folder = m_host.controls.File1->path();
    return bFileHandler::QualifyPath(folder);
}

std::int32_t RenameCommand::BuildSelectedFileList() {
    try {
        SelectedFiles.clear();
        platform::FileList& list = *m_host.controls.File1;
        const int count = list.listCount();
        for (int i = 0; i < count; ++i) {
            if (list.selected(i)) {
                SelectedFiles.push_back(list.list(i));
            }
        }
        return SelectedFiles.empty() ? kNoFilesSelected : 0;
    } catch (const std::exception& e) {
        return asRunError(e).number();
    }
}

std::int32_t RenameCommand::CheckIllegalCharacters() {
    const std::string illegal = kIllegalNameCharacters;
    for (const auto& replacement : ReplacementStrings) {
        for (const char c : illegal) {
            if (replacement.find(c) != std::string::npos) {
                return kIllegalCharacters;
            }
        }
    }
    return 0;
}

std::int32_t RenameCommand::CheckListCounts() {
    return SearchStrings.size() == ReplacementStrings.size() ? 0 : kListCountMismatch;
}

std::int32_t RenameCommand::CheckIdenticalText() {
    const auto& mapper = m_services.caseMapper;
    for (std::size_t i = 0; i < SearchStrings.size() && i < ReplacementStrings.size(); ++i) {
        if (mapper.toLower(SearchStrings[i]) == mapper.toLower(ReplacementStrings[i])) {
            return kIdenticalText;
        }
    }
    return 0;
}

std::int32_t RenameCommand::ValidateInput() {
    auto& c = m_host.controls;
    try {
        if (const auto e = BuildSelectedFileList()) {
            c.File1->setFocus();
            return e;
        }
        if (const auto e = BuildSearchList(c.txtReplaceThis->text(), SearchStrings)) {
            c.txtReplaceThis->setFocus();
            return e;
        }
        if (const auto e = BuildReplacementList(c.txtWithThis->text(), ReplacementStrings)) {
            c.txtWithThis->setFocus();
            return e;
        }
        if (const auto e = CheckIllegalCharacters()) {
            c.txtWithThis->setFocus();
            return e;
        }
        return CheckListCounts();
    } catch (const std::exception& e) {
        return asRunError(e).number();
    }
}

void RenameCommand::showProgress(int count) {
    auto& c = m_host.controls;
    const int height = c.ProgressBar1->geometry().height;
    c.ProgressBar1->setGeometry(
        platform::Rect{0, c.window->innerHeight() - height, c.window->innerWidth(), height});
    c.ProgressBar1->setMax(count);
    c.ProgressBar1->setValue(0);
    c.ProgressBar1->setVisible(true);
    c.StatusBar1->setVisible(false);
    m_progressShown = 0;
}

void RenameCommand::setProgress(int done, int count) {
    // Only when the bar would look different: a run over many files must not spend its time
    // repainting a bar whose fill has not moved.
    auto& bar = *m_host.controls.ProgressBar1;
    const long long width = std::max(1, bar.geometry().width);
    const int fill = static_cast<int>(width * done / std::max(1, count));
    if (fill != m_progressShown || done == count) {
        bar.setValue(done);
        m_progressShown = fill;
    }
}

void RenameCommand::endRun(bool aborted) {
    auto& c = m_host.controls;
    if (aborted) {
        RenameAborted = true;
        try {
            c.File1->refresh();
        } catch (const std::exception&) {
            // The folder may be what failed; the list keeps what it showed.
        }
    }
    try {
        m_host.ShowSelectionCount();
        c.StatusBar1->setVisible(true);
        c.ProgressBar1->setVisible(false);
    } catch (const std::exception&) {
    }
}

void RenameCommand::cmdRename_Click() {
    auto& c = m_host.controls;
    const NewName* computing = nullptr;  // the name being computed, named when a step fails
    const auto attempt = [&](const auto& step) {
        const auto fileObject = [&] {
            return computing != nullptr ? computing->full() : std::string();
        };
        return runWithRetry(m_errors, kRenameSource, fileObject, step) == StepOutcome::Done;
    };
    if (!attempt([&] { raiseIf(ValidateInput()); })) {
        return endRun(true);
    }
    if (!m_previewMode &&
        m_services.messages.show(kConfirmation, platform::kStyleYesNoQuestion, m_state.AppTitle) !=
            platform::MessageResult::Yes) {
        return;
    }
    const int count = static_cast<int>(SelectedFiles.size());
    std::string folder;
    if (!attempt([&] {
            folder = RunFolder();
            showProgress(count);
        })) {
        return endRun(true);
    }
    for (int i = 0; i < count; ++i) {
        const std::string& oldName = SelectedFiles[static_cast<std::size_t>(i)];
        NewName name;
        computing = nullptr;
        if (!attempt([&] { name = m_names.SplitName(oldName); })) {
            return endRun(true);
        }
        computing = &name;
        for (std::size_t j = 0; j < SearchStrings.size(); ++j) {
            // Each pair works on a copy, so a Retry starts the pair afresh.
            if (!attempt([&] {
                    std::string namePart = name.namePart;
                    raiseIf(
                        m_names.ReplaceInName(namePart, SearchStrings[j], ReplacementStrings[j]));
                    name.namePart = std::move(namePart);
                })) {
                return endRun(true);
            }
        }
        const std::string newName = name.full();
        if (m_previewMode) {
            if (!attempt([&] {
                    m_preview->controls().lstBefore->addItem(oldName);
                    m_preview->controls().lstAfter->addItem(newName);
                })) {
                return endRun(true);
            }
        } else {
            const std::string oldPath = folder + oldName;
            const std::string newPath = folder + newName;
            if (!attempt([&] { m_services.files.renameNoReplace(oldPath, newPath); })) {
                return endRun(true);
            }
            m_log.LogFilenameChange(oldPath, newPath);
        }
        if (!attempt([&] { setProgress(i + 1, count); })) {
            return endRun(true);
        }
    }
    if (!m_previewMode) {
        computing = nullptr;
        if (!attempt([&] { m_log.writeRunSeparator(); }) || !attempt([&] { c.File1->refresh(); })) {
            return endRun(true);
        }
    }
    endRun(false);
}

void RenameCommand::cmdPreview_Click() {
    try {
        RenameAborted = false;
        m_previewMode = true;
        m_preview = std::make_unique<frmPreview>(m_services.ui.createPreviewWindow(), m_forms);
        m_preview->Form_Load();
        auto& p = m_preview->controls();
        p.lstBefore->clear();
        p.lstAfter->clear();
        const std::string folderText = "Folder: " + RunFolder();
        p.lblPath->setCaption(folderText);
        p.lblPath->setToolTip(folderText);

        cmdRename_Click();
        if (RenameAborted) {
            m_previewMode = false;
            bApplication::UnloadForm(m_preview);
            return;
        }
        p.window->showModal();
        if (!m_preview->Cancelled()) {
            m_previewMode = false;
            cmdRename_Click();
        }
    } catch (const std::exception& e) {
        const RunError error = asRunError(e);
        m_errors.HandleError(error.description(), error.number(), "", "frmQuillmote_cmdPreview");
    }
    bApplication::UnloadForm(m_preview);
    m_previewMode = false;
}

}  // namespace qm
