// The time the program reads: the system clock in the program, a settable one in tests.
#pragma once

#include <chrono>

namespace qm::platform {

using TimePoint = std::chrono::system_clock::time_point;

class Clock {
  public:
    virtual ~Clock() = default;
    virtual TimePoint now() const = 0;
};

class SystemClock : public Clock {
  public:
    TimePoint now() const override { return std::chrono::system_clock::now(); }
};

}  // namespace qm::platform
