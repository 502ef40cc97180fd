// An Xvfb server on the first free display number, for benchmarks that need a real X server
// when the machine has no display; it ends with the benchmark, however that ends.
#pragma once

#include <sys/types.h>

#include <string>

namespace qm::bench {

class VirtualDisplay {
  public:
    VirtualDisplay() = default;
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // Starts the server; false when Xvfb is not installed or does not come up.
    bool start();
    // ":70" and the like, once started.
    const std::string& name() const { return m_name; }

  private:
    pid_t m_pid = 0;
    std::string m_name;
};

// Makes sure DISPLAY names an X server: the one given, else `fallback` started. False when
// there is none and none could be started.
bool ensureDisplay(VirtualDisplay& fallback);

}  // namespace qm::bench
