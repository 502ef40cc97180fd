// The three windows as sets of controls. A back end builds each window from its design
// (FormDesigns.h) and hands the logic these pointers; the window object owns its controls and
// lives until the logic drops it (Ui.h makes them).
#pragma once

#include <memory>
#include <vector>

#include "services/SystemInformation.h"
#include "ui/Controls.h"
#include "ui/Ui.h"

namespace qm::platform {

struct MainControls {
    Window* window = nullptr;
    DriveList* Drive1 = nullptr;
    FolderList* Dir1 = nullptr;
    FileList* File1 = nullptr;
    ComboBox* cmbFilterType = nullptr;
    ComboBox* cmbFileFilter = nullptr;
    Button* cmdSelectAll = nullptr;
    Button* cmdDeselectAll = nullptr;
    Frame* framFilenameCase = nullptr;
    std::vector<OptionButton*> optFilenameCase;
    Frame* framChangeExtensionCase = nullptr;
    std::vector<OptionButton*> optFileExtensionCase;
    Label* lblReplace = nullptr;
    TextBox* txtReplaceThis = nullptr;
    Label* lblReplaceWith = nullptr;
    TextBox* txtWithThis = nullptr;
    Button* cmdPreview = nullptr;
    Button* cmdRename = nullptr;
    Button* cmdExit = nullptr;
    ProgressBar* ProgressBar1 = nullptr;
    StatusBar* StatusBar1 = nullptr;

    MenuItem* mnuFile = nullptr;
    MenuItem* mnuFileExit = nullptr;
    MenuItem* mnuEdit = nullptr;
    MenuItem* mnuEditCut = nullptr;
    MenuItem* mnuEditCopy = nullptr;
    MenuItem* mnuEditPaste = nullptr;
    MenuItem* mnuEditSelectAll = nullptr;
    MenuItem* mnuEditDeselectAll = nullptr;
    MenuItem* mnuView = nullptr;
    MenuItem* mnuViewOpenCurrentFolder = nullptr;
    MenuItem* mnuViewPreview = nullptr;
    MenuItem* mnuViewRefresh = nullptr;
    MenuItem* mnuViewLogFile = nullptr;
    MenuItem* mnuHelp = nullptr;
    MenuItem* mnuHelpAbout = nullptr;
    MenuItem* mnuHelpHowToUse = nullptr;
};

struct PreviewControls {
    Window* window = nullptr;
    Label* lblOriginalFilenames = nullptr;
    Label* lblNewFilenames = nullptr;
    ListBox* lstBefore = nullptr;  // the old names
    ListBox* lstAfter = nullptr;   // the new names
    // What both lists show: the run fills it, the preview marks it.
    std::shared_ptr<PreviewRows> rows;
    Label* lblPath = nullptr;
    Label* lblWarning = nullptr;
    Button* cmdContinue = nullptr;
    Button* cmdCancel = nullptr;
};

struct AboutControls {
    Window* window = nullptr;
    DriveList* lstDrive = nullptr;
    Label* lblAboutInfo = nullptr;
    Label* lblCopyrightInfo = nullptr;
    Button* cmdContinue = nullptr;
    Line* Line1 = nullptr;
    SystemInformation* SystemInfo = nullptr;
};

// A created window: its controls stay valid as long as this object lives.
template <typename Controls>
class View {
  public:
    virtual ~View() = default;
    virtual Controls& controls() = 0;
};

}  // namespace qm::platform
