// The search and replacement lists from the two text boxes: the whole text split at every
// colon, empty pieces kept.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm {

// Fills `list` from `text`; 40515 when the text or any of its pieces is empty ("abc:", "a::b").
std::int32_t BuildSearchList(const std::string& text, std::vector<std::string>& list);

// Fills `list` from `text`; never refuses ("" gives one empty replacement). Returns 0.
std::int32_t BuildReplacementList(const std::string& text, std::vector<std::string>& list);

}  // namespace qm
