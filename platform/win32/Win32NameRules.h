// The file names Windows keeps exactly as written. Windows strips a trailing dot or space from a
// name, treats CON, NUL, COM1 and their kin as devices (with any extension), and refuses or
// reinterprets <>:"/\|?* (a colon opens a stream of another file) and control characters, and
// holds no component longer than 255 UTF-16 units. A new name outside these rules would not be
// the name the preview showed, so it is never given.
#pragma once

#include <string>
#include <string_view>

namespace qm::platform {

// Why `name` (one component, UTF-8) cannot be given to a file or would not read back as
// written, as one sentence for the user; "" when Windows keeps it.
std::string whyWindowsRefuses(std::string_view name);

}  // namespace qm::platform
