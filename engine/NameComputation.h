// The new name of one file: the extension is split off at the last dot and cased once; then
// each (search, replacement) pair in turn replaces every occurrence in the name part
// (case-insensitive, left to right, inserted text never searched again), re-cases it and trims
// its spaces. Pure text work: nothing here touches the disk.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/RunError.h"
#include "base/Text.h"
#include "engine/CaseOptions.h"

namespace qm {

struct NewName {
    std::string namePart;
    std::string extension;
    std::string full() const {
        std::string out;
        fullInto(out);
        return out;
    }
    // The same into `out`, whose room is kept: a run builds one for every file.
    void fullInto(std::string& out) const { out.assign(namePart).append(extension); }
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

    // The first step for one bare file name: the extension (cased) split off at the last dot,
    // and the name part before it. A name ending in a dot keeps the dot as its extension.
    NewName splitName(const std::string& fileName) const;

    // The whole computation for one bare file name, step by step: the split, then each pair in
    // turn. Every step goes through `attempt(step, computing)`, where `computing` is the name
    // as far as it has come (nullptr before the split); `attempt` runs the step and says
    // whether it succeeded, so a caller may run a failing step again (a pair works on a copy,
    // so a step run again starts afresh). Nothing when a step was given up: no partial name
    // is ever returned.
    template <typename Attempt>
    std::optional<NewName> ComputeNewName(const std::string& fileName,
                                          const std::vector<std::string>& searches,
                                          const std::vector<std::string>& replacements,
                                          const Attempt& attempt) const {
        NewName name;
        if (!attempt([&] { name = splitName(fileName); }, nullptr)) {
            return std::nullopt;
        }
        const std::size_t pairs = std::min(searches.size(), replacements.size());
        for (std::size_t j = 0; j < pairs; ++j) {
            const auto pair = [&] {
                std::string namePart = name.namePart;
                if (const std::int32_t error =
                        ReplaceInName(namePart, searches[j], replacements[j])) {
                    throw RunError(error);
                }
                name.namePart = std::move(namePart);
            };
            if (!attempt(pair, &name)) {
                return std::nullopt;
            }
        }
        return name;
    }

    // The same, throwing RunError at the first step that fails.
    NewName ComputeNewName(const std::string& fileName, const std::vector<std::string>& searches,
                           const std::vector<std::string>& replacements) const;

  private:
    CaseOptions& m_options;
    const text::CaseMapper& m_mapper;
};

}  // namespace qm
