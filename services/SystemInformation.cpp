#include "services/SystemInformation.h"

namespace qm::platform {

std::string shortVersion(const std::string& release) {
    std::string out;
    int dots = 0;
    for (const char c : release) {
        if (c == '.') {
            if (++dots == 2) {
                break;
            }
        } else if (c < '0' || c > '9') {
            break;
        }
        out += c;
    }
    if (!out.empty() && out.back() == '.') {
        out.pop_back();
    }
    return out;
}

}  // namespace qm::platform
