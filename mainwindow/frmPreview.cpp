#include "mainwindow/frmPreview.h"

#include "engine/RunConflicts.h"

namespace qm {

frmPreview::frmPreview(std::unique_ptr<platform::PreviewView> view, bForms& forms)
    : m_view(std::move(view)), m_forms(forms) {
    auto& c = controls();
    c.cmdContinue->onClick = [this] { cmdContinue_Click(); };
    c.cmdCancel->onClick = [this] { cmdCancel_Click(); };
    c.lstBefore->onClick = [this] { lstBefore_Click(); };
    c.lstAfter->onClick = [this] { lstAfter_Click(); };
}

void frmPreview::Form_Load() {
    m_cancelled = true;
    m_forms.DisableX(*controls().window);
}

void frmPreview::cmdContinue_Click() {
    m_cancelled = false;
    controls().window->hide();
}

void frmPreview::cmdCancel_Click() {
    m_cancelled = true;
    controls().window->hide();
}

void frmPreview::lstBefore_Click() {
    auto& c = controls();
    if (c.lstAfter->listIndex() != c.lstBefore->listIndex()) {
        c.lstAfter->setListIndex(c.lstBefore->listIndex());
    }
}

void frmPreview::lstAfter_Click() {
    auto& c = controls();
    if (c.lstBefore->listIndex() != c.lstAfter->listIndex()) {
        c.lstBefore->setListIndex(c.lstAfter->listIndex());
    }
}

void frmPreview::MarkConflicts(const std::vector<std::string>& folderNames) {
    auto& c = controls();
    std::vector<std::pair<std::string, std::string>> renames;
    for (int i = 0; i < c.lstBefore->listCount(); ++i) {
        renames.emplace_back(c.lstBefore->list(i), c.lstAfter->list(i));
    }
    const std::vector<RunConflict> conflicts = findRunConflicts(folderNames, renames);
    for (const RunConflict& conflict : conflicts) {
        const std::string name = "\"" + c.lstAfter->list(conflict.row) + "\"";
        std::string why;
        switch (conflict.obstacle) {
            case RunConflict::Obstacle::InFolder:
                why = name + " already exists in this folder.";
                break;
            case RunConflict::Obstacle::NewNameOfEarlier:
                why = name + " is already the new name of \"" +
                      c.lstBefore->list(conflict.otherRow) + "\".";
                break;
            case RunConflict::Obstacle::RenamedLater:
                why = name + " still exists at this step: it is renamed only later.";
                break;
        }
        c.lstAfter->setWarning(conflict.row, why);
    }
    std::string summary;
    if (conflicts.size() == 1) {
        summary = "1 name already exists: the run would stop there.";
    } else if (conflicts.size() > 1) {
        summary = std::to_string(conflicts.size()) +
                  " names already exist: the run would stop at the first.";
    }
    c.lblWarning->setCaption(summary);
}

}  // namespace qm
