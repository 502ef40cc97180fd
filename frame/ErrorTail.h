// The error tail every handler shares: a caught failure goes to the error dialog (reportError)
// or, where the user must not be interrupted, to the log only (logError); a step may be run
// again for as long as the user answers Retry (runWithRetry); and a clean-up step whose
// failure the user could do nothing about runs as bestEffort.
#pragma once

#include <string>

#include "base/RunError.h"
#include "frame/ErrorReporter.h"

namespace qm {

// The RunError a caught exception stands for (anything that is not one is an internal error,
// or 7 for memory).
RunError asRunError(const std::exception& e);

// HandleError with the failure's description and number; returns the button pressed.
platform::MessageResult reportError(ErrorReporter& errors, const std::exception& e,
                                    const std::string& fileObject, const std::string& source);

// LogError with the failure's description and number; shows nothing.
void logError(ErrorReporter& errors, const std::exception& e, const std::string& fileObject,
              const std::string& source);

enum class StepOutcome { Done, Abandoned };

// Runs `step` until it succeeds or the user answers anything but Retry. `fileObject` is asked
// for after the failure, so it can name what the step was working on at that moment. (A
// template: a rename run takes this road several times for every file.)
template <typename Step, typename FileObject>
StepOutcome runWithRetry(ErrorReporter& errors, const std::string& source,
                         const FileObject& fileObject, const Step& step) {
    for (;;) {
        try {
            step();
            return StepOutcome::Done;
        } catch (const std::exception& e) {
            if (reportError(errors, e, fileObject(), source) != platform::MessageResult::Retry) {
                return StepOutcome::Abandoned;
            }
        }
    }
}

// Runs `step` and drops its failure; true when it succeeded. Only for steps whose failure
// leaves nothing to report: the caller says why at the call.
template <typename Step>
bool bestEffort(const Step& step) noexcept {
    try {
        step();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace qm
