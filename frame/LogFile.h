// The log file's one door: its place, and every write into it (the error handler's and the
// rename entries alike).
//
// It lies where AppIdentity places it, unless the file there is one the file layer will not
// write into (a link, no regular file, a file with a second name): then, from that moment on,
// the log is the one in the user's state folder, and the first text written there starts with
// a line saying why. Error entries that could not be written are kept and go in before the next
// text that reaches the file.
#pragma once

#include <memory>
#include <string>

#include "frame/AppIdentity.h"
#include "services/FileSystem.h"

namespace qm {

class LogFile {
  public:
    LogFile(platform::FileSystem& files, const AppIdentity& identity);

    // The log file's full path.
    const std::string& path();
    bool exists();
    // Appends the kept entries and `text` in one write. Throws RunError.
    void append(const std::string& text);
    // Creates the file with `header` as its whole text; false when it is there already.
    bool create(const std::string& header);
    // Holds the folder the log is in (FileSystem::holdFolder), for a run's many appends.
    std::unique_ptr<platform::FolderHold> holdFolder();
    // Keeps an error entry that could not be written for the next write. (Each comes from a
    // failure the user was shown, or from opening a window, start-up or exit: they stay few.)
    void keep(const std::string& entry) { m_kept += entry; }

  private:
    // False when the log is in the state folder already.
    bool moveToStateFolder(platform::Refusal why);

    platform::FileSystem& m_files;
    const AppIdentity& m_identity;
    std::string m_path;    // "" until first asked for
    std::string m_reason;  // the line saying why the log moved, until it is written
    std::string m_kept;
};

}  // namespace qm
