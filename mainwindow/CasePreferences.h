// The two letter-case choices kept in the per-user store, section "Preferences". They are read
// from the store every time, never remembered here, so a change made in the store while the
// program runs shows in the next computed name.
#pragma once

#include <cstdint>

#include "engine/CaseOptions.h"
#include "frame/cRegistry.h"

namespace qm {

class CasePreferences : public CaseOptions {
  public:
    explicit CasePreferences(cRegistry& registry) : m_registry(registry) {}

    // "Filename Case" / "Extension Case", "0" when not stored. Stored text that is not a
    // number throws RunError 13, a number beyond 32 bits RunError 6 (integerFromText).
    std::int32_t GetFilenameCase() override;
    std::int32_t GetExtensionCase() override;

    // Store the option index as decimal text; a failed write goes unnoticed, as everywhere the
    // preferences are saved.
    void SaveFilenameCase(int index);
    void SaveExtensionCase(int index);

  private:
    cRegistry& m_registry;
};

}  // namespace qm
