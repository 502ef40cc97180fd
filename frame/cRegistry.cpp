#include "frame/cRegistry.h"

#include <cstdint>
#include <limits>
#include <utility>

namespace qm {

using platform::RegistryStore;
using platform::RegKey;
using platform::RegStatus;

namespace {

// Every path out of a call closes the key it opened.
class KeyCloser {
  public:
    KeyCloser(RegistryStore& store, RegKey key) : m_store(store), m_key(key) {}
    ~KeyCloser() { m_store.closeKey(m_key); }
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;

  private:
    RegistryStore& m_store;
    RegKey m_key;
};

std::string valueName(const std::string& key) {
    return key == "*" ? std::string() : key;
}

// The text of stored data: everything but the last byte, which is the terminator. Data of size 0
// has no terminator to drop and gives empty text.
std::string withoutTerminator(const char* data, std::uint32_t size) {
    return size == 0 ? std::string() : std::string(data, size - 1);
}

}  // namespace

cRegistry::cRegistry(RegistryStore& store, std::string appTitle)
    : m_store(store), m_appTitle(std::move(appTitle)) {}

std::string cRegistry::BuildKeyPath(const std::string& section) const {
    std::string path = "Software\\" + m_appTitle;
    if (!section.empty()) {
        path += "\\" + section;
    }
    return path;
}

bool cRegistry::DeleteSetting(const std::string& section, const std::string& key) {
    RegKey handle = 0;
    if (key.empty()) {
        if (m_store.openKey(BuildKeyPath(""), platform::RegAccess::Full, handle) !=
            platform::kRegSuccess) {
            return false;
        }
        const KeyCloser closer(m_store, handle);
        return m_store.deleteKey(handle, section) == platform::kRegSuccess;
    }
    if (m_store.openKey(BuildKeyPath(section), platform::RegAccess::Full, handle) !=
        platform::kRegSuccess) {
        return false;
    }
    const KeyCloser closer(m_store, handle);
    return m_store.deleteValue(handle, valueName(key)) == platform::kRegSuccess;
}

std::optional<std::vector<std::array<std::string, 2>>> cRegistry::GetAllSettings(
    const std::string& section) {
    RegKey handle = 0;
    if (m_store.openKey(BuildKeyPath(section), platform::RegAccess::Read, handle) !=
        platform::kRegSuccess) {
        return std::nullopt;
    }
    const KeyCloser closer(m_store, handle);
    std::string name;
    std::string data;
    const auto sizeBuffers = [&] {
        platform::RegKeyInfo info;
        if (m_store.queryInfoKey(handle, info) != platform::kRegSuccess) {
            return false;
        }
        name.assign(std::size_t{info.maxValueNameLength} + 1, '\0');
        data.assign(std::size_t{info.maxValueDataSize} + 1, '\0');
        return true;
    };
    if (!sizeBuffers()) {
        return std::nullopt;
    }
    std::vector<std::array<std::string, 2>> rows;
    int resized = 0;
    for (std::uint32_t index = 0;;) {
        auto nameLength = static_cast<std::uint32_t>(name.size());
        auto dataSize = static_cast<std::uint32_t>(data.size());
        platform::RegType type = platform::kRegNone;
        const RegStatus status = m_store.enumValue(handle, index, name.data(), nameLength, &type,
                                                   data.data(), &dataSize);
        // A value that grew after the buffers were sized is read again with larger buffers,
        // a few times at most, rather than ending the list early or looping for ever.
        if (status == platform::kRegMoreData && ++resized <= 3 && sizeBuffers()) {
            continue;
        }
        if (status != platform::kRegSuccess) {
            break;
        }
        if (type == platform::kRegSz) {
            rows.push_back({name.substr(0, nameLength), withoutTerminator(data.data(), dataSize)});
        }
        ++index;
    }
    if (rows.empty()) {
        return std::nullopt;
    }
    return rows;
}

std::string cRegistry::GetSetting(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) {
    std::string result = defaultValue;
    RegKey handle = 0;
    if (m_store.openKey(BuildKeyPath(section), platform::RegAccess::Full, handle) !=
        platform::kRegSuccess) {
        return result;
    }
    const KeyCloser closer(m_store, handle);
    const std::string& name = valueName(key);
    std::uint32_t size = 0;
    if (m_store.queryValue(handle, name, nullptr, nullptr, size) != platform::kRegSuccess) {
        return result;
    }
    if (size > 0) {
        std::string buffer(size, '\0');
        std::uint32_t read = size;
        // The value may have been rewritten between the two calls: the size that counts is
        // the one the read reports, never the one announced before it.
        if (m_store.queryValue(handle, name, nullptr, buffer.data(), read) ==
                platform::kRegSuccess &&
            read > 0) {
            result = withoutTerminator(buffer.data(), read);
        }
    }
    return result;
}

bool cRegistry::SaveSetting(const std::string& section, const std::string& key,
                            const std::string& setting) {
    std::string data = setting;
    data.push_back('\0');
    if (data.size() > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    RegKey handle = 0;
    if (m_store.createKey(BuildKeyPath(section), handle) != platform::kRegSuccess) {
        return false;
    }
    const KeyCloser closer(m_store, handle);
    return m_store.setValue(handle, valueName(key), platform::kRegSz, data.data(),
                            static_cast<std::uint32_t>(data.size())) == platform::kRegSuccess;
}

}  // namespace qm
