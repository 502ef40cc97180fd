#include "frame/LogFile.h"

#include "base/LogText.h"
#include "base/PathRules.h"

namespace qm {

LogFile::LogFile(platform::FileSystem& files, const AppIdentity& identity)
    : m_files(files), m_identity(identity) {}

const std::string& LogFile::path() {
    if (m_path.empty()) {
        m_path = m_identity.GetLogFilePath();
        if (const auto why = m_files.refusalOf(m_path)) {
            moveToStateFolder(*why);
        }
    }
    return m_path;
}

bool LogFile::exists() {
    return m_files.isFile(path());
}

void LogFile::append(const std::string& text) {
    for (;;) {
        try {
            // Most entries have nothing waiting before them: those go out as they are.
            if (m_reason.empty() && m_kept.empty()) {
                m_files.append(path(), text);
            } else {
                m_files.append(path(), m_reason + m_kept + text);
            }
        } catch (const platform::FileRefused& refused) {
            // Planted after the start (another user's link in a shared folder): this user's
            // entries go where only this user writes.
            if (!moveToStateFolder(refused.why())) {
                throw;
            }
            continue;
        }
        m_reason.clear();
        m_kept.clear();
        return;
    }
}

std::unique_ptr<platform::FolderHold> LogFile::holdFolder() {
    const std::string folder = platform::parentPath(path());
    return folder.empty() ? nullptr : m_files.holdFolder(folder);
}

bool LogFile::create(const std::string& header) {
    if (!m_files.createNew(path(), m_reason + header)) {
        return false;
    }
    m_reason.clear();
    return true;
}

bool LogFile::moveToStateFolder(platform::Refusal why) {
    std::string state = m_identity.stateLogFilePath();
    if (state == m_path) {
        return false;
    }
    m_reason = "The log " + logName(m_path) + " " + platform::refusalText(why) +
               ", so this user's entries are written here.\r\n";
    m_path = std::move(state);
    return true;
}

}  // namespace qm
