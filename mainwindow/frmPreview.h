// The preview window's logic: old and new names side by side, their selections linked, the
// close box disabled so that Continue and Cancel are the only ways out. Cancelled is true from
// the moment the window loads, so any way out but Continue counts as a cancel.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/RunConflicts.h"
#include "frame/bForms.h"
#include "ui/Views.h"

namespace qm {

class frmPreview {
  public:
    frmPreview(std::unique_ptr<platform::PreviewView> view, bForms& forms);

    void Form_Load();
    void cmdContinue_Click();
    void cmdCancel_Click();
    void lstBefore_Click();
    void lstAfter_Click();
    // Marks each new name at which the run over `folderNames` (every entry of the folder) would
    // stop, taken at its step or refused by the file system under the folder's `rules`, with
    // the reason as its tooltip, and counts them.
    void MarkConflicts(const std::vector<std::string>& folderNames,
                       const FolderNameRules& rules = {});

    bool Cancelled() const { return m_cancelled; }
    void Cancelled(bool cancelled) { m_cancelled = cancelled; }

    platform::PreviewControls& controls() { return m_view->controls(); }

  private:
    std::unique_ptr<platform::PreviewView> m_view;
    bForms& m_forms;
    bool m_cancelled = true;
};

}  // namespace qm
