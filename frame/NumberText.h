// Stored numbers are text; this turns such text back into a whole number the way the BASIC
// integer conversion does.
#pragma once

#include <cstdint>
#include <string_view>

namespace qm {

// Accepts surrounding spaces and tabs, a sign, decimal digits with an optional fraction and an
// optional exponent ("12", " -3 ", "2.5", "1e3"). A fraction rounds to the nearest whole
// number, a half to the even one (2.5 -> 2, 3.5 -> 4). Throws RunError 13 (Type mismatch) for
// text that is not such a number, the empty text included, and RunError 6 (Overflow) when the
// rounded number does not fit 32 bits.
std::int32_t integerFromText(std::string_view text);

}  // namespace qm
