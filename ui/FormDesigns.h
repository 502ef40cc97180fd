// The design of each window: its controls with kind, position, size, caption, tooltip and tab
// order, and its menu bar. Every back end (Qt, Win32, headless) builds the windows from these
// tables, so the window on screen and the one in the tests are the same.
#pragma once

#include <string>
#include <vector>

#include "ui/Controls.h"

namespace qm::platform {

enum class ControlKind {
    DriveList,
    FolderList,
    FileList,
    ComboBox,
    Button,
    Frame,
    OptionButton,
    Label,
    TextBox,
    ListBox,
    ProgressBar,
    StatusBar,
    Line,
};

struct ControlDesign {
    std::string name;  // "optFilenameCase" for every option of that group
    ControlKind kind;
    Rect rect;  // inside `container` when one is named, else in the client area
    std::string caption;
    std::string toolTip;
    int tabIndex = -1;      // -1: not a tab stop
    std::string container;  // the frame holding it
    int index = -1;         // position within a control array (option groups)
    bool initiallyVisible = true;
    bool initiallyChosen = false;  // option buttons selected when the window is created
    bool centred = false;          // labels: text centred
    bool defaultButton = false;    // buttons: Enter presses it
    bool cancelButton = false;     // buttons: Escape presses it
    // What a screen reader calls a control that shows no caption of its own: the label row that
    // names it (`label`, made just before it), else a name of its own (`accessibleName`).
    std::string label;
    std::string accessibleName;
};

struct MenuDesign {
    std::string name;
    std::string caption;   // "-" for a separator
    std::string shortcut;  // "Ctrl+X"
    std::string parent;    // empty for a menu of the menu bar
};

struct FormDesign {
    std::string name;
    std::string caption;
    int width = 0;  // client area
    int height = 0;
    std::vector<ControlDesign> controls;
    std::vector<MenuDesign> menus;
    // Status bar panel widths from the left; the last panel takes the rest.
    std::vector<int> statusPanelWidths;
};

const FormDesign& mainWindowDesign();
const FormDesign& previewWindowDesign();
const FormDesign& aboutWindowDesign();

// The kind's type name as controls report it ("TextBox", "CommandButton"...).
std::string typeNameOf(ControlKind kind);

}  // namespace qm::platform
