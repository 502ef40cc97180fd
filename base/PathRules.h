// How this system writes paths: the separator, the root a path starts from (a drive letter and
// colon or a network share on Windows, "/" on POSIX), and the folder a program keeps its per-user
// state in. The subsystems ask here instead of assuming either system's form.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qm::platform {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The length of the root at the start of `path`, its separator included when there is one:
// "C:\" 3, "C:" 2, "\\server\share\" the whole text; "/" 1 on POSIX. 0 for a relative path.
std::size_t rootLength(std::string_view path);

// The path without trailing separators, except the one of a root ("C:\", "/").
std::string withoutTrailingSeparator(std::string path);

// The folder holding `path` ("C:\a" for "C:\a\b", "C:\" for "C:\a"); a root is its own parent.
// A path without a separator has none: "".
std::string parentPath(const std::string& path);

// `folder` and `name` joined by one separator.
std::string joinPath(const std::string& folder, const std::string& name);

// The text after the last separator (the whole text without one).
std::string_view lastComponent(std::string_view path);

}  // namespace qm::platform
