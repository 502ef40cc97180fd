// The POSIX file steps the file layer, the settings file and the trash share: a descriptor that
// closes itself, a write that finishes, and folders made on the way. Each reports errno as its
// result (0 for success); the caller turns it into its own kind of error.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace qm::platform {

class UniqueFd {
  public:
    explicit UniqueFd(int fd = -1) : m_fd(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    void reset();
    // Closes now: 0, or the errno of a failed close (NFS reports write errors only here).
    int close();

  private:
    int m_fd;
};

// Writes all of `text`; a short write (a signal, a nearly full disk) goes on where it stopped.
int writeAll(int fd, std::string_view text);

// Makes `folder` and each missing folder on the way, new ones private to the user. ENOTDIR when
// something other than a folder is in its place.
int makeFolders(const std::string& folder);

}  // namespace qm::platform
