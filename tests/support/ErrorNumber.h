// The number of the run-time error an action raises.
#pragma once

#include <cstdint>

#include "base/RunError.h"

namespace qm::test {

// The number of the RunError that `action` throws; 0 when it throws none.
template <typename Action>
std::int32_t errorNumberOf(Action&& action) {
    try {
        action();
    } catch (const RunError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace qm::test
