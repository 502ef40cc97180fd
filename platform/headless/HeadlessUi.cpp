#include "platform/headless/HeadlessUi.h"

#include "ui/ViewBinding.h"

#include <algorithm>

namespace qm::platform {

namespace {

// The in-memory control of each kind; they find their window for the focus.
class HeadlessControlFactory final : public ControlFactory {
  public:
    HeadlessControlFactory(HeadlessUi& ui, HeadlessWindow& window) : m_ui(ui), m_window(&window) {}

    std::unique_ptr<Control> driveList(const ControlDesign& d, Control*) override {
        return std::make_unique<HeadlessDriveList>(d, m_window, m_ui.drives());
    }
    std::unique_ptr<Control> folderList(const ControlDesign& d, Control*) override {
        return std::make_unique<HeadlessFolderList>(d, m_window, m_ui.files(), m_ui.drives(),
                                                    m_ui.caseMapper());
    }
    std::unique_ptr<Control> fileList(const ControlDesign& d, Control*) override {
        return std::make_unique<HeadlessFileList>(d, m_window, m_ui.files(), m_ui.caseMapper());
    }
    std::unique_ptr<Control> comboBox(const ControlDesign& d, Control*) override {
        return std::make_unique<HeadlessComboBox>(d, m_window);
    }
    std::unique_ptr<Control> button(const ControlDesign& d, Control*) override {
        return std::make_unique<HeadlessButton>(d, m_window);
    }
    std::unique_ptr<Control> frame(const ControlDesign& d, Control*) override {
        return std::make_unique<HeadlessFrame>(d, m_window);
    }
    std::unique_ptr<Control> optionButton(const ControlDesign& d, Control*) override {
        return std::make_unique<HeadlessOptionButton>(d, m_window);
    }
    std::unique_ptr<Control> label(const ControlDesign& d, Control*) override {
        return std::make_unique<HeadlessLabel>(d, m_window);
    }
    std::unique_ptr<Control> textBox(const ControlDesign& d, Control*) override {
        return std::make_unique<HeadlessTextBox>(d, m_window);
    }
    std::unique_ptr<Control> listBox(const ControlDesign& d, Control*) override {
        return std::make_unique<HeadlessListBox>(d, m_window);
    }
    std::unique_ptr<Control> progressBar(const ControlDesign& d, Control*) override {
        return std::make_unique<HeadlessProgressBar>(d, m_window);
    }
    std::unique_ptr<Control> statusBar(const ControlDesign& d, Control*) override {
        return std::make_unique<HeadlessStatusBar>(d, m_window);
    }
    std::unique_ptr<Control> line(const ControlDesign& d, Control*) override {
        return std::make_unique<HeadlessLine>(d, m_window);
    }
    std::unique_ptr<MenuItem> menuItem(const MenuDesign& d) override {
        return std::make_unique<HeadlessMenuItem>(d);
    }
    void joinGroup(const std::vector<Control*>& options) override {
        std::vector<HeadlessOptionButton*> group;
        for (Control* option : options) {
            group.push_back(&dynamic_cast<HeadlessOptionButton&>(*option));
        }
        for (HeadlessOptionButton* option : group) {
            option->setGroup(group);
        }
    }

  private:
    HeadlessUi& m_ui;
    HeadlessWindow* m_window;
};

}  // namespace

HeadlessForm::HeadlessForm(const FormDesign& design, HeadlessUi& ui)
    : m_ui(ui), m_window(design, [this](HeadlessWindow&) { m_ui.runModal(*this); }) {
    HeadlessControlFactory factory(ui, m_window);
    build(design, factory);
    m_ui.m_live.push_back(this);
    ++m_ui.m_created[design.name];
}

HeadlessForm::~HeadlessForm() {
    auto& live = m_ui.m_live;
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

HeadlessUi::HeadlessUi(const FileSystem& files, const DriveQuery& drives,
                       const text::CaseMapper& mapper)
    : m_files(files), m_drives(drives), m_mapper(mapper) {}

HeadlessForm* HeadlessUi::live(const std::string& name) const {
    for (HeadlessForm* form : m_live) {
        if (form->design().name == name && form->window().loaded()) {
            return form;
        }
    }
    return nullptr;
}

int HeadlessUi::created(const std::string& formName) const {
    const auto it = m_created.find(formName);
    return it == m_created.end() ? 0 : it->second;
}

void HeadlessUi::runModal(HeadlessForm& form) {
    if (m_scripts.empty()) {
        return;
    }
    auto script = std::move(m_scripts.front());
    m_scripts.pop_front();
    script(form);
}

std::unique_ptr<MainView> HeadlessUi::createMainWindow() {
    return std::make_unique<FormView<MainControls, HeadlessForm>>(
        std::make_unique<HeadlessForm>(mainWindowDesign(), *this));
}

std::unique_ptr<PreviewView> HeadlessUi::createPreviewWindow() {
    return std::make_unique<FormView<PreviewControls, HeadlessForm>>(
        std::make_unique<HeadlessForm>(previewWindowDesign(), *this));
}

std::unique_ptr<AboutView> HeadlessUi::createAboutWindow() {
    return std::make_unique<FormView<AboutControls, HeadlessForm>>(
        std::make_unique<HeadlessForm>(aboutWindowDesign(), *this));
}

}  // namespace qm::platform
