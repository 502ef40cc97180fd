// The two letter-case choices as the name computation reads them: from the preference store,
// every time they are applied. Values outside the tables behave as "Don't Change".
#pragma once

#include <cstdint>

namespace qm {

enum FilenameCase : std::int32_t {
    kFilenameDontChange = 0,
    kFilenameLower = 1,
    kFilenameUpper = 2,
    kFilenameProper = 3,
};

enum ExtensionCase : std::int32_t {
    kExtensionDontChange = 0,
    kExtensionLower = 1,
    kExtensionUpper = 2,
};

class CaseOptions {
  public:
    virtual ~CaseOptions() = default;
    // The stored choices; a stored text that is not a number throws RunError 13.
    virtual std::int32_t GetFilenameCase() = 0;
    virtual std::int32_t GetExtensionCase() = 0;
};

}  // namespace qm
