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

}  // namespace qm
