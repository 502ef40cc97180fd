#include "frame/AppIdentity.h"

#include <cstdio>

#include "ProductInfo.h"
#include "base/PathRules.h"
#include "frame/bFileHandler.h"

namespace qm {

AppIdentity::AppIdentity(const platform::SystemFacts& facts, platform::FileSystem& files)
    : m_facts(facts), m_files(files), m_programFile(facts.executablePath()) {
    const auto slash = m_programFile.rfind(platform::kPathSeparator);
    std::string folder =
        slash == std::string::npos ? std::string() : m_programFile.substr(0, slash);
    m_appPath = bFileHandler::QualifyPath(folder);
}

std::string AppIdentity::title() {
    return product::kTitle;
}

std::string AppIdentity::copyright() {
    return product::kCopyright;
}

std::string AppIdentity::versionString(int major, int minor, int revision) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "Version %d.%d.%04d", major, minor, revision);
    return buffer;
}

std::string AppIdentity::GetVersionString() {
    return versionString(product::kVersionMajor, product::kVersionMinor, product::kVersionRevision);
}

std::string AppIdentity::GetLogFilePath() const {
    if (!m_logFilePath.empty()) {
        return m_logFilePath;
    }
    // Beside the program only where this user can add to it: a folder that anyone may write can
    // hold a log that another user created and only that user may write. A program inside the
    // system's own folder (/usr on Linux) is a system-wide install, whose files only the package
    // manager may change: its log goes to the state folder even for the one user who could write
    // there.
    const std::string beside = m_appPath + kLogFileName;
    const bool systemWide = m_appPath.starts_with(bFileHandler::qualifiedPath(m_facts.osFolder()));
    if (!systemWide && (m_files.isFile(beside) ? m_facts.fileWritable(beside)
                                               : m_facts.folderWritable(m_appPath))) {
        m_logFilePath = beside;
        return m_logFilePath;
    }
    m_logFilePath = stateLogFilePath();
    return m_logFilePath;
}

std::string AppIdentity::stateLogFilePath() const {
    std::string folder = m_facts.stateFolder();
    try {
        m_files.createFolders(folder);
    } catch (const std::exception&) {
        // The first write reports the failure where it happens.
    }
    return bFileHandler::QualifyPath(folder) + kLogFileName;
}

}  // namespace qm
