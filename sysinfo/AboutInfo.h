// The About box's text: the program (path, version, build date), the system (screen, OS,
// folders) and one drive (label, serial number, space, limits, file system, kind), lines joined
// by CR LF.
#pragma once

#include <string>

#include "frame/AppIdentity.h"
#include "frame/ErrorReporter.h"
#include "frame/bDriveInfo.h"
#include "frame/bOperatingSystem.h"
#include "services/FileSystem.h"
#include "services/LocaleFormat.h"
#include "services/SystemInformation.h"
#include "sysinfo/CDriveInfo.h"

namespace qm {

struct AboutSources {
    const AppIdentity& identity;
    platform::FileSystem& files;
    const platform::LocaleFormat& format;
    const bOperatingSystem& os;
    const bDriveInfo& driveKinds;
    ErrorReporter& errors;
};

// The whole text for the drive `drive` describes, with the screen and OS from `systemInfo`. Any
// failure is logged ("bApplication_GetAboutInfo") and gives "".
std::string GetAboutInfo(CDriveInfo& drive, const platform::SystemInformation* systemInfo,
                         const AboutSources& sources);

}  // namespace qm
