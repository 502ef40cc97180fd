// Where failures go: the error dialog with its log entry (HandleError) and the silent log entry
// (LogError). bErrorHandler is the real one; tests may record instead.
#pragma once

#include <cstdint>
#include <string>

#include "services/MessageBox.h"

namespace qm {

class ErrorReporter {
  public:
    virtual ~ErrorReporter() = default;
    // Shows the dialog for `number`, logs it where due, and returns the button pressed.
    virtual platform::MessageResult HandleError(const std::string& description, std::int32_t number,
                                                const std::string& fileObject,
                                                const std::string& source) = 0;
    // Writes one error entry to the log; never shows or reports anything.
    virtual void LogError(const std::string& message, std::int32_t number,
                          const std::string& fileObject, const std::string& source) = 0;
};

}  // namespace qm
