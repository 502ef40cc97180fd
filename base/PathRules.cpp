#include "base/PathRules.h"

namespace qm::platform {

namespace {

#ifdef _WIN32
bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
#endif

}  // namespace

std::size_t rootLength(std::string_view path) {
#ifdef _WIN32
    if (path.size() >= 2 && isLetter(path[0]) && path[1] == ':') {
        return path.size() >= 3 && isSeparator(path[2]) ? 3 : 2;
    }
    // \\server\share\ : the server and the share name are both part of the root.
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        std::size_t pos = 2;
        for (int part = 0; part < 2 && pos < path.size(); ++part) {
            while (pos < path.size() && !isSeparator(path[pos])) {
                ++pos;
            }
            if (pos < path.size()) {
                ++pos;
            }
        }
        return pos;
    }
    return 0;
#else
    return !path.empty() && path[0] == '/' ? 1 : 0;
#endif
}

std::string withoutTrailingSeparator(std::string path) {
    const std::size_t root = rootLength(path);
    while (path.size() > root && path.size() > 1 && path.back() == kPathSeparator) {
        path.pop_back();
    }
    return path;
}

std::string parentPath(const std::string& path) {
    const std::string trimmed = withoutTrailingSeparator(path);
    const std::size_t root = rootLength(trimmed);
    const auto separator = trimmed.rfind(kPathSeparator);
    if (separator == std::string::npos || separator < root) {
        return trimmed.substr(0, root);
    }
    return trimmed.substr(0, separator);
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    return folder.back() == kPathSeparator ? folder + name : folder + kPathSeparator + name;
}

std::string_view lastComponent(std::string_view path) {
    const auto separator = path.rfind(kPathSeparator);
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

}  // namespace qm::platform
