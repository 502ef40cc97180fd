#include "engine/RenameLog.h"

#include "base/LogText.h"
#include "frame/ErrorTail.h"

namespace qm {

RenameLog::RenameLog(LogFile& log, const platform::Clock& clock,
                     const platform::LocaleFormat& format, ErrorReporter& errors)
    : m_log(log), m_clock(clock), m_format(format), m_errors(errors) {}

namespace {

// Made in `text`, whose room is kept from entry to entry.
void makeEntry(std::string& text, const std::string& time, const std::string& oldPath,
               const std::string& newPath) {
    text.clear();
    text.append("\r\n\r\n").append(time).append("\r\nRenamed: ");
    appendLogName(text, oldPath);
    text.append("\r\n------> ");
    appendLogName(text, newPath);
    text.append("\r\n");
}

}  // namespace

void RenameLog::LogFilenameChange(const std::string& oldPath, const std::string& newPath) {
    static const std::string source = "bQuillmote_LogFilenameChange";
    runWithRetry(
        m_errors, source, [this] { return m_log.path(); },
        [&] {
            makeEntry(m_entry, m_format.timeOfDay(m_clock.now()), oldPath, newPath);
            m_log.append(m_entry);
        });
}

void RenameLog::writeRunSeparator() {
    m_log.append("\r\n");
}

}  // namespace qm
