#include "ui/BuiltForm.h"

#include <algorithm>

namespace qm::platform {

namespace {

std::unique_ptr<Control> make(ControlFactory& f, const ControlDesign& d, Control* container) {
    switch (d.kind) {
        case ControlKind::DriveList:
            return f.driveList(d, container);
        case ControlKind::FolderList:
            return f.folderList(d, container);
        case ControlKind::FileList:
            return f.fileList(d, container);
        case ControlKind::ComboBox:
            return f.comboBox(d, container);
        case ControlKind::Button:
            return f.button(d, container);
        case ControlKind::Frame:
            return f.frame(d, container);
        case ControlKind::OptionButton:
            return f.optionButton(d, container);
        case ControlKind::Label:
            return f.label(d, container);
        case ControlKind::TextBox:
            return f.textBox(d, container);
        case ControlKind::ListBox:
            return f.listBox(d, container);
        case ControlKind::ProgressBar:
            return f.progressBar(d, container);
        case ControlKind::StatusBar:
            return f.statusBar(d, container);
        case ControlKind::Line:
            return f.line(d, container);
    }
    throw std::logic_error("a control kind without a control");
}

}  // namespace

bool takesFocus(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
        case ControlKind::Frame:
        case ControlKind::Line:
        case ControlKind::StatusBar:
        case ControlKind::ProgressBar:
            return false;
        default:
            return true;
    }
}

void BuiltForm::build(const FormDesign& design, ControlFactory& factory) {
    m_design = &design;
    for (const ControlDesign& d : design.controls) {
        Control* container = d.container.empty() ? nullptr : find(d.container, -1);
        m_controls.push_back(make(factory, d, container));
    }
    for (const ControlDesign& d : design.controls) {
        if (d.kind == ControlKind::OptionButton && d.index == 0) {
            factory.joinGroup(groupOf(d.name));
        }
    }
    for (const MenuDesign& m : design.menus) {
        m_menus[m.name] = factory.menuItem(m);
    }
}

Control* BuiltForm::find(const std::string& name, int index) const {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const ControlDesign& d = m_design->controls[i];
        if (d.name == name && (index < 0 || d.index == index)) {
            return m_controls[i].get();
        }
    }
    throw std::out_of_range("no control " + name);
}

MenuItem* BuiltForm::findMenu(const std::string& name) const {
    const auto it = m_menus.find(name);
    if (it == m_menus.end()) {
        throw std::out_of_range("no menu item " + name);
    }
    return it->second.get();
}

std::vector<Control*> BuiltForm::groupOf(const std::string& name) const {
    std::vector<Control*> group;
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const ControlDesign& d = m_design->controls[i];
        if (d.name == name && d.kind == ControlKind::OptionButton) {
            const auto at = static_cast<std::size_t>(d.index);
            group.resize(std::max(group.size(), at + 1));
            group[at] = m_controls[i].get();
        }
    }
    return group;
}

std::vector<Control*> BuiltForm::tabStops() const {
    std::vector<std::pair<int, Control*>> stops;
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const ControlDesign& d = m_design->controls[i];
        if (d.tabIndex >= 0 && takesFocus(d.kind)) {
            stops.emplace_back(d.tabIndex, m_controls[i].get());
        }
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Control*> order;
    for (const auto& stop : stops) {
        order.push_back(stop.second);
    }
    return order;
}

}  // namespace qm::platform
