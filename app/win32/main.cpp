// The Windows program: the Windows services (files, Recycle Bin, registry, drives, shell, locale)
// and the Win32 windows under the one Application, then the message loop until the program ends
// itself.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "app/Application.h"
#include "base/Text.h"
#include "platform/win32/Win32CaseRules.h"
#include "platform/win32/Win32DriveQuery.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32LocaleFormat.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemFacts.h"
#include "platform/win32/Win32Trash.h"
#include "platform/win32ui/Win32Ui.h"
#include "services/Clock.h"
#include "ui/Services.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES |
                                                       ICC_PROGRESS_CLASS | ICC_BAR_CLASSES |
                                                       ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);

    qm::platform::Win32FileSystem files;
    qm::platform::Win32Trash trash;
    qm::platform::Win32Shell shell;
    qm::platform::SystemClock clock;
    const qm::platform::Win32LocaleFormat format;
    qm::platform::Win32SystemFacts facts;
    const qm::text::CaseMapper caseMapper(qm::platform::Win32CaseRules::user());
    qm::platform::Win32Registry registry;
    qm::platform::Win32DriveQuery drives;
    qm::platform::Win32Ui ui(files, drives, caseMapper, facts);
    qm::platform::Win32OwnedMessageBox messages(ui);
    qm::platform::Services services{files, trash,      messages, shell,  clock, format,
                                    facts, caseMapper, registry, drives, ui};

    qm::Application program(services);
    program.Main();
    return ui.exec();
}
