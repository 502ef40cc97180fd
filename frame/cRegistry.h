// Text settings below the application's branch of the per-user store: sections are keys under
// "Software\<title>", settings are text values in them. Every call opens its key, does its work
// and closes the key again, so nothing is held between calls. No call reports an error: a read
// that fails gives the default, a write or deletion that fails gives false.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "services/RegistryStore.h"

namespace qm {

class cRegistry {
  public:
    cRegistry(platform::RegistryStore& store, std::string appTitle);

    // Changes whenever the stored settings may have changed (RegistryStore::revision).
    std::uint64_t revision() { return m_store.revision(); }

    // With a key: deletes that value ("*" is the section's unnamed value). Without one: deletes
    // the section itself (only when it has no subsections). True when it was deleted.
    bool DeleteSetting(const std::string& section, const std::string& key = "");

    // One row {name, data} per text value of the section, in the store's order; nullopt when
    // the section is missing or holds no text values.
    std::optional<std::vector<std::array<std::string, 2>>> GetAllSettings(
        const std::string& section);

    // The stored text without its terminator; `defaultValue` when the section or value cannot
    // be read or the value's data is empty. "*" reads the section's unnamed value.
    std::string GetSetting(const std::string& section, const std::string& key,
                           const std::string& defaultValue = "");

    // Stores `setting` as a text value with its terminator, creating the section when needed.
    bool SaveSetting(const std::string& section, const std::string& key,
                     const std::string& setting);

  private:
    // "Software\" + title, and "\" + section when there is one.
    std::string BuildKeyPath(const std::string& section) const;

    platform::RegistryStore& m_store;
    std::string m_appTitle;
};

}  // namespace qm
