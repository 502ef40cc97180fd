// The one way failures are reported (the error dialog chosen by the error number, with its log
// entry) and the log file: its header, the size warning at start-up, the start and end lines
// of a session, error entries, and showing it. Every write opens, appends one whole entry in a
// single write, and closes, so several running instances share the file entry by entry. Names
// go into the log in their logged form (logName), so that none can break a line.
#pragma once

#include <cstdint>
#include <string>

#include "frame/AppIdentity.h"
#include "frame/AppState.h"
#include "frame/ErrorReporter.h"
#include "frame/LogFile.h"
#include "frame/bApplicationErrors.h"
#include "ui/Services.h"

namespace qm {

class bErrorHandler : public ErrorReporter {
  public:
    bErrorHandler(platform::Services& services, const AppState& state, const AppIdentity& identity);

    // Shows the dialog for `number` (title AppTitle + ": Error " + number), logs it unless it is
    // one of the program's own input errors, and returns the button pressed.
    platform::MessageResult HandleError(const std::string& description, std::int32_t number,
                                        const std::string& fileObject,
                                        const std::string& source) override;
    // Writes one two-line error entry (creating the file with its header when missing). An
    // entry that cannot be written is kept for the log's next write, silently.
    void LogError(const std::string& message, std::int32_t number, const std::string& fileObject,
                  const std::string& source) override;

    // Start of a session: the size warning, the header when the file is new, the start line.
    void OpenLogFile();
    // End of a session: the end line and a line of underscores.
    void CloseLogFile();
    // Opens the log file with the desktop's viewer; when none can be started, says so in a
    // message box.
    void ViewLogFile();

    const ErrorInfoRecord& ErrorInfo() const { return m_errorInfo; }
    LogFile& logFile() { return m_log; }

    static constexpr std::uint64_t kLogSizeWarning = 100000;
    static constexpr const char* kContactAddress = "support@quillmote.example";
    static constexpr const char* kCrLf = "\r\n";

  private:
    void CreateLogFile();
    void CheckLogFileSize();
    std::string sessionLine(const char* what, platform::TimePoint when) const;

    platform::Services& m_services;
    const AppState& m_state;
    LogFile m_log;
    ErrorInfoRecord m_errorInfo;
};

}  // namespace qm
