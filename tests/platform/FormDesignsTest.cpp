// The three windows and the menu bar as the program's description draws them, typed in here row
// by row: a change of any position, size, caption, access key, tooltip, tab index or shortcut
// in the window designs fails one of these tables.
#include "platform/FormDesigns.h"

#include <gtest/gtest.h>

namespace qm::platform {
namespace {

using K = ControlKind;

struct ControlRow {
    const char* name;
    int index;  // within an option group, else -1
    ControlKind kind;
    Rect rect;
    const char* caption;
    const char* toolTip;
    int tabIndex;
};

const ControlDesign& rowOf(const FormDesign& form, const std::string& name, int index) {
    for (const ControlDesign& d : form.controls) {
        if (d.name == name && d.index == index) {
            return d;
        }
    }
    throw std::out_of_range("no control " + name);
}

void expectControls(const FormDesign& form, const std::vector<ControlRow>& rows, bool geometry) {
    ASSERT_EQ(form.controls.size(), rows.size()) << form.name;
    for (const ControlRow& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.index));
        const ControlDesign& d = rowOf(form, row.name, row.index);
        EXPECT_EQ(d.kind, row.kind);
        if (geometry) {
            EXPECT_EQ(d.rect, row.rect);
            EXPECT_EQ(d.tabIndex, row.tabIndex);
        }
        EXPECT_EQ(d.caption, row.caption);
        EXPECT_EQ(d.toolTip, row.toolTip);
    }
}

TEST(WindowDesigns, MainWindowControlByControl) {
    const FormDesign& form = mainWindowDesign();
    EXPECT_EQ(form.caption, "Quillmote Utility");
    EXPECT_EQ(form.width, 800);
    EXPECT_EQ(form.height, 536);
    // Options are 105 pixels wide, not 91: "Don't Change" was clipped in the fonts of a Linux
    // desktop, and the frames leave exactly that room.
    constexpr int w = 105;
    expectControls(
        form,
        {
            {"Drive1",
             -1,
             K::DriveList,
             {6, 10, 317, 21},
             "",
             "Select Drive where files are located",
             0},
            {"Dir1", -1, K::FolderList, {6, 38, 317, 471}, "", "Select Folder containing files", 1},
            {"File1",
             -1,
             K::FileList,
             {328, 10, 335, 409},
             "",
             "Files found meeting search criteria.  Select all files you want to rename.",
             2},
            {"cmbFilterType",
             -1,
             K::ComboBox,
             {328, 426, 123, 21},
             "",
             "Type of files to search for",
             3},
            {"cmbFileFilter",
             -1,
             K::ComboBox,
             {452, 426, 211, 21},
             "",
             "Refine Filter of selected file type",
             4},
            {"cmdSelectAll",
             -1,
             K::Button,
             {670, 10, 122, 25},
             "Select &All",
             "Select all files in file list",
             5},
            {"cmdDeselectAll",
             -1,
             K::Button,
             {670, 40, 122, 25},
             "&Deselect All",
             "Deselect all files in file list",
             6},
            {"framFilenameCase",
             -1,
             K::Frame,
             {670, 224, 121, 103},
             " Filename Case ",
             "Change text case of file names",
             7},
            {"optFilenameCase",
             0,
             K::OptionButton,
             {8, 19, w, 13},
             "Don't Change",
             "Don't change case of file names",
             8},
            {"optFilenameCase",
             1,
             K::OptionButton,
             {8, 38, w, 13},
             "Lower Case",
             "Change file names to lower case",
             9},
            {"optFilenameCase",
             2,
             K::OptionButton,
             {8, 58, w, 13},
             "Upper Case",
             "Change file names to upper case",
             10},
            {"optFilenameCase",
             3,
             K::OptionButton,
             {8, 77, w, 13},
             "Proper Case",
             "Change file names to proper case",
             11},
            {"framChangeExtensionCase",
             -1,
             K::Frame,
             {670, 330, 121, 83},
             " Extension Case ",
             "Change text case of file extensions",
             12},
            {"optFileExtensionCase",
             0,
             K::OptionButton,
             {8, 19, w, 13},
             "Don't Change",
             "Don't change case of file extensions",
             13},
            {"optFileExtensionCase",
             1,
             K::OptionButton,
             {8, 38, w, 13},
             "Lower Case",
             "Change file extensions to lower case",
             14},
            {"optFileExtensionCase",
             2,
             K::OptionButton,
             {8, 58, w, 13},
             "Upper Case",
             "Change file extensions to upper case",
             15},
            {"lblReplace", -1, K::Label, {332, 462, 80, 13}, "Replace This:", "", 16},
            {"txtReplaceThis",
             -1,
             K::TextBox,
             {418, 456, 245, 23},
             "",
             "Text in file names to replace",
             17},
            {"lblReplaceWith", -1, K::Label, {332, 488, 59, 13}, "With This:", "", 18},
            {"txtWithThis", -1, K::TextBox, {418, 484, 245, 23}, "", "New text replacement", 19},
            {"cmdPreview",
             -1,
             K::Button,
             {670, 422, 122, 25},
             "&Preview",
             "Preview renamed files before renaming them",
             20},
            {"cmdRename", -1, K::Button, {670, 452, 122, 25}, "&Rename", "Rename files now", 21},
            {"cmdExit", -1, K::Button, {670, 482, 122, 25}, "E&xit", "Exit Quillmote Utility", 22},
            {"ProgressBar1", -1, K::ProgressBar, {0, 513, 800, 23}, "", "", -1},
            {"StatusBar1", -1, K::StatusBar, {0, 513, 800, 23}, "", "", -1},
        },
        true);
    for (const ControlDesign& d : form.controls) {
        SCOPED_TRACE(d.name);
        EXPECT_EQ(d.container, d.name == "optFilenameCase"        ? "framFilenameCase"
                               : d.name == "optFileExtensionCase" ? "framChangeExtensionCase"
                                                                  : "");
        EXPECT_EQ(d.initiallyChosen, d.kind == K::OptionButton && d.index == 0);
        EXPECT_EQ(d.initiallyVisible, d.name != "ProgressBar1");
    }
}

TEST(WindowDesigns, PreviewAndAboutControls) {
    const FormDesign& preview = previewWindowDesign();
    EXPECT_EQ(preview.caption, "Quillmote Preview Window");
    expectControls(
        preview,
        {
            {"lblOriginalFilenames", -1, K::Label, {}, "Original Filenames", "", 0},
            {"lblNewFilenames", -1, K::Label, {}, "New Filenames", "", 0},
            {"lstBefore", -1, K::ListBox, {}, "", "", 0},
            {"lstAfter", -1, K::ListBox, {}, "", "", 0},
            {"lblPath", -1, K::Label, {}, "", "", 0},
            {"lblWarning", -1, K::Label, {}, "", "", 0},  // how many new names are taken
            {"cmdContinue", -1, K::Button, {}, "Continue With &Renaming Operation", "", 0},
            {"cmdCancel", -1, K::Button, {}, "&Cancel", "", 0},
        },
        false);
    const FormDesign& about = aboutWindowDesign();
    expectControls(about,
                   {
                       {"lstDrive", -1, K::DriveList, {}, "", "", 0},
                       {"lblAboutInfo", -1, K::Label, {}, "", "", 0},
                       {"lblCopyrightInfo", -1, K::Label, {}, "", "", 0},
                       {"cmdContinue", -1, K::Button, {}, "&Continue", "", 0},
                       {"Line1", -1, K::Line, {}, "", "", 0},
                   },
                   false);
    EXPECT_TRUE(rowOf(about, "lblCopyrightInfo", -1).centred);
    EXPECT_EQ(rowOf(about, "Line1", -1).rect.top, 0);  // along the top edge
}

TEST(WindowDesigns, MenuBarItemByItem) {
    struct MenuRow {
        const char* name;
        const char* caption;
        const char* shortcut;
        const char* parent;
    };
    const std::vector<MenuRow> rows = {
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
    const auto& menus = mainWindowDesign().menus;
    ASSERT_EQ(menus.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(menus[i].name, rows[i].name);
        EXPECT_EQ(menus[i].caption, rows[i].caption);
        EXPECT_EQ(menus[i].shortcut, rows[i].shortcut);
        EXPECT_EQ(menus[i].parent, rows[i].parent);
    }
}

}  // namespace
}  // namespace qm::platform
