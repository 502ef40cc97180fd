#include "mainwindow/frmPreview.h"

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

void frmPreview::MarkConflicts(const std::vector<std::string>& folderNames,
                               const FolderNameRules& rules) {
    auto& c = controls();
    platform::PreviewRows& rows = *c.rows;
    // The names as the rows hold them, not copies: a preview may hold a million.
    std::vector<std::pair<std::string_view, std::string_view>> renames;
    renames.reserve(static_cast<std::size_t>(rows.count()));
    for (int i = 0; i < rows.count(); ++i) {
        renames.emplace_back(rows.name(platform::PreviewColumn::OldName, i),
                             rows.name(platform::PreviewColumn::NewName, i));
    }
    const std::vector<RunConflict> conflicts = findRunConflicts(folderNames, renames, rules);
    std::size_t refused = 0;
    for (const RunConflict& conflict : conflicts) {
        const std::string name =
            "\"" + std::string(rows.name(platform::PreviewColumn::NewName, conflict.row)) + "\"";
        std::string why;
        switch (conflict.obstacle) {
            case RunConflict::Obstacle::InFolder:
                why = conflict.detail.empty()
                          ? name + " already exists in this folder."
                          : name + " already exists in this folder as \"" + conflict.detail +
                                "\": names here ignore letter case.";
                break;
            case RunConflict::Obstacle::NewNameOfEarlier:
                why = name + " is already the new name of \"" +
                      std::string(rows.name(platform::PreviewColumn::OldName, conflict.otherRow)) +
                      "\".";
                break;
            case RunConflict::Obstacle::RenamedLater:
                why = name + " still exists at this step: it is renamed only later.";
                break;
            case RunConflict::Obstacle::Refused:
                why = conflict.detail;
                ++refused;
                break;
        }
        rows.setWarning(conflict.row, why);
    }
    const std::size_t count = conflicts.size();
    const std::string names = std::to_string(count) + (count == 1 ? " name " : " names ");
    const std::string where =
        count == 1 ? ": the run would stop there." : ": the run would stop at the first.";
    std::string summary;
    if (count == 0) {
        summary = "";
    } else if (refused == 0) {
        summary = names + (count == 1 ? "already exists" : "already exist") + where;
    } else if (refused == count) {
        summary = names + "cannot be used" + where;
    } else {
        summary = names + "already exist or cannot be used" + where;
    }
    c.lblWarning->setCaption(summary);
}

}  // namespace qm
