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
    return RunError(kInternalError,
                    std::string(RunError::standardDescription(kInternalError)) + ": " + e.what());
}

platform::MessageResult reportError(ErrorReporter& errors, const std::exception& e,
                                    const std::string& fileObject, const std::string& source) {
    const RunError error = asRunError(e);
    return errors.HandleError(error.description(), error.number(), fileObject, source);
}

void logError(ErrorReporter& errors, const std::exception& e, const std::string& fileObject,
              const std::string& source) {
    const RunError error = asRunError(e);
    errors.LogError(error.description(), error.number(), fileObject, source);
}

}  // namespace qm
