// A whole rename run through the window's logic (validation, confirmation, names, renames,
// log entries, progress, refresh) against the floor of what any renamer with a log must do:
// rename each file and append one log entry with open-append-close.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

#include "bench/support/RenameFloor.h"
#include "services/MessageBox.h"
#include "tests/support/ProgramFixture.h"

namespace {

using qm::test::Program;

void BM_RenameRun(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    Program program;
    program.start();
    auto& c = program.window().controls();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string folder =
            qm::bench::fillFolder(program.h.root.path(), "run" + std::to_string(round++), files);
        c.Dir1->setPath(folder);
        program.window().cmdSelectAll_Click();
        c.txtReplaceThis->setText("img_");
        c.txtWithThis->setText("Holiday ");
        program.h.messages.queueAnswer(qm::platform::MessageResult::Yes);
        state.ResumeTiming();
        program.window().cmdRename_Click();
        state.PauseTiming();
        if (program.h.messages.shown().size() != static_cast<std::size_t>(round)) {
            state.SkipWithError("the run reported an error");
        }
        std::filesystem::remove_all(folder);
        ::unlink(program.h.logPath().c_str());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * files);
}
BENCHMARK(BM_RenameRun)
    ->Arg(20000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

void BM_RenameFloor(benchmark::State& state) {
    const qm::test::TempFolder root;
    qm::bench::timeRenameFloor(state, root.path());
}
BENCHMARK(BM_RenameFloor)
    ->Arg(20000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
