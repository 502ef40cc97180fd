// How a name is written into the log, and read back from it. A name that could break a line or
// reach a terminal as a control (a C0 control or DEL; in valid UTF-8 also a C1 control, U+2028 or
// U+2029) is written between double quotes, each such character as an escape (\t, \n, \r, \xHH
// for the other bytes, \uHHHH for the code points) and each backslash doubled. So is a name that
// starts with a double quote, so that the two forms can be told apart. Every other name, stray
// bytes and all, is written as it is.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm {

// The form of `name` the log holds; appendLogName adds it to `out`.
std::string logName(std::string_view name);
void appendLogName(std::string& out, std::string_view name);

// The exact bytes of a name that logName wrote as `field`; nullopt when no name is written so.
std::optional<std::string> readLogName(std::string_view field);

}  // namespace qm
