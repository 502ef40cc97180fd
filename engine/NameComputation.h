// The new name of one file: the extension is split off at the last dot and cased once; then
// each (search, replacement) pair in turn replaces every occurrence in the name part
// (case-insensitive, left to right, inserted text never searched again), re-cases it and trims
// its spaces. Pure text work: nothing here touches the disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/CaseOptions.h"
#include "platform/Text.h"

namespace qm {

struct NewName {
    std::string namePart;
    std::string extension;
    std::string full() const { return namePart + extension; }
};

class NameComputation {
  public:
    NameComputation(CaseOptions& options, const text::CaseMapper& mapper);

    // Changes `extension` in place by the current extension case choice.
    void ApplyExtensionCase(std::string& extension) const;
    // Changes `namePart` in place by the current filename case choice, then trims its spaces.
    void ApplyFilenameCase(std::string& namePart) const;

    // Replaces, in place, every occurrence of `search` in `namePart` at or after the 1-based
    // character position `start` (0 counts as 1). Returns the error number (0).
    std::int32_t ReplaceAll(std::int32_t start, std::string& namePart, const std::string& search,
                            const std::string& replacement) const;
    // One pair: ReplaceAll from position 1, then ApplyFilenameCase. Returns the error number.
    std::int32_t ReplaceInName(std::string& namePart, const std::string& search,
                               const std::string& replacement) const;

    // The first steps for one bare file name: the extension (cased) split off at the last dot,
    // and the name part before it. A name ending in a dot keeps the dot as its extension.
    NewName SplitName(const std::string& fileName) const;

    // The whole computation for one bare file name. Throws RunError when a step fails; no
    // partial name is ever returned.
    NewName ComputeNewName(const std::string& fileName, const std::vector<std::string>& searches,
                           const std::vector<std::string>& replacements) const;

  private:
    CaseOptions& m_options;
    const text::CaseMapper& m_mapper;
};

}  // namespace qm
