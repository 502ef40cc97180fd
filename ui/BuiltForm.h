// A built window's controls and menu items as every back end holds them: one control per row of
// the window's design and one item per menu row, found by name (and index within a control
// array), the option groups, and the tab stops in tab order. A back end makes the controls
// through its ControlFactory; nothing else about a form is written twice.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/FormDesigns.h"

namespace qm::platform {

class ControlFactory {
  public:
    virtual ~ControlFactory() = default;
    // Each makes the control of one design row; `container` is the frame the row names (made
    // before it), else nullptr.
    virtual std::unique_ptr<Control> driveList(const ControlDesign& d, Control* container) = 0;
    virtual std::unique_ptr<Control> folderList(const ControlDesign& d, Control* container) = 0;
    virtual std::unique_ptr<Control> fileList(const ControlDesign& d, Control* container) = 0;
    virtual std::unique_ptr<Control> comboBox(const ControlDesign& d, Control* container) = 0;
    virtual std::unique_ptr<Control> button(const ControlDesign& d, Control* container) = 0;
    virtual std::unique_ptr<Control> frame(const ControlDesign& d, Control* container) = 0;
    virtual std::unique_ptr<Control> optionButton(const ControlDesign& d, Control* container) = 0;
    virtual std::unique_ptr<Control> label(const ControlDesign& d, Control* container) = 0;
    virtual std::unique_ptr<Control> textBox(const ControlDesign& d, Control* container) = 0;
    virtual std::unique_ptr<Control> listBox(const ControlDesign& d, Control* container) = 0;
    virtual std::unique_ptr<Control> progressBar(const ControlDesign& d, Control* container) = 0;
    virtual std::unique_ptr<Control> statusBar(const ControlDesign& d, Control* container) = 0;
    virtual std::unique_ptr<Control> line(const ControlDesign& d, Control* container) = 0;
    // One menu row; the menus of the menu bar come before their items.
    virtual std::unique_ptr<MenuItem> menuItem(const MenuDesign& d) = 0;
    // The options of one group, in index order: choosing one must clear the others.
    virtual void joinGroup(const std::vector<Control*>& options) = 0;
};

// Whether a kind of control takes the focus (labels, frames, lines and bars never do).
bool takesFocus(ControlKind kind);

class BuiltForm {
  public:
    const FormDesign& design() const { return *m_design; }

    // The control `name` (with `index` within a control array), as the interface or back-end
    // type T; throws std::out_of_range when there is none of that type.
    template <typename T>
    T& get(const std::string& name, int index = -1) const {
        auto* control = dynamic_cast<T*>(find(name, index));
        if (control == nullptr) {
            throw std::out_of_range("no control " + name + " of that kind");
        }
        return *control;
    }
    template <typename T = MenuItem>
    T& menu(const std::string& name) const {
        auto* item = dynamic_cast<T*>(findMenu(name));
        if (item == nullptr) {
            throw std::out_of_range("no menu item " + name + " of that kind");
        }
        return *item;
    }
    // The options of a group in index order.
    template <typename T = OptionButton>
    std::vector<T*> optionGroup(const std::string& name) const {
        std::vector<T*> group;
        for (Control* option : groupOf(name)) {
            group.push_back(dynamic_cast<T*>(option));
        }
        return group;
    }
    // The controls that take the focus with Tab, in tab order.
    template <typename T = Control>
    std::vector<T*> tabOrder() const {
        std::vector<T*> stops;
        for (Control* control : tabStops()) {
            stops.push_back(dynamic_cast<T*>(control));
        }
        return stops;
    }
    // The control made for design row `row`.
    Control& control(std::size_t row) const { return *m_controls.at(row); }

  protected:
    // Makes every control and menu item of `design`, in design order, and joins the groups.
    void build(const FormDesign& design, ControlFactory& factory);

  private:
    Control* find(const std::string& name, int index) const;
    MenuItem* findMenu(const std::string& name) const;
    std::vector<Control*> groupOf(const std::string& name) const;
    std::vector<Control*> tabStops() const;

    const FormDesign* m_design = nullptr;
    std::vector<std::unique_ptr<Control>> m_controls;  // in design order
    std::map<std::string, std::unique_ptr<MenuItem>> m_menus;
};

}  // namespace qm::platform
