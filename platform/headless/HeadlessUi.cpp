#include "platform/headless/HeadlessUi.h"

#include "platform/ViewBinding.h"

#include <algorithm>

namespace qm::platform {

namespace {

template <typename Controls>
class HeadlessView : public View<Controls> {
  public:
    explicit HeadlessView(std::unique_ptr<HeadlessForm> form) : m_form(std::move(form)) {}
    Controls& controls() override { return m_controls; }
    HeadlessForm& form() { return *m_form; }

  private:
    std::unique_ptr<HeadlessForm> m_form;
    Controls m_controls;
};

}  // namespace

HeadlessForm::HeadlessForm(const FormDesign& design, HeadlessUi& ui)
    : m_design(design),
      m_ui(ui),
      m_window(design, [this](HeadlessWindow&) { m_ui.runModal(*this); }) {
    for (const ControlDesign& d : design.controls) {
        std::unique_ptr<HeadlessControlBase> control;
        switch (d.kind) {
            case ControlKind::DriveList:
                control = std::make_unique<HeadlessDriveList>(d, &m_window, ui.drives());
                break;
            case ControlKind::FolderList:
                control =
                    std::make_unique<HeadlessFolderList>(d, &m_window, ui.files(), ui.caseMapper());
                break;
            case ControlKind::FileList:
                control =
                    std::make_unique<HeadlessFileList>(d, &m_window, ui.files(), ui.caseMapper());
                break;
            case ControlKind::ComboBox:
                control = std::make_unique<HeadlessComboBox>(d, &m_window);
                break;
            case ControlKind::Button:
                control = std::make_unique<HeadlessButton>(d, &m_window);
                break;
            case ControlKind::Frame:
                control = std::make_unique<HeadlessFrame>(d, &m_window);
                break;
            case ControlKind::OptionButton:
                control = std::make_unique<HeadlessOptionButton>(d, &m_window);
                break;
            case ControlKind::Label:
                control = std::make_unique<HeadlessLabel>(d, &m_window);
                break;
            case ControlKind::TextBox:
                control = std::make_unique<HeadlessTextBox>(d, &m_window);
                break;
            case ControlKind::ListBox:
                control = std::make_unique<HeadlessListBox>(d, &m_window);
                break;
            case ControlKind::ProgressBar:
                control = std::make_unique<HeadlessProgressBar>(d, &m_window);
                break;
            case ControlKind::StatusBar:
                control = std::make_unique<HeadlessStatusBar>(d, &m_window);
                break;
            case ControlKind::Line:
                control = std::make_unique<HeadlessLine>(d, &m_window);
                break;
        }
        m_controls.push_back(std::move(control));
    }
    for (const ControlDesign& d : design.controls) {
        if (d.kind == ControlKind::OptionButton && d.index == 0) {
            const auto group = optionGroup(d.name);
            for (HeadlessOptionButton* option : group) {
                option->setGroup(group);
            }
        }
    }
    for (const MenuDesign& m : design.menus) {
        m_menus[m.name] = std::make_unique<HeadlessMenuItem>(m);
    }
    m_ui.m_live.push_back(this);
    ++m_ui.m_created[design.name];
}

HeadlessForm::~HeadlessForm() {
    auto& live = m_ui.m_live;
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

HeadlessControlBase* HeadlessForm::find(const std::string& name, int index) {
    for (std::size_t i = 0; i < m_design.controls.size(); ++i) {
        const ControlDesign& d = m_design.controls[i];
        if (d.name == name && (index < 0 || d.index == index)) {
            return m_controls[i].get();
        }
    }
    throw std::out_of_range("no control " + name);
}

HeadlessMenuItem& HeadlessForm::menu(const std::string& name) {
    const auto it = m_menus.find(name);
    if (it == m_menus.end()) {
        throw std::out_of_range("no menu item " + name);
    }
    return *it->second;
}

std::vector<HeadlessOptionButton*> HeadlessForm::optionGroup(const std::string& name) {
    std::vector<HeadlessOptionButton*> group;
    for (std::size_t i = 0; i < m_design.controls.size(); ++i) {
        const ControlDesign& d = m_design.controls[i];
        if (d.name == name && d.kind == ControlKind::OptionButton) {
            group.resize(
                std::max<std::size_t>(group.size(), static_cast<std::size_t>(d.index) + 1));
            group[static_cast<std::size_t>(d.index)] =
                dynamic_cast<HeadlessOptionButton*>(m_controls[i].get());
        }
    }
    return group;
}

std::vector<HeadlessControlBase*> HeadlessForm::tabOrder() const {
    std::vector<HeadlessControlBase*> stops;
    for (const auto& control : m_controls) {
        if (control->tabIndex() >= 0) {
            stops.push_back(control.get());
        }
    }
    std::sort(stops.begin(), stops.end(),
              [](auto* a, auto* b) { return a->tabIndex() < b->tabIndex(); });
    return stops;
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
    auto view = std::make_unique<HeadlessView<MainControls>>(
        std::make_unique<HeadlessForm>(mainWindowDesign(), *this));
    bindControls(view->form(), view->controls());
    return view;
}

std::unique_ptr<PreviewView> HeadlessUi::createPreviewWindow() {
    auto view = std::make_unique<HeadlessView<PreviewControls>>(
        std::make_unique<HeadlessForm>(previewWindowDesign(), *this));
    bindControls(view->form(), view->controls());
    return view;
}

std::unique_ptr<AboutView> HeadlessUi::createAboutWindow() {
    auto view = std::make_unique<HeadlessView<AboutControls>>(
        std::make_unique<HeadlessForm>(aboutWindowDesign(), *this));
    bindControls(view->form(), view->controls());
    return view;
}

}  // namespace qm::platform
