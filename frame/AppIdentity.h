// Who the program is and where it lives: its title and version (from the build), its program
// file and folder, and where its log file goes.
#pragma once

#include <string>

#include "services/FileSystem.h"
#include "services/SystemFacts.h"

namespace qm {

class AppIdentity {
  public:
    AppIdentity(const platform::SystemFacts& facts, platform::FileSystem& files);

    // "Quillmote Utility"
    static std::string title();
    // "Version " major.minor.revision, the revision in four digits ("Version 1.0.0007").
    static std::string GetVersionString();
    static std::string versionString(int major, int minor, int revision);
    static std::string copyright();

    // The program file's full path.
    std::string programFile() const { return m_programFile; }
    // The program file as the About box names it (SystemFacts::shownProgramFile).
    std::string shownProgramFile() const { return m_facts.shownProgramFile(m_programFile); }
    // The program file's folder, ending in the path separator.
    std::string GetAppPath() const { return m_appPath; }
    // The log file "_APP_LOG.txt": in the program's folder when the user may append to the log
    // there, or create it (a program run from a folder of its own); otherwise, and always for a
    // system-wide install (the program inside SystemFacts::osFolder, /usr on Linux), in the user's
    // state folder (SystemFacts::stateFolder), so that a rename never loses its log entry to a
    // permission error and nothing is written among the installed files.
    // (LogFile moves it to the state folder when the file there is one the file layer refuses.)
    std::string GetLogFilePath() const;
    // The log file in the user's state folder, which is made when missing.
    std::string stateLogFilePath() const;

    static constexpr const char* kLogFileName = "_APP_LOG.txt";

  private:
    const platform::SystemFacts& m_facts;
    platform::FileSystem& m_files;
    std::string m_programFile;
    std::string m_appPath;
    mutable std::string m_logFilePath;
};

}  // namespace qm
