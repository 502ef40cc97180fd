// The real Qt main window at 10,000, 100,000, 300,000 and 1,000,000 files, as the user waits for
// it:
//   BM_QtList/N       choosing the folder to the file list painted;
//   BM_QtSelectAll/N  Select All to the list painted and the count shown;
//   BM_QtPreview/N    Preview to the preview's lists painted (then Cancel, not timed);
//   BM_QtRenameRun/N  Rename, from Yes to the last log entry, beside
//   BM_RenameFloor/N  the floor of what any renamer with a log must do, in the same run.
// Each reports the time per file and the program's peak memory while it ran (peak_MiB, from
// what was resident when it began); BM_QtRenameRun also the floor timed beside each of its
// runs (before it or after it, by turns) on a folder of its own (floor_s) and the two in ratio
// (vs_floor; cpu_vs_floor: the processor time each took, which waiting for a busy machine does not
// swell), so that a machine whose speed drifts cannot tilt the comparison; each starts once the
// disk has written out what came before. The same again against the floor that also checks each
// opened log to be a plain file with one name, as the program does (floor_checked_s,
// vs_floor_checked, cpu_vs_floor_checked). What the window adds around the run is reported beside
// it: before Yes (the selection read and the input checked, before_s) and after the last entry (the
// list read again, refresh_s). The bare floor is timed a second time in each round, and the two
// in ratio (floor_again_vs_floor) tell how far this machine moves identical work: a vs_floor
// closer to 1 than that is beyond what one run can tell. Each round's run is also set against
// the bare floor of the same round, and the median of those ratios reported (vs_floor_median,
// floor_again_median): a round the machine slowed weighs no more than any other.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Application.h"
#include "base/Text.h"
#include "bench/gui/GuiApp.h"
#include "bench/support/PeakMemory.h"
#include "bench/support/ProgramStandIns.h"
#include "bench/support/RenameFloor.h"
#include "platform/posix/HiveFile.h"
#include "platform/posix/PosixDriveQuery.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixShell.h"
#include "platform/posix/PosixSystemFacts.h"
#include "platform/posix/PosixTrash.h"
#include "platform/qt/QtUi.h"
#include "services/Clock.h"
#include "services/LocaleFormat.h"
#include "services/MessageBox.h"
#include "ui/Services.h"

namespace {

using namespace qm::platform;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The processor time the process has used, user and system: on a machine shared with other
// work this, unlike the time on the clock, does not grow with how long the process waited.
double processorSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::string makeRoot() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base ? base : "/tmp") + "/qm-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    return pattern;
}

// A folder removed as the process ends.
struct RemovedAtExit {
    std::string path;
    ~RemovedAtExit() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

using BenchFacts = qm::bench::ProgramAt<PosixSystemFacts>;
using qm::bench::YesBox;

// The whole program over the real services, its settings, log and files in a folder of its own.
struct Program {
    static std::string prepared(const std::string& root) {
        qm::bench::guiApp();
        for (const char* sub : {"app", "config", "state", "home", "empty"}) {
            std::filesystem::create_directories(root + "/" + sub);
        }
        ::setenv("HOME", (root + "/home").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
        ::setenv("XDG_STATE_HOME", (root + "/state").c_str(), 1);
        return root;
    }
    explicit Program(const std::string& folder)
        : root(prepared(folder)),
          facts(root + "/app/quillmote"),
          trash(root + "/Trash"),
          ui(files, drives, caseMapper, facts),
          services{files, trash,      messages, shell,  clock, format,
                   facts, caseMapper, registry, drives, ui},
          app(services) {
        app.GetPreferences();
        app.showMainWindow();
        QWidget* top = dynamic_cast<QtWindow&>(*window().controls().window).widget();
        while (top->windowHandle() == nullptr || !top->windowHandle()->isExposed()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }
    // Never deleted, like the QApplication: its windows cannot be taken down once the process
    // is taking its statics down (Qt's per-thread data has gone by then); its folder goes.
    static Program& get() {
        static RemovedAtExit folder{makeRoot()};
        static Program* program = new Program(folder.path);
        return *program;
    }
    qm::frmQuillmote& window() { return *app.mainWindow(); }
    QtFileList& fileList() { return dynamic_cast<QtFileList&>(*window().controls().File1); }
    // A folder of `files` pictures, made once for the whole run; the rename benchmarks give the
    // files their names back after each run.
    std::string folder(int files, const std::string& use) {
        const std::string name = use + std::to_string(files);
        auto it = folders.find(name);
        if (it == folders.end()) {
            it = folders.emplace(name, qm::bench::fillFolder(root, name, files)).first;
        }
        return it->second;
    }
    // Shows `folder`, everything selected, the texts of a rename typed, and the window painted.
    void prepareRun(const std::string& folder) {
        auto& c = window().controls();
        c.Dir1->setPath(folder);
        window().cmdSelectAll_Click();
        c.txtReplaceThis->setText("img_");
        c.txtWithThis->setText("Holiday ");
        QCoreApplication::processEvents();
    }
    // Waits until the file list has painted what it shows now.
    void paintList() { fileList().view()->viewport()->repaint(); }

    std::string root;
    PosixFileSystem files;
    BenchFacts facts;
    PosixTrash trash;
    PosixShell shell;
    SystemClock clock;
    const LocaleFormat format;
    const qm::text::CaseMapper caseMapper;
    HiveFile registry;
    PosixDriveQuery drives;
    YesBox messages;
    QtUi ui;
    Services services;
    qm::Application app;
    std::map<std::string, std::string> folders;
};

// The median over rounds of each round's ratio; 0 when a round is missing or took no time.
double medianRatio(const std::vector<double>& times, const std::vector<double>& against) {
    if (times.empty() || times.size() != against.size()) {
        return 0;
    }
    std::vector<double> ratios;
    for (std::size_t i = 0; i < times.size(); ++i) {
        if (against[i] <= 0) {
            return 0;
        }
        ratios.push_back(times[i] / against[i]);
    }
    std::sort(ratios.begin(), ratios.end());
    const std::size_t middle = ratios.size() / 2;
    return ratios.size() % 2 == 1 ? ratios[middle] : (ratios[middle - 1] + ratios[middle]) / 2;
}

// Per file and peak memory: what every benchmark here reports.
void report(benchmark::State& state, int files) {
    state.counters["per_file_s"] = benchmark::Counter(
        static_cast<double>(files),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["peak_MiB"] = qm::bench::peakMemoryMiB();
    state.SetItemsProcessed(state.iterations() * files);
}

void BM_QtList(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    Program& program = Program::get();
    const std::string folder = program.folder(files, "list");
    auto& c = program.window().controls();
    qm::bench::resetPeakMemory();
    for (auto _ : state) {
        c.Dir1->setPath(program.root + "/empty");
        program.paintList();
        const auto start = Clock::now();
        c.Dir1->setPath(folder);
        program.paintList();
        state.SetIterationTime(secondsSince(start));
    }
    if (c.File1->listCount() != files) {
        state.SkipWithError("the list does not hold every file");
    }
    report(state, files);
}

void BM_QtSelectAll(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    Program& program = Program::get();
    auto& c = program.window().controls();
    c.Dir1->setPath(program.folder(files, "list"));
    qm::bench::resetPeakMemory();
    for (auto _ : state) {
        program.window().cmdDeselectAll_Click();
        program.paintList();
        const auto start = Clock::now();
        program.window().cmdSelectAll_Click();
        program.paintList();
        state.SetIterationTime(secondsSince(start));
    }
    if (c.StatusBar1->panelText(2) != std::to_string(files) + " files selected") {
        state.SkipWithError("not every file was selected");
    }
    report(state, files);
}

// Ends the timing of a preview once its new names are painted, and cancels it.
class PreviewPainted : public QObject {
  public:
    explicit PreviewPainted(qm::frmQuillmote& window) : m_window(window) {}
    Clock::time_point paintedAt;
    int rows = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->parent() != nullptr &&
            watched->parent()->objectName() == QStringLiteral("lstAfter") && !m_seen) {
            m_seen = true;
            // After the paint itself, which follows this filter.
            QTimer::singleShot(0, this, [this] {
                paintedAt = Clock::now();
                qm::frmPreview* preview = m_window.previewWindow();
                rows = preview->controls().lstAfter->listCount();
                qm::platform::raise(preview->controls().cmdCancel->onClick);
            });
        }
        return false;
    }

  private:
    qm::frmQuillmote& m_window;
    bool m_seen = false;
};

void BM_QtPreview(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    Program& program = Program::get();
    program.prepareRun(program.folder(files, "list"));
    qm::bench::resetPeakMemory();
    for (auto _ : state) {
        PreviewPainted watch(program.window());
        qApp->installEventFilter(&watch);
        const auto start = Clock::now();
        program.window().cmdPreview_Click();
        qApp->removeEventFilter(&watch);
        state.SetIterationTime(std::chrono::duration<double>(watch.paintedAt - start).count());
        if (watch.rows != files) {
            state.SkipWithError("the preview does not hold every name");
        }
        QCoreApplication::processEvents();
        // The closed preview goes as it would in the program's event loop; outside of one Qt
        // never deletes it, and each round would keep the last one's lists.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    report(state, files);
}

void BM_QtRenameRun(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    Program& program = Program::get();
    const std::string folder = program.folder(files, "run");
    const std::string floorLog = program.root + "/floor-log.txt";
    const std::string log = program.app.identity().GetLogFilePath();
    double runSeconds = 0;
    // The bare floor, the floor that also checks each opened log as the program does, and the
    // bare floor again. Each renames a folder of its own, so that every folder has been renamed
    // and renamed back as often as the run's has: a folder's history changes what a rename in it
    // costs.
    struct Floor {
        qm::bench::LogCheck check;
        std::string folder;
        double seconds = 0;
        double processor = 0;
        std::vector<double> rounds{};
    } floors[] = {{qm::bench::LogCheck::None, program.folder(files, "floor")},
                  {qm::bench::LogCheck::OpenedFile, program.folder(files, "floor-checked")},
                  {qm::bench::LogCheck::None, program.folder(files, "floor-again")}};
    double runProcessor = 0;
    std::vector<double> runRounds;
    qm::bench::resetPeakMemory();
    double beforeSeconds = 0;
    double refreshSeconds = 0;
    // The run's ends: Yes answered, and the file list about to be read again after the last
    // entry (the run's separator) is written.
    Clock::time_point yesAt;
    Clock::time_point lastEntryAt;
    double processorAtYes = 0;
    double processorAtLastEntry = 0;
    program.messages.answered = [&] {
        yesAt = Clock::now();
        processorAtYes = processorSeconds();
    };
    const auto refreshing = QObject::connect(program.fileList().view()->model(),
                                             &QAbstractItemModel::modelAboutToBeReset, [&] {
                                                 if (lastEntryAt == Clock::time_point{}) {
                                                     lastEntryAt = Clock::now();
                                                     processorAtLastEntry = processorSeconds();
                                                 }
                                             });
    const auto runProgram = [&] {
        program.prepareRun(folder);
        const int shownBefore = program.messages.shown;
        lastEntryAt = {};
        // Each timed part starts with what came before it written to disk: otherwise the run,
        // timed right after the renames back, would pay for writing them out.
        ::sync();
        const auto start = Clock::now();
        program.window().cmdRename_Click();
        const auto end = Clock::now();
        const double run = std::chrono::duration<double>(lastEntryAt - yesAt).count();
        runProcessor += processorAtLastEntry - processorAtYes;
        state.SetIterationTime(run);
        runSeconds += run;
        runRounds.push_back(run);
        beforeSeconds += std::chrono::duration<double>(yesAt - start).count();
        refreshSeconds += std::chrono::duration<double>(end - lastEntryAt).count();
        if (program.messages.shown != shownBefore + 1 || lastEntryAt == Clock::time_point{} ||
            !std::filesystem::exists(folder + "/Holiday 1000000.JPG")) {
            state.SkipWithError("the run did not rename every file");
        }
        program.window().controls().Dir1->setPath(program.root + "/empty");
        ::unlink(log.c_str());
        if (!qm::bench::renameBack(folder, files)) {
            state.SkipWithError("renaming back failed");
        }
    };
    const auto runFloor = [&](Floor& floor) {
        ::sync();
        const auto floorStart = Clock::now();
        const double floorProcessorAtStart = processorSeconds();
        if (!qm::bench::renameFloor(floor.folder, files, floorLog, floor.check)) {
            state.SkipWithError("the floor's rename failed");
        }
        floor.rounds.push_back(secondsSince(floorStart));
        floor.seconds += floor.rounds.back();
        floor.processor += processorSeconds() - floorProcessorAtStart;
        ::unlink(floorLog.c_str());
        if (!qm::bench::renameBack(floor.folder, files)) {
            state.SkipWithError("renaming back failed");
        }
    };
    // The four in turn, the order reversed every other round: whatever comes first or last in
    // a round (a disk still busy, a cache just warmed) falls on each alike.
    int round = 0;
    for (auto _ : state) {
        if (round++ % 2 == 0) {
            runProgram();
            runFloor(floors[0]);
            runFloor(floors[1]);
            runFloor(floors[2]);
        } else {
            runFloor(floors[2]);
            runFloor(floors[1]);
            runFloor(floors[0]);
            runProgram();
        }
    }
    QObject::disconnect(refreshing);
    program.messages.answered = nullptr;
    report(state, files);
    state.counters["before_s"] =
        benchmark::Counter(beforeSeconds, benchmark::Counter::kAvgIterations);
    state.counters["refresh_s"] =
        benchmark::Counter(refreshSeconds, benchmark::Counter::kAvgIterations);
    for (const auto& [floor, suffix] :
         {std::pair{floors[0], ""}, std::pair{floors[1], "_checked"}}) {
        state.counters[std::string("floor") + suffix + "_s"] =
            benchmark::Counter(floor.seconds, benchmark::Counter::kAvgIterations);
        state.counters[std::string("vs_floor") + suffix] =
            floor.seconds > 0 ? runSeconds / floor.seconds : 0;
        state.counters[std::string("cpu_vs_floor") + suffix] =
            floor.processor > 0 ? runProcessor / floor.processor : 0;
    }
    state.counters["floor_again_vs_floor"] =
        floors[0].seconds > 0 ? floors[2].seconds / floors[0].seconds : 0;
    state.counters["vs_floor_median"] = medianRatio(runRounds, floors[0].rounds);
    state.counters["floor_again_median"] = medianRatio(floors[2].rounds, floors[0].rounds);
}

void BM_RenameFloor(benchmark::State& state) {
    const std::string root = makeRoot();
    qm::bench::resetPeakMemory();
    qm::bench::timeRenameFloor(state, root);
    std::filesystem::remove_all(root);
    report(state, static_cast<int>(state.range(0)));
}

// Size by size, so that each peak is taken over a program that has not yet held more files:
// three rounds up to 300,000 files, one at a million (a minute or more each). The run against
// its floor takes seven rounds up to 100,000 files, for its medians.
void atSize(int files) {
    const int rounds = files < 1000000 ? 3 : 1;
    for (auto* bench : {benchmark::RegisterBenchmark("BM_QtList", BM_QtList),
                        benchmark::RegisterBenchmark("BM_QtSelectAll", BM_QtSelectAll),
                        benchmark::RegisterBenchmark("BM_QtPreview", BM_QtPreview)}) {
        bench->Arg(files)->Iterations(rounds)->Unit(benchmark::kMillisecond)->UseManualTime();
    }
    benchmark::RegisterBenchmark("BM_QtRenameRun", BM_QtRenameRun)
        ->Arg(files)
        ->Iterations(files <= 100000 ? 7 : rounds)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
    benchmark::RegisterBenchmark("BM_RenameFloor", BM_RenameFloor)
        ->Arg(files)
        ->Iterations(rounds)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

const bool registered = [] {
    for (const int files : {10000, 100000, 300000, 1000000}) {
        atSize(files);
    }
    return true;
}();

}  // namespace
