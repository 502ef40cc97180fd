#include "bench/gui/GuiApp.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "bench/support/VirtualDisplay.h"

namespace qm::bench {

namespace {

struct App {
    App() {
        if (!ensureDisplay(xvfb)) {
            std::fprintf(stderr,
                         "bench_gui: no display and no Xvfb: running on the offscreen platform, "
                         "where repaints cost less than on a desktop\n");
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        }
        if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
            ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        }
        // Never deleted: Qt's exit routines cannot run once the process is taking its statics
        // down, and the process ends right after the benchmarks.
        app = new QApplication(argc, argv);
    }
    VirtualDisplay xvfb;
    int argc = 1;
    char name[10] = "bench_gui";
    char* argv[2] = {name, nullptr};
    QApplication* app = nullptr;
};

}  // namespace

QApplication& guiApp() {
    static App app;
    return *app.app;
}

}  // namespace qm::bench
