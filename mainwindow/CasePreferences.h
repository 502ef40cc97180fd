// The two letter-case choices kept in the per-user store, section "Preferences". Every call asks
// the store, so a change made in the store while the program runs shows in the next computed
// name; the text is converted again only when the store has changed.
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
    // A stored choice as last read, good while the store's revision stays the same: the name
    // computation asks for every file of a run, and the answer rarely changes.
    struct Remembered {
        std::uint64_t revision = 0;
        bool valid = false;
        std::int32_t value = 0;
    };
    std::int32_t read(const char* key, Remembered& remembered);

    cRegistry& m_registry;
    Remembered m_filenameCase;
    Remembered m_extensionCase;
};

}  // namespace qm
