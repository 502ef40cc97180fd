// The Windows program: the Windows services (files, Recycle Bin, registry, drives, shell, locale)
// and the Win32 windows under the one Application, then the message loop until the program ends
// itself.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>
#include <objbase.h>

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

namespace {

// The window's thread in a single-threaded COM apartment for the program's life: the shell's
// functions (ShellExecuteW, SHFileOperationW, SHGetFileInfoW) reach extensions through COM.
class ComApartment {
  public:
    ComApartment()
        : m_entered(SUCCEEDED(
              ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (m_entered) {
            ::CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool m_entered;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // A drive without media (a card reader, an optical drive) fails its call instead of raising
    // the system's "insert a disk" box, for every thread and every call of the program.
    ::SetErrorMode(SEM_FAILCRITICALERRORS);
    const ComApartment com;
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
    // Follows changes of the program's own key only, where cRegistry keeps every setting.
    qm::platform::Win32Registry registry("", "Software\\" + qm::AppIdentity::title());
    qm::platform::Win32DriveQuery drives;
    qm::platform::Win32Ui ui(files, drives, caseMapper, facts);
    qm::platform::Win32OwnedMessageBox messages(ui);
    const auto windowInFront = [&ui]() -> void* { return ui.windowOnTop(nullptr); };
    trash.setOwner(windowInFront);
    shell.setOwner(windowInFront);
    qm::platform::Services services{files, trash,      messages, shell,  clock, format,
                                    facts, caseMapper, registry, drives, ui};

    qm::Application program(services);
    program.Main();
    return ui.exec();
}
