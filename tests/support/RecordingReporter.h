// An ErrorReporter that records every dialog and every log entry, and answers the dialogs from a
// queue (Cancel when it runs out).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "frame/ErrorReporter.h"

namespace qm::test {

struct RecordedError {
    std::string description;
    std::int32_t number;
    std::string fileObject;
    std::string source;
};

struct RecordingReporter : ErrorReporter {
    std::vector<RecordedError> shown;
    std::vector<RecordedError> logged;
    std::vector<platform::MessageResult> answers;  // returned in order; Cancel when exhausted
    std::function<void()> whileShown;              // what happens while a dialog is up
    platform::MessageResult HandleError(const std::string& d, std::int32_t n, const std::string& f,
                                        const std::string& s) override {
        shown.push_back({d, n, f, s});
        if (whileShown) {
            whileShown();
        }
        if (answers.empty()) {
            return platform::MessageResult::Cancel;
        }
        const platform::MessageResult answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    void LogError(const std::string& d, std::int32_t n, const std::string& f,
                  const std::string& s) override {
        logged.push_back({d, n, f, s});
    }
};

}  // namespace qm::test
