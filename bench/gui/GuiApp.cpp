#include "bench/gui/GuiApp.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

namespace qm::bench {

namespace {

// An Xvfb server on the first free display number, ended with the run.
class VirtualDisplay {
  public:
    bool start() {
        for (int n = 70; n < 100; ++n) {
            const std::string socket = "/tmp/.X11-unix/X" + std::to_string(n);
            const std::string lock = "/tmp/.X" + std::to_string(n) + "-lock";
            if (std::filesystem::exists(socket) || std::filesystem::exists(lock)) {
                continue;
            }
            m_name = ":" + std::to_string(n);
            m_pid = ::fork();
            if (m_pid == 0) {
                // The server ends with the benchmark, however the benchmark ends; its output goes
                // nowhere (inherited, it would hold the benchmark's pipe open).
                ::prctl(PR_SET_PDEATHSIG, SIGTERM);
                const int null = ::open("/dev/null", O_RDWR);
                for (int fd = 0; fd <= 2; ++fd) {
                    ::dup2(null, fd);
                }
                ::execlp("Xvfb", "Xvfb", m_name.c_str(), "-noreset", "-screen", "0", "1280x900x24",
                         static_cast<char*>(nullptr));
                ::_exit(127);
            }
            if (m_pid < 0) {
                m_pid = 0;
                return false;
            }
            for (int i = 0; i < 100 && !std::filesystem::exists(socket); ++i) {
                if (::waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
                    m_pid = 0;  // no Xvfb here, or it would not start
                    return false;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            return std::filesystem::exists(socket);
        }
        return false;
    }
    ~VirtualDisplay() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    const std::string& name() const { return m_name; }

  private:
    pid_t m_pid = 0;
    std::string m_name;
};

struct App {
    App() {
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr || *display == '\0') {
            if (xvfb.start()) {
                ::setenv("DISPLAY", xvfb.name().c_str(), 1);
            } else {
                std::fprintf(stderr,
                             "bench_gui: no display and no Xvfb: running on the offscreen "
                             "platform, where repaints cost less than on a desktop\n");
                ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            }
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
