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

}  // namespace qm
