#include "platform/posix/PosixSystemFacts.h"

#include <limits.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

namespace qm::platform {

std::optional<std::string> PosixSystemFacts::computerName() const {
    char buffer[HOST_NAME_MAX + 1] = {};
    if (::gethostname(buffer, sizeof buffer - 1) != 0) {
        return std::nullopt;
    }
    return std::string(buffer);
}

KernelInfo PosixSystemFacts::kernel() const {
    struct utsname names {};
    if (::uname(&names) != 0) {
        return {};
    }
    return KernelInfo{names.sysname, names.release, names.version};
}

std::string PosixSystemFacts::osLibraryFolder() const {
    const std::string multiarch = std::string("/usr/lib/") + QM_LIBRARY_ARCHITECTURE + "/";
    struct stat st {};
    if (sizeof QM_LIBRARY_ARCHITECTURE > 1 && ::stat(multiarch.c_str(), &st) == 0 &&
        S_ISDIR(st.st_mode)) {
        return multiarch;
    }
    return "/usr/lib/";
}

SystemWording PosixSystemFacts::wording() const {
    const std::string system = kernel().name;
    const std::string bits = std::to_string(sizeof(void*) * CHAR_BIT) + "-bit application";
    return SystemWording{"A " + bits + (system.empty() ? "." : " for " + system + "."),
                         "System Directory", "System Library Directory"};
}

std::string PosixSystemFacts::executablePath() const {
    std::vector<char> buffer(PATH_MAX);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) {
            return {};
        }
        if (static_cast<std::size_t>(n) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(n));
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool PosixSystemFacts::folderWritable(const std::string& folder) const {
    return !folder.empty() && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool PosixSystemFacts::fileWritable(const std::string& path) const {
    return !path.empty() && ::access(path.c_str(), W_OK) == 0;
}

std::optional<std::string> PosixSystemFacts::environment(const std::string& name) const {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

std::string PosixSystemFacts::stateFolder() const {
    const auto stateHome = environment("XDG_STATE_HOME");
    if (stateHome && !stateHome->empty() && (*stateHome)[0] == '/') {
        return *stateHome + "/quillmote";
    }
    return environment("HOME").value_or("") + "/.local/state/quillmote";
}

}  // namespace qm::platform
