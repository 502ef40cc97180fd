// Fills a window's control set from a back end's form, so every back end hands the logic the
// same controls. A Form is a BuiltForm that also offers window() and systemInfo().
#pragma once

#include <memory>

#include "ui/Views.h"

namespace qm::platform {

template <typename Form>
void bindControls(Form& f, MainControls& c) {
    c.window = &f.window();
    c.Drive1 = &f.template get<DriveList>("Drive1");
    c.Dir1 = &f.template get<FolderList>("Dir1");
    c.File1 = &f.template get<FileList>("File1");
    c.cmbFilterType = &f.template get<ComboBox>("cmbFilterType");
    c.cmbFileFilter = &f.template get<ComboBox>("cmbFileFilter");
    c.cmdSelectAll = &f.template get<Button>("cmdSelectAll");
    c.cmdDeselectAll = &f.template get<Button>("cmdDeselectAll");
    c.framFilenameCase = &f.template get<Frame>("framFilenameCase");
    for (auto* option : f.optionGroup("optFilenameCase")) {
        c.optFilenameCase.push_back(option);
    }
    c.framChangeExtensionCase = &f.template get<Frame>("framChangeExtensionCase");
    for (auto* option : f.optionGroup("optFileExtensionCase")) {
        c.optFileExtensionCase.push_back(option);
    }
    c.lblReplace = &f.template get<Label>("lblReplace");
    c.txtReplaceThis = &f.template get<TextBox>("txtReplaceThis");
    c.lblReplaceWith = &f.template get<Label>("lblReplaceWith");
    c.txtWithThis = &f.template get<TextBox>("txtWithThis");
    c.cmdPreview = &f.template get<Button>("cmdPreview");
    c.cmdRename = &f.template get<Button>("cmdRename");
    c.cmdExit = &f.template get<Button>("cmdExit");
    c.ProgressBar1 = &f.template get<ProgressBar>("ProgressBar1");
    c.StatusBar1 = &f.template get<StatusBar>("StatusBar1");
    c.mnuFile = &f.menu("mnuFile");
    c.mnuFileExit = &f.menu("mnuFileExit");
    c.mnuEdit = &f.menu("mnuEdit");
    c.mnuEditCut = &f.menu("mnuEditCut");
    c.mnuEditCopy = &f.menu("mnuEditCopy");
    c.mnuEditPaste = &f.menu("mnuEditPaste");
    c.mnuEditSelectAll = &f.menu("mnuEditSelectAll");
    c.mnuEditDeselectAll = &f.menu("mnuEditDeselectAll");
    c.mnuView = &f.menu("mnuView");
    c.mnuViewOpenCurrentFolder = &f.menu("mnuViewOpenCurrentFolder");
    c.mnuViewPreview = &f.menu("mnuViewPreview");
    c.mnuViewRefresh = &f.menu("mnuViewRefresh");
    c.mnuViewLogFile = &f.menu("mnuViewLogFile");
    c.mnuHelp = &f.menu("mnuHelp");
    c.mnuHelpAbout = &f.menu("mnuHelpAbout");
    c.mnuHelpHowToUse = &f.menu("mnuHelpHowToUse");
}

template <typename Form>
void bindControls(Form& f, PreviewControls& c) {
    c.window = &f.window();
    c.lblOriginalFilenames = &f.template get<Label>("lblOriginalFilenames");
    c.lblNewFilenames = &f.template get<Label>("lblNewFilenames");
    c.lstBefore = &f.template get<ListBox>("lstBefore");
    c.lstAfter = &f.template get<ListBox>("lstAfter");
    c.rows = std::make_shared<PreviewRows>();
    c.lstBefore->showRows(c.rows, PreviewColumn::OldName);
    c.lstAfter->showRows(c.rows, PreviewColumn::NewName);
    c.lblPath = &f.template get<Label>("lblPath");
    c.lblWarning = &f.template get<Label>("lblWarning");
    c.cmdContinue = &f.template get<Button>("cmdContinue");
    c.cmdCancel = &f.template get<Button>("cmdCancel");
}

template <typename Form>
void bindControls(Form& f, AboutControls& c) {
    c.window = &f.window();
    c.lstDrive = &f.template get<DriveList>("lstDrive");
    c.lblAboutInfo = &f.template get<Label>("lblAboutInfo");
    c.lblCopyrightInfo = &f.template get<Label>("lblCopyrightInfo");
    c.cmdContinue = &f.template get<Button>("cmdContinue");
    c.Line1 = &f.template get<Line>("Line1");
    c.SystemInfo = &f.systemInfo();
}

// A created window: it owns the back end's form and hands the logic its control set.
template <typename Controls, typename Form>
class FormView : public View<Controls> {
  public:
    explicit FormView(std::unique_ptr<Form> form) : m_form(std::move(form)) {
        bindControls(*m_form, m_controls);
    }
    Controls& controls() override { return m_controls; }
    Form& form() { return *m_form; }

  protected:
    std::unique_ptr<Form> m_form;  // a view that keeps its form for later takes it from here

  private:
    Controls m_controls;
};

}  // namespace qm::platform
