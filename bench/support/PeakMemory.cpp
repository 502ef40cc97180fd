#include "bench/support/PeakMemory.h"

#include <malloc.h>

#include <fstream>
#include <string>

namespace qm::bench {

void resetPeakMemory() {
    // What was freed goes back to the system first: the count starts from what is in use.
    ::malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

double peakMemoryMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;  // given in kB
        }
    }
    return 0;
}

}  // namespace qm::bench
