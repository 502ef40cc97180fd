#include "engine/RenameLog.h"

#include "frame/ErrorTail.h"

namespace qm {

RenameLog::RenameLog(platform::FileSystem& files, const platform::Clock& clock,
                     const platform::LocaleFormat& format, ErrorReporter& errors,
                     std::string logPath)
    : m_files(files),
      m_clock(clock),
      m_format(format),
      m_errors(errors),
      m_logPath(std::move(logPath)) {}

namespace {

std::string entryText(const std::string& time, const std::string& oldPath,
                      const std::string& newPath) {
    std::string text;
    text.reserve(time.size() + oldPath.size() + newPath.size() + 32);
    text.append("\r\n\r\n").append(time).append("\r\nRenamed: ").append(oldPath);
    text.append("\r\n------> ").append(newPath).append("\r\n");
    return text;
}

}  // namespace

void RenameLog::LogFilenameChange(const std::string& oldPath, const std::string& newPath) {
    static const std::string source = "bQuillmote_LogFilenameChange";
    runWithRetry(
        m_errors, source, [this] { return m_logPath; },
        [&] {
            m_files.append(m_logPath,
                           entryText(m_format.timeOfDay(m_clock.now()), oldPath, newPath));
        });
}

void RenameLog::writeRunSeparator() {
    m_files.append(m_logPath, "\r\n");
}

}  // namespace qm
