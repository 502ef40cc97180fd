// How long the program takes to greet the user, as the user waits: from starting the process to
// the About box on screen, and from pressing Enter on it (its Continue) to the main window on
// screen. Each repetition is one start of the program this build made, on an X display (the one
// in DISPLAY, else an Xvfb of its own), with a home, settings and state folder of the run's own;
// a first start, not counted, leaves the settings a user has after the first start. A window is
// on screen when the X server maps it, seen from the server's own events, not by polling.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <benchmark/benchmark.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "bench/support/VirtualDisplay.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr const char* kTitle = "Quillmote Utility";

// The program's window events as the X server reports them.
class Screen {
  public:
    Screen() {
        if (!qm::bench::ensureDisplay(m_xvfb)) {
            throw std::runtime_error("no X display and no Xvfb");
        }
        m_display = XOpenDisplay(nullptr);
        if (m_display == nullptr) {
            throw std::runtime_error("cannot open the X display");
        }
        XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
    }
    ~Screen() { XCloseDisplay(m_display); }

    // The first window titled kTitle (other than `except`) mapped from now on, and when; 0
    // after ten seconds.
    Window waitMapped(Window except, Clock::time_point& when) {
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (Clock::now() < deadline) {
            while (XPending(m_display) > 0) {
                XEvent event;
                XNextEvent(m_display, &event);
                if (event.type != MapNotify || event.xmap.window == except) {
                    continue;
                }
                when = Clock::now();
                char* name = nullptr;
                const bool titled = XFetchName(m_display, event.xmap.window, &name) != 0 &&
                                    name != nullptr && std::string(name) == kTitle;
                XFree(name);
                if (titled) {
                    return event.xmap.window;
                }
            }
            pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
            ::poll(&fd, 1, 50);
        }
        return 0;
    }

    // Enter on `window`, as the keyboard would give it.
    void pressEnter(Window window) {
        XKeyEvent key{};
        key.display = m_display;
        key.window = window;
        key.root = DefaultRootWindow(m_display);
        key.keycode = XKeysymToKeycode(m_display, XK_Return);
        key.same_screen = True;
        key.time = CurrentTime;
        for (const int type : {KeyPress, KeyRelease}) {
            key.type = type;
            XSendEvent(m_display, window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask,
                       reinterpret_cast<XEvent*>(&key));
        }
        XFlush(m_display);
    }

    void drain() {
        while (XPending(m_display) > 0) {
            XEvent event;
            XNextEvent(m_display, &event);
        }
    }

  private:
    qm::bench::VirtualDisplay m_xvfb;
    Display* m_display = nullptr;
};

// The program started with a home of the run's own, ended when this goes.
class Program {
  public:
    explicit Program(const std::string& home) {
        m_pid = ::fork();
        if (m_pid == 0) {
            ::setenv("HOME", home.c_str(), 1);
            ::setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
            ::setenv("XDG_STATE_HOME", (home + "/.local/state").c_str(), 1);
            ::setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
            ::unsetenv("QT_QPA_PLATFORM");
            ::execl(QM_PROGRAM, QM_PROGRAM, static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    ~Program() {
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, nullptr, 0);
    }

  private:
    pid_t m_pid;
};

struct Run {
    static Run& get() {
        static Run run;
        return run;
    }
    Run() {
        home =
            std::filesystem::temp_directory_path() / ("qm-startup-" + std::to_string(::getpid()));
        std::filesystem::create_directories(home);
        // The warm-up: caches, and the settings of a first start.
        Program program(home);
        Clock::time_point seen;
        screen.waitMapped(0, seen);
    }
    ~Run() {
        std::error_code ignored;
        std::filesystem::remove_all(home, ignored);
    }
    Screen screen;
    std::string home;
};

void BM_StartToAboutBox(benchmark::State& state) {
    Run& run = Run::get();
    for (auto _ : state) {
        run.screen.drain();
        const auto started = Clock::now();
        Program program(run.home);
        Clock::time_point shown;
        if (run.screen.waitMapped(0, shown) == 0) {
            state.SkipWithError("the About box did not appear");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(shown - started).count());
    }
}
BENCHMARK(BM_StartToAboutBox)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

void BM_ContinueToMainWindow(benchmark::State& state) {
    Run& run = Run::get();
    for (auto _ : state) {
        run.screen.drain();
        Program program(run.home);
        Clock::time_point shown;
        const Window about = run.screen.waitMapped(0, shown);
        if (about == 0) {
            state.SkipWithError("the About box did not appear");
            break;
        }
        const auto pressed = Clock::now();
        run.screen.pressEnter(about);
        if (run.screen.waitMapped(about, shown) == 0) {
            state.SkipWithError("the main window did not appear");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(shown - pressed).count());
    }
}
BENCHMARK(BM_ContinueToMainWindow)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace
