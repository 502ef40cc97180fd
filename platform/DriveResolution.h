// Which drive a drive-list text or a path names, as both drive lists resolve it.
#pragma once

#include <string>
#include <vector>

#include "platform/DriveQuery.h"

namespace qm::platform {

// A listed text or mount point is that drive; any other text loses a trailing " [label]" part
// and names the drive holding that path. Throws RunError 68 when there is no such drive.
MountedDrive resolveDrive(const DriveQuery& drives, const std::vector<MountedDrive>& listed,
                          const std::string& text);

}  // namespace qm::platform
