// The program's own input errors (40514 to 40518) and their messages. They are shown but never
// written to the error log.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

// The record HandleError fills for the call under way.
struct ErrorInfoRecord {
    std::int32_t Number = 0;
    std::string Message;
    std::int32_t Style = 0;
    bool LogIt = false;
};

class bApplicationErrors {
  public:
    // Clears LogIt for every number it is given; for the numbers it knows sets Message and
    // Style 16 too. The file object is not used.
    static void GetApplicationMessage(std::int32_t number, const std::string& fileObject,
                                      ErrorInfoRecord& info);
};

}  // namespace qm
