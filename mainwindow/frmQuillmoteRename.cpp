// The main window's Rename and Preview commands: the input checked in its fixed order (the
// focus moved to what needs correcting), the confirmation, and the engine's run shown with the
// progress bar, in the preview's lists, and in the error dialog.
#include <future>

#include "engine/ReplacementLists.h"
#include "frame/ErrorTail.h"
#include "frame/bApplication.h"
#include "frame/bFileHandler.h"
#include "mainwindow/RunDisplay.h"
#include "mainwindow/frmQuillmote.h"
#include "services/FolderCase.h"

namespace qm {

namespace {

void raiseIf(std::int32_t error) {
    if (error != 0) {
        throw RunError(error);
    }
}

// What the preview's warnings are checked against: every name the folder holds now, and
// whether it ignores letter case.
struct FolderNames {
    std::vector<std::string> names;
    bool ignoresCase = false;
};

FolderNames readFolderNames(const platform::FileSystem& files, const std::string& folder) {
    FolderNames found;
    auto entries = files.listFolder(folder);
    found.ignoresCase =
        platform::folderLetterCase(files, folder, entries) == platform::LetterCase::Ignored;
    // The names move out and the entries go: a large folder is held once.
    found.names.reserve(entries.size());
    for (auto& entry : entries) {
        found.names.push_back(std::move(entry.name));
    }
    return found;
}

}  // namespace

std::string frmQuillmote::runFolder() {
    return bFileHandler::qualifiedPath(controls().File1->path());
}

std::int32_t frmQuillmote::BuildSelectedFileList() {
    try {
        SelectedFiles = controls().File1->model().selectedNames();
        return SelectedFiles.empty() ? kNoFilesSelected : 0;
    } catch (const std::exception& e) {
        return asRunError(e).number();
    }
}

std::int32_t frmQuillmote::CheckIllegalCharacters() {
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

std::int32_t frmQuillmote::CheckListCounts() {
    return SearchStrings.size() == ReplacementStrings.size() ? 0 : kListCountMismatch;
}

std::int32_t frmQuillmote::CheckIdenticalText() {
    const auto& mapper = m_services.caseMapper;
    for (std::size_t i = 0; i < SearchStrings.size() && i < ReplacementStrings.size(); ++i) {
        if (mapper.toLower(SearchStrings[i]) == mapper.toLower(ReplacementStrings[i])) {
            return kIdenticalText;
        }
    }
    return 0;
}

std::int32_t frmQuillmote::ValidateInput() {
    auto& c = controls();
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

void frmQuillmote::cmdRename_Click() {
    renameSelected(RunMode::Rename);
}

bool frmQuillmote::renameSelected(RunMode mode, const std::function<void()>& accepted) {
    RunDisplay display(controls(), m_errors, m_services.clock,
                       mode == RunMode::Preview && m_preview ? &m_preview->controls() : nullptr);
    const auto attempt = [this](const auto& step) {
        return runWithRetry(
                   m_errors, RunDisplay::kSource, [] { return std::string(); }, step) ==
               StepOutcome::Done;
    };
    const auto end = [&](RunOutcome outcome) {
        SelectedFiles.clear();
        if (outcome == RunOutcome::Abandoned) {
            RenameAborted = true;
            // The folder may be what failed: the list then keeps what it showed.
            bestEffort([this] { controls().File1->refresh(); });
        }
        // The window's own controls; what failed on the way has been reported.
        bestEffort([&] {
            ShowSelectionCount();
            display.hide();
        });
        return outcome == RunOutcome::Completed;
    };

    if (!attempt([this] { raiseIf(ValidateInput()); })) {
        return end(RunOutcome::Abandoned);
    }
    if (mode == RunMode::Rename &&
        m_services.messages.show(kConfirmation, platform::kStyleYesNoQuestion, m_state.AppTitle) !=
            platform::MessageResult::Yes) {
        return false;
    }
    std::string folder;
    if (!attempt([&] {
            folder = runFolder();
            display.show(static_cast<int>(SelectedFiles.size()));
        })) {
        return end(RunOutcome::Abandoned);
    }
    if (accepted) {
        bestEffort(accepted);
    }
    // The run takes no input until it ends, but the window must not go on showing the question
    // it answered: what waits to be painted is painted once; the user's input keeps waiting.
    bestEffort([this] { m_services.ui.pointer().processEvents(); });
    const RunInput input{folder, SelectedFiles, SearchStrings, ReplacementStrings};
    if (m_run.run(mode, input, display) == RunOutcome::Abandoned) {
        return end(RunOutcome::Abandoned);
    }
    if (mode == RunMode::Rename && !attempt([this] { controls().File1->refresh(); })) {
        return end(RunOutcome::Abandoned);
    }
    return end(RunOutcome::Completed);
}

void frmQuillmote::cmdPreview_Click() {
    try {
        RenameAborted = false;
        m_module.PreviewMode = true;
        m_preview = std::make_unique<frmPreview>(m_services.ui.createPreviewWindow(), m_forms);
        m_preview->Form_Load();
        auto& p = m_preview->controls();
        p.rows->clear();
        const std::string folder = runFolder();
        const std::string folderText = "Folder: " + folder;
        p.lblPath->setCaption(folderText);
        p.lblPath->setToolTip(folderText);
        const platform::FileSystem& files = m_services.files;
        // Once the input is accepted the folder is read for the warnings while the run fills
        // the lists: on a large folder each takes about as long as the other, and the fill
        // reads no file. Where no thread can be had, the read waits for get().
        std::future<FolderNames> folderNames;
        const auto readBeside = [&] {
            folderNames = std::async(std::launch::async | std::launch::deferred, readFolderNames,
                                     std::cref(files), folder);
        };
        // A fill that failed has shown its error already; the window is then never shown.
        if (renameSelected(RunMode::Preview, readBeside)) {
            // The warnings are a courtesy: a folder that cannot be read now shows the preview
            // without them, and the run reports what it meets.
            bestEffort([&] {
                const FolderNames found = folderNames.get();
                FolderNameRules rules;
                rules.refusal = [&files](std::string_view name) { return files.nameRefusal(name); };
                if (found.ignoresCase) {
                    rules.key = [&files](std::string_view name) { return files.caseKey(name); };
                }
                m_preview->MarkConflicts(found.names, rules);
            });
            p.window->showModal();
            if (!m_preview->Cancelled()) {
                m_module.PreviewMode = false;
                renameSelected(RunMode::Rename);
            }
        }
    } catch (const std::exception& e) {
        reportError(m_errors, e, "", "frmQuillmote_cmdPreview");
    }
    bApplication::UnloadForm(m_preview);
    m_module.PreviewMode = false;
}

}  // namespace qm
