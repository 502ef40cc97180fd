// A whole rename run through the window's logic (validation, confirmation, names, renames,
// log entries, progress, refresh) against the floor of what any renamer with a log must do:
// rename each file and append one log entry with open-append-close.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <filesystem>

#include "platform/MessageBox.h"
#include "tests/support/ProgramFixture.h"

namespace {

using qm::test::Program;

std::string fillFolder(qm::test::TempFolder& root, const std::string& name, int files) {
    std::filesystem::remove_all(root / name);
    const std::string folder = root.makeFolder(name);
    for (int i = 0; i < files; ++i) {
        const std::string path = folder + "/IMG_" + std::to_string(1000000 + i) + ".JPG";
        ::close(::open(path.c_str(), O_CREAT | O_WRONLY, 0644));
    }
    return folder;
}

void BM_RenameRun(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    Program program;
    program.start();
    auto& c = program.window().controls();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string folder =
            fillFolder(program.h.root, "run" + std::to_string(round++), files);
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
    const int files = static_cast<int>(state.range(0));
    qm::test::TempFolder root;
    const std::string log = root / "log.txt";
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string folder = fillFolder(root, "floor" + std::to_string(round++), files);
        state.ResumeTiming();
        for (int i = 0; i < files; ++i) {
            const std::string number = std::to_string(1000000 + i);
            const std::string from = folder + "/IMG_" + number + ".JPG";
            const std::string to = folder + "/Holiday " + number + ".JPG";
            if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
                state.SkipWithError("rename failed");
                break;
            }
            const std::string entry =
                "\r\n\r\n14:03:27\r\nRenamed: " + from + "\r\n------> " + to + "\r\n";
            const int fd = ::open(log.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
            benchmark::DoNotOptimize(::write(fd, entry.data(), entry.size()));
            ::close(fd);
        }
        state.PauseTiming();
        std::filesystem::remove_all(folder);
        ::unlink(log.c_str());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * files);
}
BENCHMARK(BM_RenameFloor)
    ->Arg(20000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
