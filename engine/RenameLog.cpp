#include "engine/RenameLog.h"

#include "base/LogText.h"
#include "frame/ErrorTail.h"

namespace qm {

RenameLog::RenameLog(LogFile& log, const platform::Clock& clock,
                     const platform::LocaleFormat& format, ErrorReporter& errors)
    : m_log(log), m_clock(clock), m_format(format), m_errors(errors) {}

namespace {

std::string entryText(const std::string& time, const std::string& oldPath,
                      const std::string& newPath) {
    std::string text;
    text.reserve(time.size() + oldPath.size() + newPath.size() + 32);
    text.append("\r\n\r\n").append(time).append("\r\nRenamed: ");
    appendLogName(text, oldPath);
    text.append("\r\n------> ");
    appendLogName(text, newPath);
    text.append("\r\n");
    return text;
}

}  // namespace

void RenameLog::LogFilenameChange(const std::string& oldPath, const std::string& newPath) {
    static const std::string source = "bQuillmote_LogFilenameChange";
    runWithRetry(
        m_errors, source, [this] { return m_log.path(); },
        [&] { m_log.append(entryText(m_format.timeOfDay(m_clock.now()), oldPath, newPath)); });
}

void RenameLog::writeRunSeparator() {
    m_log.append("\r\n");
}

}  // namespace qm
