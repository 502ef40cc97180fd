#include "platform/posix/PosixShell.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace qm::platform {

bool PosixShell::execute(const std::string& verb, const std::string& target) {
    if (verb != "open" && verb != "explore") {
        return false;
    }
    // Both verbs mean the same here: the desktop picks a file manager for a folder and a viewer
    // for a document. The handler runs as a grandchild so that it outlives nothing of ours and
    // needs no reaping; only the short-lived child is waited for.
    std::string opener = m_opener;
    std::string argument = target;
    char* argv[] = {opener.data(), argument.data(), nullptr};
    const pid_t child = ::fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        ::setsid();
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        pid_t grandchild = 0;
        const int rc = ::posix_spawnp(&grandchild, argv[0], &actions, nullptr, argv, environ);
        ::_exit(rc == 0 ? 0 : 127);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace qm::platform
