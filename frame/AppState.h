// The program-wide values set at start-up: the title for dialogs, log lines and the settings
// key, the moment start-up began, whether start-up is still under way, and the computer's
// name for the log ("Unknown" when it cannot be read).
#pragma once

#include <string>

#include "services/Clock.h"

namespace qm {

struct AppState {
    std::string AppTitle;
    platform::TimePoint AppStartTime{};
    bool IsStarting = false;
    std::string MachineName = "Unknown";
};

}  // namespace qm
