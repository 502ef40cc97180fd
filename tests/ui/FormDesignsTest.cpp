// The three windows and the menu bar as the program's description draws them, typed in here row
// by row: a change of any position, size, caption, access key, tooltip, tab index or shortcut
// in the window designs fails one of these tables.
#include "ui/FormDesigns.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qm::platform {
namespace {

// One control as "name[index] Kind left,top,width,height tab|caption|tooltip" (the kind as the
// control reports it, no index outside option groups, tab -1 for no tab stop, "-" for
// geometry and tab where the description leaves the layout open), compared with the design.
std::string describe(const ControlDesign& d, bool geometry) {
    std::ostringstream out;
    out << d.name << (d.index >= 0 ? "[" + std::to_string(d.index) + "]" : "") << ' '
        << typeNameOf(d.kind) << ' ';
    if (geometry) {
        out << d.rect.left << ',' << d.rect.top << ',' << d.rect.width << ',' << d.rect.height
            << ' ' << d.tabIndex;
    } else {
        out << "- -";
    }
    out << '|' << d.caption << '|' << d.toolTip;
    return out.str();
}

void expectControls(const FormDesign& form, const std::vector<std::string>& rows, bool geometry) {
    std::vector<std::string> actual;
    for (const ControlDesign& d : form.controls) {
        actual.push_back(describe(d, geometry));
    }
    std::sort(actual.begin(), actual.end());
    std::vector<std::string> expected = rows;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(actual, expected);
}

TEST(WindowDesigns, MainWindowControlByControl) {
    const FormDesign& form = mainWindowDesign();
    EXPECT_EQ(form.caption, "Quillmote Utility");
    EXPECT_EQ(form.width, 800);
    EXPECT_EQ(form.height, 536);
    // Options are 105 pixels wide, not 91: "Don't Change" was clipped in the fonts of a Linux
    // desktop, and the frames leave exactly that room. The status and progress bars share the
    // bottom edge, 23 pixels high.
    expectControls(
        form,
        {
            "Drive1 DriveListBox 6,10,317,21 0||Select Drive where files are located",
            "Dir1 DirListBox 6,38,317,471 1||Select Folder containing files",
            "File1 FileListBox 328,10,335,409 2||Files found meeting search criteria.  Select all "
            "files you want to rename.",
            "cmbFilterType ComboBox 328,426,123,21 3||Type of files to search for",
            "cmbFileFilter ComboBox 452,426,211,21 4||Refine Filter of selected file type",
            "cmdSelectAll CommandButton 670,10,122,25 5|Select &All|Select all files in file list",
            "cmdDeselectAll CommandButton 670,40,122,25 6|&Deselect All|Deselect all files in "
            "file list",
            "framFilenameCase Frame 670,224,121,103 7| Filename Case |Change text case of file "
            "names",
            "optFilenameCase[0] OptionButton 8,19,105,13 8|Don't Change|Don't change case of "
            "file names",
            "optFilenameCase[1] OptionButton 8,38,105,13 9|Lower Case|Change file names to lower "
            "case",
            "optFilenameCase[2] OptionButton 8,58,105,13 10|Upper Case|Change file names to "
            "upper case",
            "optFilenameCase[3] OptionButton 8,77,105,13 11|Proper Case|Change file names to "
            "proper case",
            "framChangeExtensionCase Frame 670,330,121,83 12| Extension Case |Change text case "
            "of file extensions",
            "optFileExtensionCase[0] OptionButton 8,19,105,13 13|Don't Change|Don't change case "
            "of file extensions",
            "optFileExtensionCase[1] OptionButton 8,38,105,13 14|Lower Case|Change file "
            "extensions to lower case",
            "optFileExtensionCase[2] OptionButton 8,58,105,13 15|Upper Case|Change file "
            "extensions to upper case",
            "lblReplace Label 332,462,80,13 16|Replace This:|",
            "txtReplaceThis TextBox 418,456,245,23 17||Text in file names to replace",
            "lblReplaceWith Label 332,488,59,13 18|With This:|",
            "txtWithThis TextBox 418,484,245,23 19||New text replacement",
            "cmdPreview CommandButton 670,422,122,25 20|&Preview|Preview renamed files before "
            "renaming them",
            "cmdRename CommandButton 670,452,122,25 21|&Rename|Rename files now",
            "cmdExit CommandButton 670,482,122,25 22|E&xit|Exit Quillmote Utility",
            "ProgressBar1 ProgressBar 0,513,800,23 -1||",
            "StatusBar1 StatusBar 0,513,800,23 -1||",
        },
        true);
    for (const ControlDesign& d : form.controls) {
        SCOPED_TRACE(d.name);
        EXPECT_EQ(d.container, d.name == "optFilenameCase"        ? "framFilenameCase"
                               : d.name == "optFileExtensionCase" ? "framChangeExtensionCase"
                                                                  : "");
        EXPECT_EQ(d.initiallyChosen, d.kind == ControlKind::OptionButton && d.index == 0);
        EXPECT_EQ(d.initiallyVisible, d.name != "ProgressBar1");
    }
}

TEST(WindowDesigns, PreviewAndAboutControls) {
    const FormDesign& preview = previewWindowDesign();
    EXPECT_EQ(preview.caption, "Quillmote Preview Window");
    expectControls(preview,
                   {
                       "lblOriginalFilenames Label - -|Original Filenames|",
                       "lblNewFilenames Label - -|New Filenames|",
                       "lstBefore ListBox - -||",
                       "lstAfter ListBox - -||",
                       "lblPath Label - -||",
                       "lblWarning Label - -||",  // how many new names are taken
                       "cmdContinue CommandButton - -|Continue With &Renaming Operation|",
                       "cmdCancel CommandButton - -|&Cancel|",
                   },
                   false);
    const FormDesign& about = aboutWindowDesign();
    expectControls(about,
                   {
                       "lstDrive DriveListBox - -||",
                       "lblAboutInfo Label - -||",
                       "lblCopyrightInfo Label - -||",
                       "cmdContinue CommandButton - -|&Continue|",
                       "Line1 Line - -||",
                   },
                   false);
    for (const ControlDesign& d : about.controls) {
        EXPECT_EQ(d.centred, d.name == "lblCopyrightInfo") << d.name;
        EXPECT_EQ(d.rect.top == 0, d.name == "Line1") << d.name;  // along the top edge
    }
    // Enter presses Continue in the About box (Escape's buttons are pressed in the windows' tests).
    for (const FormDesign* form : {&mainWindowDesign(), &previewWindowDesign(), &about}) {
        for (const ControlDesign& d : form->controls) {
            const std::string who = form->name + "." + d.name;
            EXPECT_EQ(d.defaultButton, who == "frmAbout.cmdContinue") << who;
        }
    }
}

TEST(WindowDesigns, MenuBarItemByItem) {
    // "name parent|caption|shortcut", in menu order.
    const std::vector<std::string> rows = {
        "mnuFile |&File|",
        "mnuFileExit mnuFile|E&xit|",
        "mnuEdit |&Edit|",
        "mnuEditCut mnuEdit|Cut|Ctrl+X",
        "mnuEditCopy mnuEdit|&Copy|Ctrl+C",
        "mnuEditPaste mnuEdit|&Paste|Ctrl+V",
        "mnuEditSeparator1 mnuEdit|-|",
        "mnuEditSelectAll mnuEdit|Select &All|Ctrl+A",
        "mnuEditDeselectAll mnuEdit|&Deselect All|Ctrl+D",
        "mnuView |&View|",
        "mnuViewOpenCurrentFolder mnuView|Open Current Folder|",
        "mnuViewPreview mnuView|&Preview File Name Change(s)|Ctrl+P",
        "mnuViewSeparator1 mnuView|-|",
        "mnuViewRefresh mnuView|&Refresh|Ctrl+R",
        "mnuViewSeparator2 mnuView|-|",
        "mnuViewLogFile mnuView|&Log File|",
        "mnuHelp |&Help|",
        "mnuHelpAbout mnuHelp|&About|",
        "mnuHelpSeparator1 mnuHelp|-|",
        "mnuHelpHowToUse mnuHelp|How to &Use|",
    };
    std::vector<std::string> actual;
    for (const MenuDesign& m : mainWindowDesign().menus) {
        actual.push_back(m.name + " " + m.parent + "|" + m.caption + "|" + m.shortcut);
    }
    EXPECT_EQ(actual, rows);
}

}  // namespace
}  // namespace qm::platform
