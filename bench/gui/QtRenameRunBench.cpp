// A whole rename run through the real Qt main window, progress bar and all, as the user waits
// for it after answering Yes: the selected files of a fresh folder renamed and logged. Beside
// it, in the same run, the floor of what any renamer with a log must do.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QWindow>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "app/Application.h"
#include "base/Text.h"
#include "bench/gui/GuiApp.h"
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

std::string makeRoot() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base ? base : "/tmp") + "/qm-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    return pattern;
}

using BenchFacts = qm::bench::ProgramAt<PosixSystemFacts>;
using qm::bench::YesBox;

// The whole program over the real services, its settings, log and files in a folder of its own.
struct Program {
    static std::string prepared(const std::string& root) {
        qm::bench::guiApp();
        for (const char* sub : {"app", "config", "state", "home"}) {
            std::filesystem::create_directories(root + "/" + sub);
        }
        ::setenv("HOME", (root + "/home").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
        ::setenv("XDG_STATE_HOME", (root + "/state").c_str(), 1);
        return root;
    }
    Program()
        : root(prepared(makeRoot())),
          facts(root + "/app/quillmote"),
          trash(root + "/Trash"),
          ui(files, drives, caseMapper, facts),
          services{files, trash,      messages, shell,  clock, format,
                   facts, caseMapper, registry, drives, ui},
          app(services) {
        app.GetPreferences();
        app.showMainWindow();
        QWidget* top = dynamic_cast<QtWindow&>(*window()->controls().window).widget();
        while (top->windowHandle() == nullptr || !top->windowHandle()->isExposed()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }
    ~Program() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    qm::frmQuillmote* window() { return app.mainWindow(); }

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
};

void BM_QtRenameRun(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    static Program program;
    auto& c = program.window()->controls();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string folder =
            qm::bench::fillFolder(program.root, "run" + std::to_string(round++), files);
        c.Dir1->setPath(folder);
        program.window()->cmdSelectAll_Click();
        c.txtReplaceThis->setText("img_");
        c.txtWithThis->setText("Holiday ");
        QCoreApplication::processEvents();
        const int shownBefore = program.messages.shown;
        state.ResumeTiming();
        program.window()->cmdRename_Click();
        state.PauseTiming();
        if (program.messages.shown != shownBefore + 1 ||
            !std::filesystem::exists(folder + "/Holiday 1000000.JPG")) {
            state.SkipWithError("the run did not rename every file");
        }
        std::filesystem::remove_all(folder);
        ::unlink(program.app.identity().GetLogFilePath().c_str());
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * files);
}
BENCHMARK(BM_QtRenameRun)
    ->Arg(20000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

void BM_RenameFloor(benchmark::State& state) {
    const std::string root = makeRoot();
    qm::bench::timeRenameFloor(state, root);
    std::filesystem::remove_all(root);
}
BENCHMARK(BM_RenameFloor)
    ->Arg(20000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
