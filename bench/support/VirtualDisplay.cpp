#include "bench/support/VirtualDisplay.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace qm::bench {

bool VirtualDisplay::start() {
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

VirtualDisplay::~VirtualDisplay() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, nullptr, 0);
    }
}

bool ensureDisplay(VirtualDisplay& fallback) {
    const char* display = std::getenv("DISPLAY");
    if (display != nullptr && *display != '\0') {
        return true;
    }
    if (!fallback.start()) {
        return false;
    }
    ::setenv("DISPLAY", fallback.name().c_str(), 1);
    return true;
}

}  // namespace qm::bench
