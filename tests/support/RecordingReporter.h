// An ErrorReporter that records every dialog and answers from a queue (Cancel when it runs out).
#pragma once

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
    std::vector<int> answers;  // returned in order; Cancel when exhausted
    int HandleError(const std::string& d, std::int32_t n, const std::string& f,
                    const std::string& s) override {
        shown.push_back({d, n, f, s});
        if (answers.empty()) {
            return kResultCancel;
        }
        const int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    void LogError(const std::string&, std::int32_t, const std::string&,
                  const std::string&) override {}
};

}  // namespace qm::test
