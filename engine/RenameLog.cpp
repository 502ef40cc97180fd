#include "engine/RenameLog.h"

#include "frame/ErrorTail.h"

namespace qm {

RenameLog::RenameLog(platform::FileSystem& files, const platform::Clock& clock,
                     const platform::LocaleFormat& format, ErrorReporter& errors,
                     std::string logPath)
    : m_files(files), m_clock(clock), m_format(format), m_errors(errors), m_logPath(std::move(logPath)) {}

std::string RenameLog::entryText(const std::string& time, const std::string& oldPath,
                                 const std::string& newPath) {
    return "\r\n\r\n" + time + "\r\nRenamed: " + oldPath + "\r\n------> " + newPath + "\r\n";
}

void RenameLog::LogFilenameChange(const std::string& oldPath, const std::string& newPath) {
    static const std::string source = "bQuillmote_LogFilenameChange";
    runWithRetry(m_errors, source, [this] { return m_logPath; },
                 [&] {
                     m_files.append(m_logPath,
                                    entryText(m_format.timeOfDay(m_clock.now()), oldPath, newPath));
                 });
}

void RenameLog::writeRunSeparator() { m_files.append(m_logPath, "\r\n"); }

}  // namespace qm
