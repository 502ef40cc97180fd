// One value of a registry store, planted or read exactly as given, as another program (or an
// older version) may have stored it.
#pragma once

#include <optional>
#include <string>

#include "services/RegistryStore.h"

namespace qm::test {

inline platform::RegStatus putValue(platform::RegistryStore& store, const std::string& path,
                                    const std::string& name, const std::string& data,
                                    platform::RegType type = platform::kRegSz) {
    platform::RegKey key = 0;
    if (const auto status = store.createKey(path, key); status != platform::kRegSuccess) {
        return status;
    }
    const platform::RegStatus status =
        store.setValue(key, name, type, data.data(), static_cast<std::uint32_t>(data.size()));
    store.closeKey(key);
    return status;
}

// The value's exact bytes (size asked first, then the data), or nullopt when it cannot be read.
inline std::optional<std::string> getValue(platform::RegistryStore& store, const std::string& path,
                                           const std::string& name,
                                           platform::RegType* type = nullptr) {
    platform::RegKey key = 0;
    if (store.openKey(path, platform::RegAccess::Read, key) != platform::kRegSuccess) {
        return std::nullopt;
    }
    std::uint32_t size = 0;
    std::optional<std::string> result;
    if (store.queryValue(key, name, type, nullptr, size) == platform::kRegSuccess) {
        std::string data(size, '\0');
        if (store.queryValue(key, name, type, data.data(), size) == platform::kRegSuccess) {
            result = data.substr(0, size);
        }
    }
    store.closeKey(key);
    return result;
}

}  // namespace qm::test
