// The file list widget over a folder of 100,000 files: from choosing the folder and its pattern
// to the first finished paint, scrolling to the far end, and selecting everything.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QWindow>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "bench/gui/GuiApp.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixSystemFacts.h"
#include "platform/qt/QtUi.h"

namespace {

using namespace qm::platform;

constexpr int kFiles = 100000;

// Made once per run and removed at the end.
class BigFolder {
  public:
    BigFolder() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern =
            std::string(base != nullptr && *base ? base : "/tmp") + "/qm-bench-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        m_root = pattern;
        std::filesystem::create_directory(files());
        std::filesystem::create_directory(empty());
        for (int i = 0; i < kFiles; ++i) {
            const std::string name = files() + "/IMG_" + std::to_string(100000 + i) + ".JPG";
            const int fd = ::open(name.c_str(), O_CREAT | O_WRONLY, 0644);
            if (fd < 0) {
                throw std::runtime_error("cannot create " + name);
            }
            ::close(fd);
        }
    }
    ~BigFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    std::string files() const { return m_root + "/files"; }
    std::string empty() const { return m_root + "/empty"; }

  private:
    std::string m_root;
};

class NoDrives : public DriveQuery {
  public:
    bool volumeInformation(const std::string&, VolumeInformation&) const override { return false; }
    bool diskFreeSpaceEx(const std::string&, FreeSpaceEx&) const override { return false; }
    bool diskFreeSpace(const std::string&, FreeSpaceLegacy&) const override { return false; }
    bool setVolumeLabel(const std::string&, const std::optional<std::string>&) override {
        return false;
    }
    std::int32_t driveType(const std::string&) const override { return kDriveFixed; }
    bool procedureExists(const std::string&, const std::string&) const override { return false; }
    std::vector<MountedDrive> mountedDrives() const override { return {{"/", "", "/"}}; }
    std::string mountPointOf(const std::string&) const override { return "/"; }
};

// The application, the services and a shown main window, shared by every benchmark.
struct World {
    World() : ui(files, drives, mapper, facts), view(ui.createMainWindow()) {
        view->controls().window->show();
        QWidget* top = static_cast<QtView<MainControls>&>(*view).form().window().widget();
        while (top->windowHandle() == nullptr || !top->windowHandle()->isExposed()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        list = dynamic_cast<QtFileList*>(view->controls().File1);
    }
    static World& get() {
        qm::bench::guiApp();
        static World world;
        return world;
    }
    // Waits until the view has painted what it shows now.
    void paint() const { list->view()->viewport()->repaint(); }

    PosixFileSystem files;
    PosixSystemFacts facts;
    NoDrives drives;
    qm::text::CaseMapper mapper;
    QtUi ui;
    std::unique_ptr<MainView> view;
    QtFileList* list = nullptr;
    BigFolder folder;
};

void BM_QtFileList100k(benchmark::State& state) {
    World& world = World::get();
    for (auto _ : state) {
        state.PauseTiming();
        world.list->setPath(world.folder.empty());
        world.paint();
        state.ResumeTiming();
        world.list->setPath(world.folder.files());
        world.list->setPattern("*.*");
        world.paint();
    }
    if (world.list->listCount() != kFiles) {
        state.SkipWithError("the list does not hold every file");
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_QtFileList100k)->Unit(benchmark::kMillisecond);

void BM_QtFileList100kScrollToEnd(benchmark::State& state) {
    World& world = World::get();
    world.list->setPath(world.folder.files());
    world.list->setPattern("*.*");
    QAbstractItemView* view = world.list->view();
    bool bottom = false;
    for (auto _ : state) {
        bottom = !bottom;
        if (bottom) {
            view->scrollToBottom();
        } else {
            view->scrollToTop();
        }
        world.paint();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_QtFileList100kScrollToEnd)->Unit(benchmark::kMicrosecond);

void BM_QtFileList100kSelectAll(benchmark::State& state) {
    World& world = World::get();
    world.list->setPath(world.folder.files());
    bool selected = false;
    for (auto _ : state) {
        selected = !selected;
        world.list->setAllSelected(selected);
        world.paint();
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_QtFileList100kSelectAll)->Unit(benchmark::kMicrosecond);

}  // namespace
