// The errnos a disk fault is tried with, and what the program makes of each.
#pragma once

#include <cerrno>
#include <ostream>
#include <string>
#include <vector>

#include "services/MessageBox.h"

namespace qm::test {

struct DiskFault {
    std::string label;
    int errnoValue;
    int number;        // the error number shown and logged
    std::string text;  // the dialog's text; "%" stands for the file object
    int style;
};

inline const std::vector<DiskFault> kDiskFaults = {
    {"DiskFull", ENOSPC, 61, "Disk is full.  Free some disk space and try again.",
     platform::kStyleRetryCancel},
    {"IoError", EIO, 57, "Internal Disk Error.", platform::kStyleRetryCancel},
    {"Permission", EACCES, 70, "Permission denied\r\nTry again?", platform::kStyleRetryCancel},
    {"ReadOnly", EROFS, 75,
     "Could not access path. The drive or path specified is not available for the requested "
     "operation.",
     platform::kStyleRetryCancel},
    {"Vanished", ENOENT, 53, "File \"%\" not found.", platform::kStyleRetryCancel},
    {"Exists", EEXIST, 58, "File already exists", platform::kStyleOkInformation},
};

// Names the fault in test listings.
inline void PrintTo(const DiskFault& fault, std::ostream* os) {
    *os << fault.label;
}

}  // namespace qm::test
