// Listing a folder of 100,000 files as the file list does (read, match, sort), and Select All
// with the selection count over the same list through the window's logic.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include "platform/posix/PosixFileSystem.h"
#include "services/MessageBox.h"
#include "tests/support/ProgramFixture.h"
#include "ui/FileListModel.h"

namespace {

constexpr int kFiles = 100000;
const char* const kExtensions[] = {".jpg", ".png", ".txt", ".JPG"};

// One folder of 100,000 empty files, made once per process.
const std::string& bigFolder(qm::test::TempFolder& root) {
    static const std::string folder = [&] {
        const std::string path = root.makeFolder("big");
        for (int i = 0; i < kFiles; ++i) {
            const std::string name =
                path + "/IMG_" + std::to_string(1000000 + i) + kExtensions[i % 4];
            ::close(::open(name.c_str(), O_CREAT | O_WRONLY, 0644));
        }
        return path;
    }();
    return folder;
}

qm::test::TempFolder& scratch() {
    static qm::test::TempFolder folder;
    return folder;
}

void BM_ListFolder100k(benchmark::State& state) {
    const std::string& folder = bigFolder(scratch());
    const qm::platform::PosixFileSystem files;
    const qm::text::CaseMapper mapper;
    qm::platform::FileListModel model(files, mapper);
    model.setPattern("*.jpg;*.png");
    std::int64_t listed = 0;
    for (auto _ : state) {
        model.load(folder);
        listed += model.count();
    }
    state.SetItemsProcessed(listed);
}
BENCHMARK(BM_ListFolder100k)->Unit(benchmark::kMillisecond)->UseRealTime();

using qm::test::Program;

void BM_SelectAllAndCount100k(benchmark::State& state) {
    const std::string& folder = bigFolder(scratch());
    Program program;
    program.start();
    program.window().controls().Dir1->setPath(folder);
    auto& list = *program.window().controls().File1;
    bool all = true;
    for (auto _ : state) {
        (all ? program.window().cmdSelectAll_Click() : program.window().cmdDeselectAll_Click());
        all = !all;
    }
    state.SetItemsProcessed(state.iterations() * list.listCount());
}
BENCHMARK(BM_SelectAllAndCount100k)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
