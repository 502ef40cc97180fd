// The error tail every event handler shares: run a step; when it fails, hand the failure to
// HandleError and run the same step again for as long as the user answers Retry.
#pragma once

#include <string>

#include "frame/ErrorReporter.h"
#include "platform/RunError.h"

namespace qm {

// The RunError a caught exception stands for (anything that is not one is an internal error,
// or 7 for memory).
RunError asRunError(const std::exception& e);

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
            const RunError error = asRunError(e);
            if (errors.HandleError(error.description(), error.number(), fileObject(), source) !=
                platform::MessageResult::Retry) {
                return StepOutcome::Abandoned;
            }
        }
    }
}

}  // namespace qm
