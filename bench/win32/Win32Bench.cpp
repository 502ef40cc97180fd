// The Windows program's two timings, run under Wine (scripts/windows-bench) or on Windows:
//   BM_Win32FileList100k  the Win32 file list over a folder of 100,000 files, from choosing the
//                         folder to the first finished paint;
//   BM_Win32Preview100k   the preview window over 100,000 pairs of names, from making the window
//                         (the first round; the next two get the window kept from the last) to
//                         both lists painted;
//   BM_Win32PreviewWindow a preview of 100,000 names through the Win32 main window, from Preview
//                         to the preview painted, split into its parts (below);
//   BM_Win32RenameRun     20,000 selected files renamed and logged through the Win32 main window
//                         after Yes, progress bar and all, against
//   BM_Win32RenameFloor   the floor of any renamer with a log: MoveFileExW and an append of one
//                         entry (open, append, close) per file, in the same run.
// The list prints the best of three, each run one timing, in milliseconds (Google Benchmark does
// not build for Windows here). The folders come filled: under Wine, making a file costs a look
// through the whole folder, so scripts/windows-bench makes them on the Linux side.
//   bench_win32 <folder of 100,000 files> <folder of 20,000 files> <another such folder>
//   bench_win32 preview   (the preview alone, which needs no folder)
//   bench_win32 preview <folder of 100,000 files>   (both previews, through the window first)
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <numeric>
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

// Processor time of the whole process so far (every thread, user and kernel), in milliseconds.
double processorMilliseconds() {
    FILETIME created{}, ended{}, kernel{}, user{};
    ::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               1e4;
    };
    return ms(kernel) + ms(user);
}

using Clock = std::chrono::steady_clock;

double between(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The file layer with its folder reads timed: under Wine, reading a folder is most of a preview.
class TimedFiles : public Win32FileSystem {
  public:
    std::vector<FolderEntry> listFolder(const std::string& path) const override {
        readStart = Clock::now();
        auto entries = Win32FileSystem::listFolder(path);
        readEnd = Clock::now();
        return entries;
    }
    mutable Clock::time_point readStart;
    mutable Clock::time_point readEnd;
};

// Watches the preview window come up, without a hook (under Wine a hook costs server calls on
// every message): the window is subclassed to note when it is shown (WM_SHOWWINDOW), which posts
// a message to a window of the watch's own. Posted messages come before paints, so that message
// arrives as the modal loop starts; it paints what waits to be painted, as the loop would next,
// marks the end and presses Cancel.
class PaintWatch {
  public:
    PaintWatch() {
        s_watch = this;
        static const bool registered = [] {
            WNDCLASSEXW c{};
            c.cbSize = sizeof c;
            c.lpfnWndProc = &PaintWatch::look;
            c.hInstance = ::GetModuleHandleW(nullptr);
            c.lpszClassName = L"QuillmoteBenchWatch";
            return ::RegisterClassExW(&c) != 0;
        }();
        (void)registered;
        m_looker = ::CreateWindowExW(0, L"QuillmoteBenchWatch", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                     nullptr, ::GetModuleHandleW(nullptr), nullptr);
    }
    ~PaintWatch() {
        ::DestroyWindow(m_looker);
        s_watch = nullptr;
    }
    PaintWatch(const PaintWatch&) = delete;
    PaintWatch& operator=(const PaintWatch&) = delete;

    // Watches the window `root`; `cancel` closes it. A window shown again is watched already.
    void watch(HWND root, std::function<void()>* cancel) {
        m_root = root;
        m_cancel = cancel;
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(root, GWLP_WNDPROC)) != &seen) {
            s_before[root] = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrW(root, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&seen)));
        }
    }

    Clock::time_point shownAt;
    Clock::time_point paintedAt;
    double processorShown = 0;
    double processorPainted = 0;

  private:
    static constexpr UINT kLook = WM_APP + 0x3A1;

    static LRESULT CALLBACK seen(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        const WNDPROC before = s_before.at(window);
        PaintWatch* w = s_watch;
        if (w != nullptr && message == WM_SHOWWINDOW && wParam != 0 && window == w->m_root &&
            !w->m_shown) {
            w->m_shown = true;
            w->shownAt = Clock::now();
            w->processorShown = processorMilliseconds();
            ::PostMessageW(w->m_looker, kLook, 0, 0);
        }
        return ::CallWindowProcW(before, window, message, wParam, lParam);
    }

    static LRESULT CALLBACK look(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        PaintWatch* w = s_watch;
        if (message == kLook && w != nullptr && !w->m_done) {
            // What waits to be painted is painted, as the message loop would paint it next;
            // bounded, for a window that never validates what it paints.
            MSG paint;
            for (int i = 0;
                 i < 1000 && ::PeekMessageW(&paint, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i) {
                ::DispatchMessageW(&paint);
            }
            w->m_done = true;
            w->paintedAt = Clock::now();
            w->processorPainted = processorMilliseconds();
            raise(*w->m_cancel);
            return 0;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    // The window procedure each watched window had before; a window may outlive its watch.
    static inline std::map<HWND, WNDPROC> s_before;

    static inline PaintWatch* s_watch = nullptr;
    HWND m_looker = nullptr;
    HWND m_root = nullptr;
    std::function<void()>* m_cancel = nullptr;
    bool m_shown = false;
    bool m_done = false;
};

// The windows with the preview window's making timed and watched.
class TimedUi : public Win32Ui {
  public:
    using Win32Ui::Win32Ui;
    std::unique_ptr<PreviewView> createPreviewWindow() override {
        madeFrom = Clock::now();
        processorFrom = processorMilliseconds();
        auto view = Win32Ui::createPreviewWindow();
        madeAt = Clock::now();
        processorMade = processorMilliseconds();
        if (watch != nullptr) {
            PreviewControls& c = view->controls();
            watch->watch(
                ::GetAncestor(dynamic_cast<Win32ControlBase&>(*c.lstAfter).handle(), GA_ROOT),
                &c.cmdCancel->onClick);
        }
        return view;
    }
    Clock::time_point madeFrom;
    Clock::time_point madeAt;
    double processorFrom = 0;
    double processorMade = 0;
    PaintWatch* watch = nullptr;
};

// The whole program over the Windows services, `Files` and `Ui` for its file layer and windows,
// with its log beside `folder` (in app\\): the folder chosen, every file selected, and the texts
// of a rename typed.
template <class Files, class Ui>
struct WholeProgram {
    explicit WholeProgram(const fs::path& folder)
        : facts((fs::create_directories(folder.parent_path() / "app"),
                 utf8(folder.parent_path() / "app" / "Quillmote.exe"))) {
        app.GetPreferences();
        app.showMainWindow();
        MainControls& c = window().controls();
        c.Dir1->setPath(utf8(folder));
        window().cmdSelectAll_Click();
        c.txtReplaceThis->setText("IMG_");
        c.txtWithThis->setText("Holiday ");
    }
    qm::frmQuillmote& window() { return *app.mainWindow(); }

    Files files;
    Win32Trash trash;
    Win32Shell shell;
    SystemClock clock;
    const Win32LocaleFormat format;
    BenchFacts facts;
    const qm::text::CaseMapper mapper{Win32CaseRules::user()};
    Win32Registry registry{"Software\\Quillmote Benchmark"};
    Win32DriveQuery drives;
    Ui ui{files, drives, mapper, facts};
    YesBox messages;
    Services services{files, trash,  messages, shell,  clock, format,
                      facts, mapper, registry, drives, ui};
    qm::Application app{services};
};

// A preview of 100,000 names as the user makes it: the folder chosen, Select All, the texts
// typed, Preview pressed; timed to the preview painted, split into the window's making, the run
// filling the pairs with the check of the names taken after it, Wine reading the folder for
// those names (on a thread of its own, beside the run), and the window shown and painted. Five
// rounds, each on the same main window.
void previewThroughWindow(const fs::path& folder) {
    constexpr int count = 100000;
    expectFiles(folder, count);
    WholeProgram<TimedFiles, TimedUi> program(folder);
    TimedFiles& files = program.files;
    TimedUi& ui = program.ui;
    qm::frmQuillmote& window = program.window();
    // The program idle once its main window is up, as the user finds it before a first
    // preview: the loop makes the preview window then. Two seconds at most.
    const auto until = Clock::now() + std::chrono::seconds(2);
    const UINT_PTR wake = ::SetTimer(nullptr, 0, 100, nullptr);
    ui.runModal([&] { return ui.previewWaiting() || Clock::now() > until; });
    ::KillTimer(nullptr, wake);
    std::printf("  the preview window %s\n",
                ui.previewWaiting() ? "made ahead at idle" : "not made ahead");
    std::printf(
        "BM_Win32PreviewWindow  (100,000 names through the main window; ms, processor ms "
        "in brackets)\n"
        "  round      all          making      run+check   read beside"
        "  shown+painted  window's share\n");
    std::vector<double> shares;
    for (int round = 1; round <= 5; ++round) {
        // What the last round left to paint is painted first.
        ui.pointer().processEvents();
        PaintWatch watch;
        ui.watch = &watch;
        const auto start = Clock::now();
        const double processorStart = processorMilliseconds();
        window.cmdPreview_Click();
        ui.watch = nullptr;
        const double processorEnd = watch.processorPainted;
        if (watch.paintedAt == Clock::time_point{} || window.previewWindow() != nullptr) {
            throw std::runtime_error("the preview was not shown");
        }
        const double making = between(ui.madeFrom, ui.madeAt);
        const double painting = between(watch.shownAt, watch.paintedAt);
        shares.push_back(making + painting);
        std::printf(
            "  %d  %7.1f (%5.0f)  %5.1f (%4.0f)  %5.1f       %5.1f        %5.1f (%4.0f)"
            "   %5.1f (%4.0f)\n",
            round, between(start, watch.paintedAt), processorEnd - processorStart, making,
            ui.processorMade - ui.processorFrom, between(ui.madeAt, watch.shownAt),
            between(files.readStart, files.readEnd), painting,
            watch.processorPainted - watch.processorShown, making + painting,
            ui.processorMade - ui.processorFrom + watch.processorPainted - watch.processorShown);
    }
    std::sort(shares.begin(), shares.end());
    std::printf("  window's share: median %.1f ms, best %.1f ms\n", shares[shares.size() / 2],
                shares.front());
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quillmote Benchmark");
}

void renameRun(const fs::path& folder, const fs::path& floorFolder, int count) {
    expectFiles(folder, count);
    expectFiles(floorFolder, count);
    const fs::path root = folder.parent_path();
    WholeProgram<Win32FileSystem, Win32Ui> program(folder);
    YesBox& messages = program.messages;
    qm::frmQuillmote& window = program.window();
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
    const bool previewOnly = (argc == 2 || argc == 3) && std::wstring(argv[1]) == L"preview";
    if (argc != 4 && !previewOnly) {
        std::fprintf(stderr,
                     "usage: bench_win32 <100,000 files> <20,000 files> <20,000 files>\n"
                     "       bench_win32 preview [<100,000 files>]\n");
        return 2;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    try {
        // The preview through the main window before the preview window alone: its first round
        // is then a program's first preview, with no preview window shown before it.
        if (previewOnly) {
            if (argc == 3) {
                previewThroughWindow(argv[2]);
            }
            preview100k();
            return 0;
        }
        fileList100k(argv[1]);
        previewThroughWindow(argv[1]);
        preview100k();
        renameRun(argv[2], argv[3], 20000);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
