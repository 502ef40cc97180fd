#include "frame/ErrorTail.h"

#include <new>

namespace qm {

RunError asRunError(const std::exception& e) {
    if (const auto* run = dynamic_cast<const RunError*>(&e)) {
        return *run;
    }
    if (dynamic_cast<const std::bad_alloc*>(&e) != nullptr) {
        return RunError(kOutOfMemory);
    }
    return RunError(kInternalError, std::string(RunError::standardDescription(kInternalError)) +
                                        ": " + e.what());
}

StepOutcome runWithRetry(ErrorReporter& errors, const std::string& source,
                         const std::function<std::string()>& fileObject,
                         const std::function<void()>& step) {
    for (;;) {
        try {
            step();
            return StepOutcome::Done;
        } catch (const std::exception& e) {
            const RunError error = asRunError(e);
            const std::string object = fileObject ? fileObject() : std::string();
            if (errors.HandleError(error.description(), error.number(), object, source) !=
                kResultRetry) {
                return StepOutcome::Abandoned;
            }
        }
    }
}

}  // namespace qm
