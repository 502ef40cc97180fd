// The rename entries of the log file: one entry per file renamed, written right after the
// rename, and one empty line after a whole run. Each is one open-append-close.
#pragma once

#include <memory>
#include <string>

#include "frame/ErrorReporter.h"
#include "frame/LogFile.h"
#include "services/Clock.h"
#include "services/LocaleFormat.h"

namespace qm {

class RenameLog {
  public:
    RenameLog(LogFile& log, const platform::Clock& clock, const platform::LocaleFormat& format,
              ErrorReporter& errors);

    // Two empty lines, the time of this entry, "Renamed: " + old path, "------> " + new path,
    // each path in the form the log holds names in (logName).
    // A failure goes to the error dialog (Retry writes the entry again); the run goes on.
    void LogFilenameChange(const std::string& oldPath, const std::string& newPath);
    // Holds the log's folder for a run's entries (LogFile::holdFolder).
    std::unique_ptr<platform::FolderHold> holdFolder() { return m_log.holdFolder(); }
    // The empty line that ends a run. Throws RunError.
    void writeRunSeparator();

  private:
    LogFile& m_log;
    const platform::Clock& m_clock;
    const platform::LocaleFormat& m_format;
    ErrorReporter& m_errors;
    std::string m_entry;
};

}  // namespace qm
