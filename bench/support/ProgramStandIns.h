// What a benchmark puts under the whole program in place of the user and the machine: a
// confirmation answered Yes at once, so the run is what is measured, and the system's facts with
// the program file (and with it the log) inside the benchmark's folder.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "services/MessageBox.h"

namespace qm::bench {

class YesBox : public platform::MessageBox {
  public:
    platform::MessageResult show(const std::string&, int style, const std::string&) override {
        ++shown;
        if (answered) {
            answered();
        }
        return platform::buttonsOf(style) == platform::ButtonSet::YesNo
                   ? platform::MessageResult::Yes
                   : platform::MessageResult::Ok;
    }
    int shown = 0;
    std::function<void()> answered;  // called as the question is answered
};

// `Facts`, the system's facts of one platform, with the program file at `program`.
template <class Facts>
class ProgramAt : public Facts {
  public:
    explicit ProgramAt(std::string program) : m_program(std::move(program)) {}
    std::string executablePath() const override { return m_program; }

  private:
    std::string m_program;
};

}  // namespace qm::bench
