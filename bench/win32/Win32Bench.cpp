// The Windows program's two timings, run under Wine (scripts/windows-bench) or on Windows:
//   BM_Win32FileList100k  the Win32 file list over a folder of 100,000 files, from choosing the
//                         folder to the first finished paint;
//   BM_Win32Preview100k   the preview window over 100,000 pairs of names, from making the window
//                         to both lists painted;
//   BM_Win32RenameRun     20,000 selected files renamed and logged through the Win32 main window
//                         after Yes, progress bar and all, against
//   BM_Win32RenameFloor   the floor of any renamer with a log: MoveFileExW and an append of one
//                         entry (open, append, close) per file, in the same run.
// The list prints the best of three, each run one timing, in milliseconds (Google Benchmark does
// not build for Windows here). The folders come filled: under Wine, making a file costs a look
// through the whole folder, so scripts/windows-bench makes them on the Linux side.
//   bench_win32 <folder of 100,000 files> <folder of 20,000 files> <another such folder>
//   bench_win32 preview   (the preview alone, which needs no folder)
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "base/Utf16.h"
#include "bench/support/ProgramStandIns.h"
#include "platform/win32/Win32CaseRules.h"
#include "platform/win32/Win32DriveQuery.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32LocaleFormat.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemFacts.h"
#include "platform/win32/Win32Trash.h"
#include "platform/win32ui/Win32ControlBase.h"
#include "platform/win32ui/Win32Ui.h"
#include "services/Clock.h"
#include "ui/Services.h"

namespace {

using namespace qm::platform;
namespace fs = std::filesystem;

double milliseconds(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return took.count();
}

double bestOfThree(const std::function<void()>& prepare, const std::function<void()>& run) {
    double best = 1e300;
    for (int i = 0; i < 3; ++i) {
        prepare();
        best = std::min(best, milliseconds(run));
    }
    return best;
}

// The number of IMG_<1000000 + i>.JPG files a folder must hold.
void expectFiles(const fs::path& folder, int files) {
    if (!fs::exists(folder / (L"IMG_" + std::to_wstring(1000000 + files - 1) + L".JPG"))) {
        throw std::runtime_error(folder.string() + " does not hold the files");
    }
}

std::string utf8(const fs::path& path) {
    return qm::text::fromUtf16(path.wstring());
}

using BenchFacts = qm::bench::ProgramAt<Win32SystemFacts>;
using qm::bench::YesBox;

void fileList100k(const fs::path& folder) {
    expectFiles(folder, 100000);
    Win32FileSystem files;
    Win32DriveQuery drives;
    Win32SystemFacts facts;
    const qm::text::CaseMapper mapper(Win32CaseRules::user());
    Win32Ui ui(files, drives, mapper, facts);
    auto view = ui.createMainWindow();
    MainControls& c = view->controls();
    c.window->show();
    const HWND list = dynamic_cast<Win32ControlBase&>(*c.File1).handle();
    const double ms = bestOfThree([&] { c.File1->setPath(utf8(folder.parent_path())); },
                                  [&] {
                                      c.File1->setPath(utf8(folder));
                                      ::UpdateWindow(list);
                                  });
    if (c.File1->listCount() != 100000) {
        throw std::runtime_error("the list does not hold every file");
    }
    // What the file layer alone takes of it: under Wine, reading a folder costs most.
    const double read = bestOfThree([] {}, [&] { (void)files.listFolder(utf8(folder)); });
    std::printf("BM_Win32FileList100k   %9.1f ms  (100,000 files)\n", ms);
    std::printf("  of which listFolder  %9.1f ms\n", read);
}

// The preview window's own share of a preview of 100,000 names: the window made, the pairs the
// run hands it added, one name marked, both lists shown and painted; no folder read and no name
// computed, which the engine and the file layer do before.
void preview100k() {
    constexpr int count = 100000;
    std::vector<std::string> oldNames;
    std::vector<std::string> newNames;
    for (int i = 0; i < count; ++i) {
        oldNames.push_back("IMG_" + std::to_string(1000000 + i) + ".JPG");
        newNames.push_back("Holiday " + std::to_string(1000000 + i) + ".JPG");
    }
    Win32FileSystem files;
    Win32DriveQuery drives;
    Win32SystemFacts facts;
    const qm::text::CaseMapper mapper(Win32CaseRules::user());
    Win32Ui ui(files, drives, mapper, facts);
    std::unique_ptr<PreviewView> view;
    const double ms =
        bestOfThree([&] { view.reset(); },
                    [&] {
                        view = ui.createPreviewWindow();
                        PreviewControls& c = view->controls();
                        for (int i = 0; i < count; ++i) {
                            c.rows->add(oldNames[i], newNames[i]);
                        }
                        c.rows->setWarning(1, "taken");
                        c.window->show();
                        for (ListBox* list : {c.lstBefore, c.lstAfter}) {
                            ::UpdateWindow(dynamic_cast<Win32ControlBase&>(*list).handle());
                        }
                    });
    if (view->controls().lstAfter->listCount() != count) {
        throw std::runtime_error("the preview does not hold every name");
    }
    std::printf("BM_Win32Preview100k    %9.1f ms  (100,000 names: the window's own share)\n", ms);
}

void renameRun(const fs::path& folder, const fs::path& floorFolder, int count) {
    expectFiles(folder, count);
    expectFiles(floorFolder, count);
    const fs::path root = folder.parent_path();
    fs::create_directories(root / "app");
    Win32FileSystem files;
    Win32Trash trash;
    Win32Shell shell;
    SystemClock clock;
    const Win32LocaleFormat format;
    BenchFacts facts(utf8(root / "app" / "Quillmote.exe"));
    const qm::text::CaseMapper mapper(Win32CaseRules::user());
    Win32Registry registry("Software\\Quillmote Benchmark");
    Win32DriveQuery drives;
    Win32Ui ui(files, drives, mapper, facts);
    YesBox messages;
    Services services{files, trash,  messages, shell,  clock, format,
                      facts, mapper, registry, drives, ui};
    qm::Application app(services);
    app.GetPreferences();
    app.showMainWindow();
    qm::frmQuillmote& window = *app.mainWindow();
    MainControls& c = window.controls();
    c.Dir1->setPath(utf8(folder));
    window.cmdSelectAll_Click();
    c.txtReplaceThis->setText("IMG_");
    c.txtWithThis->setText("Holiday ");
    const int before = messages.shown;
    const double run = milliseconds([&] { window.cmdRename_Click(); });
    if (messages.shown != before + 1 || !fs::exists(folder / "Holiday 1000000.JPG")) {
        throw std::runtime_error("the run did not rename every file");
    }

    const fs::path floorLog = root / "floor-log.txt";
    const double floor = milliseconds([&] {
        for (int i = 0; i < count; ++i) {
            const std::wstring number = std::to_wstring(1000000 + i);
            const fs::path from = floorFolder / (L"IMG_" + number + L".JPG");
            const fs::path to = floorFolder / (L"Holiday " + number + L".JPG");
            if (!::MoveFileExW(from.c_str(), to.c_str(), 0)) {
                throw std::runtime_error("rename failed");
            }
            const std::string entry =
                "Renamed: " + utf8(from) + "\r\n------> " + utf8(to) + "\r\n\r\n";
            const HANDLE h = ::CreateFileW(floorLog.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            DWORD written = 0;
            ::WriteFile(h, entry.data(), static_cast<DWORD>(entry.size()), &written, nullptr);
            ::CloseHandle(h);
        }
    });
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quillmote Benchmark");
    std::printf("BM_Win32RenameRun      %9.1f ms  (%d files)\n", run, count);
    std::printf("BM_Win32RenameFloor    %9.1f ms  (%d files)\n", floor, count);
    std::printf("run / floor            %9.2f\n", run / floor);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const bool previewOnly = argc == 2 && std::wstring(argv[1]) == L"preview";
    if (argc != 4 && !previewOnly) {
        std::fprintf(stderr,
                     "usage: bench_win32 <100,000 files> <20,000 files> <20,000 files>\n"
                     "       bench_win32 preview\n");
        return 2;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    try {
        if (previewOnly) {
            preview100k();
            return 0;
        }
        fileList100k(argv[1]);
        preview100k();
        renameRun(argv[2], argv[3], 20000);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
