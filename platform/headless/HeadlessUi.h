// The headless user interface: builds each window from its design with in-memory controls over
// the real file layer and drive query, and lets a test play the user while a window is modal.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/Text.h"
#include "platform/headless/HeadlessControls.h"
#include "platform/headless/HeadlessDriveList.h"
#include "platform/headless/HeadlessFileList.h"
#include "platform/headless/HeadlessFolderList.h"
#include "platform/headless/HeadlessSystemInformation.h"
#include "platform/headless/HeadlessWindow.h"
#include "services/DriveQuery.h"
#include "services/FileSystem.h"
#include "ui/BuiltForm.h"
#include "ui/Views.h"

namespace qm::platform {

class HeadlessUi;

// One window built from its design with in-memory controls, found by name through BuiltForm.
class HeadlessForm : public BuiltForm {
  public:
    HeadlessForm(const FormDesign& design, HeadlessUi& ui);
    ~HeadlessForm();
    HeadlessForm(const HeadlessForm&) = delete;
    HeadlessForm& operator=(const HeadlessForm&) = delete;

    HeadlessWindow& window() { return m_window; }
    HeadlessSystemInformation& systemInfo() { return m_systemInfo; }
    // What a test plays the user on.
    HeadlessButton& button(const std::string& name) { return get<HeadlessButton>(name); }
    HeadlessMenuItem& menu(const std::string& name) {
        return BuiltForm::menu<HeadlessMenuItem>(name);
    }
    std::vector<HeadlessOptionButton*> optionGroup(const std::string& name) {
        return BuiltForm::optionGroup<HeadlessOptionButton>(name);
    }

  private:
    HeadlessUi& m_ui;
    HeadlessWindow m_window;
    HeadlessSystemInformation m_systemInfo;
};

class HeadlessUi : public Ui {
  public:
    HeadlessUi(const FileSystem& files, const DriveQuery& drives, const text::CaseMapper& mapper);

    std::unique_ptr<MainView> createMainWindow() override;
    std::unique_ptr<PreviewView> createPreviewWindow() override;
    std::unique_ptr<AboutView> createAboutWindow() override;
    Pointer& pointer() override { return m_pointer; }
    Clipboard& clipboard() override { return m_clipboard; }
    void quit() override { ++m_quits; }

    // A script to run the next time a window is shown modally; scripts run in the order queued.
    // Without one, the window closes at once as if its owner had hidden it.
    void whenModal(std::function<void(HeadlessForm&)> script) {
        m_scripts.push_back(std::move(script));
    }
    std::size_t pendingScripts() const { return m_scripts.size(); }

    // The live windows of each kind (nullptr when none is loaded).
    HeadlessForm* mainForm() const { return live("frmQuillmote"); }
    HeadlessForm* previewForm() const { return live("frmPreview"); }
    HeadlessForm* aboutForm() const { return live("frmAbout"); }
    // How many windows of a kind were ever created.
    int created(const std::string& formName) const;

    HeadlessPointer& headlessPointer() { return m_pointer; }
    HeadlessClipboard& headlessClipboard() { return m_clipboard; }
    int quits() const { return m_quits; }

    const FileSystem& files() const { return m_files; }
    const DriveQuery& drives() const { return m_drives; }
    const text::CaseMapper& caseMapper() const { return m_mapper; }

  private:
    friend class HeadlessForm;
    HeadlessForm* live(const std::string& name) const;
    void runModal(HeadlessForm& form);

    const FileSystem& m_files;
    const DriveQuery& m_drives;
    const text::CaseMapper& m_mapper;
    HeadlessPointer m_pointer;
    HeadlessClipboard m_clipboard;
    std::deque<std::function<void(HeadlessForm&)>> m_scripts;
    std::vector<HeadlessForm*> m_live;
    std::map<std::string, int> m_created;
    int m_quits = 0;
};

}  // namespace qm::platform
