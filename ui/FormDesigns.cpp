#include "ui/FormDesigns.h"

namespace qm::platform {

namespace {

using K = ControlKind;

// Options are 91 pixels wide in the original layout; "Don't Change" needs more in the fonts a
// Linux desktop uses, and the frames leave room up to 105.
constexpr int kOptionWidth = 105;

ControlDesign ctl(std::string name, K kind, Rect rect, std::string caption, std::string toolTip,
                  int tabIndex = -1) {
    ControlDesign d;
    d.name = std::move(name);
    d.kind = kind;
    d.rect = rect;
    d.caption = std::move(caption);
    d.toolTip = std::move(toolTip);
    d.tabIndex = tabIndex;
    return d;
}

ControlDesign option(std::string group, int index, Rect rect, std::string caption,
                     std::string toolTip, int tabIndex, std::string frame) {
    ControlDesign d = ctl(std::move(group), K::OptionButton, rect, std::move(caption),
                          std::move(toolTip), tabIndex);
    d.container = std::move(frame);
    d.index = index;
    d.initiallyChosen = index == 0;
    return d;
}

ControlDesign hidden(ControlDesign d) {
    d.initiallyVisible = false;
    return d;
}

ControlDesign byDefault(ControlDesign d) {
    d.defaultButton = true;
    return d;
}

ControlDesign onEscape(ControlDesign d) {
    d.cancelButton = true;
    return d;
}

ControlDesign centred(ControlDesign d) {
    d.centred = true;
    return d;
}

ControlDesign labelledBy(std::string label, ControlDesign d) {
    d.label = std::move(label);
    return d;
}

// A control without a label is called what its tooltip says it is for.
ControlDesign namedByToolTip(ControlDesign d) {
    d.accessibleName = d.toolTip;
    return d;
}

ControlDesign named(std::string name, ControlDesign d) {
    d.accessibleName = std::move(name);
    return d;
}

FormDesign makeMainWindow() {
    FormDesign f;
    f.name = "frmQuillmote";
    f.caption = "Quillmote Utility";
    f.width = 800;
    f.height = 536;
    f.statusPanelWidths = {640};
    f.controls = {
        namedByToolTip(ctl("Drive1", K::DriveList, {6, 10, 317, 21}, "",
                           "Select Drive where files are located", 0)),
        namedByToolTip(
            ctl("Dir1", K::FolderList, {6, 38, 317, 471}, "", "Select Folder containing files", 1)),
        namedByToolTip(
            ctl("File1", K::FileList, {328, 10, 335, 409}, "",
                "Files found meeting search criteria.  Select all files you want to rename.", 2)),
        namedByToolTip(ctl("cmbFilterType", K::ComboBox, {328, 426, 123, 21}, "",
                           "Type of files to search for", 3)),
        namedByToolTip(ctl("cmbFileFilter", K::ComboBox, {452, 426, 211, 21}, "",
                           "Refine Filter of selected file type", 4)),
        ctl("cmdSelectAll", K::Button, {670, 10, 122, 25}, "Select &All",
            "Select all files in file list", 5),
        ctl("cmdDeselectAll", K::Button, {670, 40, 122, 25}, "&Deselect All",
            "Deselect all files in file list", 6),
        ctl("framFilenameCase", K::Frame, {670, 224, 121, 103}, " Filename Case ",
            "Change text case of file names", 7),
        option("optFilenameCase", 0, {8, 19, kOptionWidth, 13}, "Don't Change",
               "Don't change case of file names", 8, "framFilenameCase"),
        option("optFilenameCase", 1, {8, 38, kOptionWidth, 13}, "Lower Case",
               "Change file names to lower case", 9, "framFilenameCase"),
        option("optFilenameCase", 2, {8, 58, kOptionWidth, 13}, "Upper Case",
               "Change file names to upper case", 10, "framFilenameCase"),
        option("optFilenameCase", 3, {8, 77, kOptionWidth, 13}, "Proper Case",
               "Change file names to proper case", 11, "framFilenameCase"),
        ctl("framChangeExtensionCase", K::Frame, {670, 330, 121, 83}, " Extension Case ",
            "Change text case of file extensions", 12),
        option("optFileExtensionCase", 0, {8, 19, kOptionWidth, 13}, "Don't Change",
               "Don't change case of file extensions", 13, "framChangeExtensionCase"),
        option("optFileExtensionCase", 1, {8, 38, kOptionWidth, 13}, "Lower Case",
               "Change file extensions to lower case", 14, "framChangeExtensionCase"),
        option("optFileExtensionCase", 2, {8, 58, kOptionWidth, 13}, "Upper Case",
               "Change file extensions to upper case", 15, "framChangeExtensionCase"),
        ctl("lblReplace", K::Label, {332, 462, 80, 13}, "Replace This:", "", 16),
        labelledBy("lblReplace", ctl("txtReplaceThis", K::TextBox, {418, 456, 245, 23}, "",
                                     "Text in file names to replace", 17)),
        ctl("lblReplaceWith", K::Label, {332, 488, 59, 13}, "With This:", "", 18),
        labelledBy("lblReplaceWith", ctl("txtWithThis", K::TextBox, {418, 484, 245, 23}, "",
                                         "New text replacement", 19)),
        ctl("cmdPreview", K::Button, {670, 422, 122, 25}, "&Preview",
            "Preview renamed files before renaming them", 20),
        ctl("cmdRename", K::Button, {670, 452, 122, 25}, "&Rename", "Rename files now", 21),
        ctl("cmdExit", K::Button, {670, 482, 122, 25}, "E&xit", "Exit Quillmote Utility", 22),
        named("Rename progress",
              hidden(ctl("ProgressBar1", K::ProgressBar, {0, 513, 800, 23}, "", ""))),
        ctl("StatusBar1", K::StatusBar, {0, 513, 800, 23}, "", "", -1),
    };
    f.menus = {
        {"mnuFile", "&File", "", ""},
        {"mnuFileExit", "E&xit", "", "mnuFile"},
        {"mnuEdit", "&Edit", "", ""},
        {"mnuEditCut", "Cut", "Ctrl+X", "mnuEdit"},
        {"mnuEditCopy", "&Copy", "Ctrl+C", "mnuEdit"},
        {"mnuEditPaste", "&Paste", "Ctrl+V", "mnuEdit"},
        {"mnuEditSeparator1", "-", "", "mnuEdit"},
        {"mnuEditSelectAll", "Select &All", "Ctrl+A", "mnuEdit"},
        {"mnuEditDeselectAll", "&Deselect All", "Ctrl+D", "mnuEdit"},
        {"mnuView", "&View", "", ""},
        {"mnuViewOpenCurrentFolder", "Open Current Folder", "", "mnuView"},
        {"mnuViewPreview", "&Preview File Name Change(s)", "Ctrl+P", "mnuView"},
        {"mnuViewSeparator1", "-", "", "mnuView"},
        {"mnuViewRefresh", "&Refresh", "Ctrl+R", "mnuView"},
        {"mnuViewSeparator2", "-", "", "mnuView"},
        {"mnuViewLogFile", "&Log File", "", "mnuView"},
        {"mnuHelp", "&Help", "", ""},
        {"mnuHelpAbout", "&About", "", "mnuHelp"},
        {"mnuHelpSeparator1", "-", "", "mnuHelp"},
        {"mnuHelpHowToUse", "How to &Use", "", "mnuHelp"},
    };
    return f;
}

FormDesign makePreviewWindow() {
    FormDesign f;
    f.name = "frmPreview";
    f.caption = "Quillmote Preview Window";
    f.width = 720;
    f.height = 480;
    f.controls = {
        // Each label right before its list: Windows names a list by the label made before it.
        ctl("lblOriginalFilenames", K::Label, {10, 10, 345, 16}, "Original Filenames", ""),
        labelledBy("lblOriginalFilenames",
                   ctl("lstBefore", K::ListBox, {10, 30, 345, 362}, "", "", 0)),
        ctl("lblNewFilenames", K::Label, {365, 10, 345, 16}, "New Filenames", ""),
        labelledBy("lblNewFilenames", ctl("lstAfter", K::ListBox, {365, 30, 345, 362}, "", "", 1)),
        ctl("lblPath", K::Label, {10, 400, 700, 18}, "", ""),
        ctl("lblWarning", K::Label, {10, 418, 700, 16}, "", ""),
        ctl("cmdContinue", K::Button, {330, 438, 240, 30}, "Continue With &Renaming Operation", "",
            2),
        onEscape(ctl("cmdCancel", K::Button, {580, 438, 130, 30}, "&Cancel", "", 3)),
    };
    return f;
}

FormDesign makeAboutWindow() {
    FormDesign f;
    f.name = "frmAbout";
    f.caption = "";
    f.width = 560;
    f.height = 440;
    f.controls = {
        ctl("Line1", K::Line, {0, 0, 560, 0}, "", ""),
        named("Drive", ctl("lstDrive", K::DriveList, {16, 16, 320, 24}, "", "", 0)),
        ctl("lblAboutInfo", K::Label, {16, 52, 528, 312}, "", ""),
        centred(ctl("lblCopyrightInfo", K::Label, {40, 372, 480, 18}, "", "")),
        // The box's one way out: Enter and Escape both close it.
        onEscape(byDefault(ctl("cmdContinue", K::Button, {436, 400, 108, 28}, "&Continue", "", 1))),
    };
    return f;
}

}  // namespace

const FormDesign& mainWindowDesign() {
    static const FormDesign design = makeMainWindow();
    return design;
}

const FormDesign& previewWindowDesign() {
    static const FormDesign design = makePreviewWindow();
    return design;
}

const FormDesign& aboutWindowDesign() {
    static const FormDesign design = makeAboutWindow();
    return design;
}

std::string typeNameOf(ControlKind kind) {
    switch (kind) {
        case K::DriveList:
            return "DriveListBox";
        case K::FolderList:
            return "DirListBox";
        case K::FileList:
            return "FileListBox";
        case K::ComboBox:
            return "ComboBox";
        case K::Button:
            return "CommandButton";
        case K::Frame:
            return "Frame";
        case K::OptionButton:
            return "OptionButton";
        case K::Label:
            return "Label";
        case K::TextBox:
            return "TextBox";
        case K::ListBox:
            return "ListBox";
        case K::ProgressBar:
            return "ProgressBar";
        case K::StatusBar:
            return "StatusBar";
        case K::Line:
            return "Line";
    }
    return "Control";
}

}  // namespace qm::platform
