// The main window's menu commands: clipboard commands with their enabling rules, the View and
// Help commands.
#include "frame/ErrorTail.h"
#include "mainwindow/frmQuillmote.h"
#include "services/Shell.h"

namespace qm {

platform::TextBox* frmQuillmote::focusedTextBox() const {
    platform::Control* control = m_view->controls().window->activeControl();
    if (!bForms::IsTextControl(control)) {
        return nullptr;
    }
    return dynamic_cast<platform::TextBox*>(control);
}

void frmQuillmote::mnuFileExit_Click() {
    m_program.ExitApplication();
}

void frmQuillmote::mnuEdit_Click() {
    auto& c = controls();
    // Each step on its own: opening the menu never fails, a failing rule is skipped (the rules
    // report their own failures).
    const platform::Control* control = nullptr;
    bestEffort([&] { control = c.window->activeControl(); });
    const auto set = [](platform::MenuItem* item, const std::function<bool()>& rule) {
        bestEffort([&] { item->setEnabled(rule()); });
    };
    set(c.mnuEditCut, [&] { return m_forms.CanCut(control); });
    set(c.mnuEditCopy, [&] { return m_forms.CanCopy(control); });
    set(c.mnuEditPaste, [&] { return m_forms.CanPaste(control); });
}

void frmQuillmote::mnuEditCut_Click() {
    if (platform::TextBox* box = focusedTextBox()) {
        m_services.ui.clipboard().setText(box->selText());
        box->setSelText("");
    }
}

void frmQuillmote::mnuEditCopy_Click() {
    if (platform::TextBox* box = focusedTextBox()) {
        m_services.ui.clipboard().setText(box->selText());
    }
}

void frmQuillmote::mnuEditPaste_Click() {
    if (platform::TextBox* box = focusedTextBox()) {
        box->setSelText(m_services.ui.clipboard().text());
    }
}

void frmQuillmote::mnuViewOpenCurrentFolder_Click() {
    try {
        if (m_fileHandler.folderExists(GetCurrentFolder())) {
            m_services.shell.execute("explore", GetCurrentFolder());
        }
    } catch (const std::exception& e) {
        reportError(m_errors, e, "", "frmQuillmote_File1_DblClick");
    }
}

std::string frmQuillmote::nearestExistingFolder(std::string candidate) {
    const std::string root = controls().Drive1->root();
    const std::string rootWithout = root.size() > 1 ? root.substr(0, root.size() - 1) : root;
    // A folder deleted behind the program's back gives way to its nearest existing parent.
    while (!m_fileHandler.folderExists(candidate)) {
        if (candidate == root || candidate == rootWithout ||
            candidate.find(bFileHandler::kSeparator) == std::string::npos) {
            break;
        }
        bFileHandler::StripLastFolder(candidate);
    }
    return candidate;
}

void frmQuillmote::mnuViewRefresh_Click() {
    auto& c = controls();
    std::string candidate;
    // Where the search for a parent fails, the folder on screen is opened as it is and any
    // failure of that is reported below.
    bestEffort([&] {
        candidate = c.Dir1->path();
        candidate = nearestExistingFolder(candidate);
    });
    std::string shown;
    try {
        shown = c.Dir1->path();
        c.Dir1->setPath(bFileHandler::qualifiedPath(candidate));
        c.Dir1->refresh();
        c.File1->refresh();
        ShowSelectionCount();
    } catch (const std::exception& e) {
        reportError(m_errors, e, shown, "frmQuillmote_mnuViewRefresh");
    }
}

void frmQuillmote::mnuViewLogFile_Click() {
    m_errors.ViewLogFile();
}

void frmQuillmote::mnuHelpAbout_Click() {
    m_program.ShowAboutBox();
}

void frmQuillmote::mnuHelpHowToUse_Click() {
    const std::string document = bFileHandler::qualifiedPath(m_identity.GetAppPath()) + kReadMe;
    try {
        if (!m_services.shell.execute("open", document)) {
            throw RunError(kNoAssociation);
        }
    } catch (const std::exception& e) {
        reportError(m_errors, e, document, "frmQuillmote_mnHelpHowToUse");
    }
}

}  // namespace qm
