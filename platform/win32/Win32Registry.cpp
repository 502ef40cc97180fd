#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "base/RunError.h"
#include "base/Utf16.h"

namespace qm::platform {

namespace {

HKEY hkey(void* handle) {
    return static_cast<HKEY>(handle);
}

bool isTextType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// A value or key name as the registry takes it; nullopt for one the store refuses.
std::optional<std::wstring> wideName(const std::string& name) {
    if (name.find('\0') != std::string::npos || name.find('\n') != std::string::npos) {
        return std::nullopt;
    }
    return text::toUtf16(name);
}

// A key path: nullopt when a component is empty (a leading, doubled or trailing "\").
std::optional<std::wstring> keyPath(const std::string& path) {
    if (!path.empty() &&
        (path.front() == '\\' || path.back() == '\\' || path.find("\\\\") != std::string::npos)) {
        return std::nullopt;
    }
    return wideName(path);
}

// The program's bytes of a stored value: text types from UTF-16 (an odd last byte, which no
// unit holds, is dropped), the rest as stored.
std::string fromStored(DWORD type, const std::vector<BYTE>& bytes) {
    if (!isTextType(type)) {
        return std::string(bytes.begin(), bytes.end());
    }
    std::wstring units(bytes.size() / 2, L'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<wchar_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return text::fromUtf16(units);
}

// The registry's bytes of the program's data; nullopt for text no UTF-16 holds.
std::optional<std::vector<BYTE>> toStored(DWORD type, const char* data, std::uint32_t size) {
    const std::string_view bytes(data == nullptr ? "" : data, data == nullptr ? 0 : size);
    if (!isTextType(type)) {
        return std::vector<BYTE>(bytes.begin(), bytes.end());
    }
    const auto units = text::toUtf16(bytes);
    if (!units) {
        return std::nullopt;
    }
    std::vector<BYTE> stored;
    stored.reserve(units->size() * 2);
    for (const wchar_t unit : *units) {
        stored.push_back(static_cast<BYTE>(unit & 0xFF));
        stored.push_back(static_cast<BYTE>((unit >> 8) & 0xFF));
    }
    return stored;
}

// The value's type and bytes, read again while it grows between asking its size and reading.
LSTATUS readValue(HKEY key, const wchar_t* name, DWORD& type, std::vector<BYTE>& bytes) {
    DWORD size = 0;
    LSTATUS status = ::RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
    for (int attempt = 0; status == ERROR_SUCCESS && attempt < 8; ++attempt) {
        bytes.resize(size);
        status = ::RegQueryValueExW(key, name, nullptr, &type,
                                    bytes.empty() ? nullptr : bytes.data(), &size);
        if (status == ERROR_MORE_DATA) {
            status = ERROR_SUCCESS;
            continue;
        }
        bytes.resize(size);
        return status;
    }
    return status;
}

// Hands `value` to a caller's buffer as the store's calls do: the size alone without a buffer,
// kRegMoreData (copying nothing) when the buffer is too small.
RegStatus deliver(const std::string& value, char* data, std::uint32_t& size) {
    const auto needed = static_cast<std::uint32_t>(value.size());
    if (data != nullptr && size < needed) {
        size = needed;
        return kRegMoreData;
    }
    if (data != nullptr) {
        value.copy(data, value.size());
    }
    size = needed;
    return kRegSuccess;
}

}  // namespace

Win32Registry::Win32Registry(std::string base, std::string watched, FaultPlan* faults)
    : m_base(std::move(base)), m_watchedPath(keyPath(watched).value_or(L"")), m_faults(faults) {
    HKEY root = HKEY_CURRENT_USER;
    if (!m_base.empty()) {
        const auto path = text::toUtf16(m_base);
        if (!path ||
            ::RegCreateKeyExW(HKEY_CURRENT_USER, path->c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &root, nullptr) != ERROR_SUCCESS) {
            root = nullptr;  // every call then fails as for a key that cannot be opened
        }
    }
    m_root = root;
    m_event = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    watch();
}

Win32Registry::~Win32Registry() {
    for (const auto& [key, handle] : m_open) {
        ::RegCloseKey(hkey(handle));
    }
    if (m_watched != nullptr) {
        ::RegCloseKey(hkey(m_watched));
    }
    if (m_event != nullptr) {
        ::CloseHandle(m_event);
    }
    if (m_root != nullptr && m_root != HKEY_CURRENT_USER) {
        ::RegCloseKey(hkey(m_root));
    }
}

void Win32Registry::watch() {
    if (m_watched == nullptr && m_root != nullptr) {
        HKEY watched = nullptr;
        if (::RegOpenKeyExW(hkey(m_root), m_watchedPath.c_str(), 0, KEY_NOTIFY, &watched) ==
            ERROR_SUCCESS) {
            m_watched = watched;
        }
    }
    if (m_watched == nullptr || m_event == nullptr ||
        ::RegNotifyChangeKeyValue(hkey(m_watched), TRUE,
                                  REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET, m_event,
                                  TRUE) != ERROR_SUCCESS) {
        if (m_watched != nullptr) {
            ::RegCloseKey(hkey(m_watched));
            m_watched = nullptr;
        }
    }
}

std::optional<RegStatus> Win32Registry::injectedFault() {
    const auto err = m_faults == nullptr ? std::nullopt : m_faults->next(FaultSite::HiveWrite);
    if (!err) {
        return std::nullopt;
    }
    // Through the program's one errno table, as the settings hive file answers the same fault.
    switch (errorFromErrno(*err, MissingIs::Path).number()) {
        case kPermissionDenied:
            return kRegAccessDenied;
        case kDiskFull:
            return kRegDiskFull;
        case kDeviceIoError:
            return kRegIoFailed;
        default:
            return kRegCantWrite;
    }
}

void Win32Registry::changed() {
    std::lock_guard lock(m_mutex);
    ++m_revision;
}

std::uint64_t Win32Registry::revision() {
    std::lock_guard lock(m_mutex);
    if (m_watched == nullptr) {
        watch();
        return ++m_revision;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now - m_checkedAt < m_freshFor) {
        return m_revision;
    }
    m_checkedAt = now;
    if (::WaitForSingleObject(m_event, 0) == WAIT_OBJECT_0) {
        ++m_revision;
        watch();  // a notification fires once; ask for the next one
    }
    return m_revision;
}

Win32Registry::Handle Win32Registry::handleOf(RegKey key) {
    std::lock_guard lock(m_mutex);
    const auto it = m_open.find(key);
    return it == m_open.end() ? nullptr : it->second;
}

RegKey Win32Registry::remember(Handle handle) {
    std::lock_guard lock(m_mutex);
    while (m_next == 0 || m_open.count(m_next) != 0) {
        ++m_next;
    }
    m_open[m_next] = handle;
    return m_next++;
}

RegStatus Win32Registry::openKey(const std::string& path, RegAccess access, RegKey& key) {
    const auto subKey = keyPath(path);
    if (!subKey) {
        return kRegInvalidParameter;
    }
    if (m_root == nullptr) {
        return kRegFileNotFound;
    }
    HKEY opened = nullptr;
    const LSTATUS status =
        ::RegOpenKeyExW(hkey(m_root), subKey->c_str(), 0,
                        access == RegAccess::Read ? KEY_READ : KEY_ALL_ACCESS, &opened);
    if (status != ERROR_SUCCESS) {
        return static_cast<RegStatus>(status);
    }
    key = remember(opened);
    return kRegSuccess;
}

RegStatus Win32Registry::createKey(const std::string& path, RegKey& key, bool* created) {
    const auto subKey = keyPath(path);
    if (!subKey) {
        return kRegInvalidParameter;
    }
    if (m_root == nullptr) {
        return kRegFileNotFound;
    }
    HKEY opened = nullptr;
    DWORD disposition = 0;
    const LSTATUS status =
        ::RegCreateKeyExW(hkey(m_root), subKey->c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &opened, &disposition);
    if (status != ERROR_SUCCESS) {
        return static_cast<RegStatus>(status);
    }
    if (disposition == REG_CREATED_NEW_KEY) {
        changed();
    }
    if (created != nullptr) {
        *created = disposition == REG_CREATED_NEW_KEY;
    }
    key = remember(opened);
    return kRegSuccess;
}

RegStatus Win32Registry::queryValue(RegKey key, const std::string& name, RegType* type, char* data,
                                    std::uint32_t& size) {
    const Handle handle = handleOf(key);
    const auto valueName = wideName(name);
    if (handle == nullptr) {
        return kRegInvalidHandle;
    }
    if (!valueName) {
        return kRegInvalidParameter;
    }
    DWORD storedType = REG_NONE;
    std::vector<BYTE> bytes;
    const LSTATUS status = readValue(hkey(handle), valueName->c_str(), storedType, bytes);
    if (status != ERROR_SUCCESS) {
        return static_cast<RegStatus>(status);
    }
    if (type != nullptr) {
        *type = storedType;
    }
    return deliver(fromStored(storedType, bytes), data, size);
}

RegStatus Win32Registry::setValue(RegKey key, const std::string& name, RegType type,
                                  const char* data, std::uint32_t size) {
    const Handle handle = handleOf(key);
    const auto valueName = wideName(name);
    if (handle == nullptr) {
        return kRegInvalidHandle;
    }
    const auto stored = toStored(type, data, size);
    if (!valueName || !stored) {
        return kRegInvalidParameter;
    }
    if (const auto fault = injectedFault()) {
        return *fault;
    }
    const LSTATUS status = ::RegSetValueExW(hkey(handle), valueName->c_str(), 0, type,
                                            stored->empty() ? nullptr : stored->data(),
                                            static_cast<DWORD>(stored->size()));
    changed();
    return static_cast<RegStatus>(status);
}

RegStatus Win32Registry::deleteValue(RegKey key, const std::string& name) {
    const Handle handle = handleOf(key);
    const auto valueName = wideName(name);
    if (handle == nullptr) {
        return kRegInvalidHandle;
    }
    if (!valueName) {
        return kRegInvalidParameter;
    }
    const LSTATUS status = ::RegDeleteValueW(hkey(handle), valueName->c_str());
    changed();
    return static_cast<RegStatus>(status);
}

RegStatus Win32Registry::deleteKey(RegKey key, const std::string& subKey) {
    const Handle handle = handleOf(key);
    const auto path = keyPath(subKey);
    if (handle == nullptr) {
        return kRegInvalidHandle;
    }
    if (!path || path->empty()) {
        return kRegInvalidParameter;
    }
    const LSTATUS status = ::RegDeleteKeyW(hkey(handle), path->c_str());
    changed();
    return static_cast<RegStatus>(status);
}

RegStatus Win32Registry::enumValue(RegKey key, std::uint32_t index, char* name,
                                   std::uint32_t& nameLength, RegType* type, char* data,
                                   std::uint32_t* size) {
    const Handle handle = handleOf(key);
    if (handle == nullptr) {
        return kRegInvalidHandle;
    }
    std::wstring units(16384, L'\0');  // the longest value name the registry allows, and its NUL
    DWORD unitCount = static_cast<DWORD>(units.size());
    LSTATUS status = ::RegEnumValueW(hkey(handle), index, units.data(), &unitCount, nullptr,
                                     nullptr, nullptr, nullptr);
    if (status != ERROR_SUCCESS) {
        return static_cast<RegStatus>(status);
    }
    units.resize(unitCount);
    DWORD storedType = REG_NONE;
    std::vector<BYTE> bytes;
    status = readValue(hkey(handle), units.c_str(), storedType, bytes);
    if (status != ERROR_SUCCESS) {
        return static_cast<RegStatus>(status);
    }
    const std::string valueName = text::fromUtf16(units);
    if (nameLength < valueName.size() + 1) {
        nameLength = static_cast<std::uint32_t>(valueName.size());
        return kRegMoreData;
    }
    valueName.copy(name, valueName.size());
    name[valueName.size()] = '\0';
    nameLength = static_cast<std::uint32_t>(valueName.size());
    if (type != nullptr) {
        *type = storedType;
    }
    if (size == nullptr) {
        return kRegSuccess;
    }
    return deliver(fromStored(storedType, bytes), data, *size);
}

RegStatus Win32Registry::queryInfoKey(RegKey key, RegKeyInfo& info) {
    const Handle handle = handleOf(key);
    if (handle == nullptr) {
        return kRegInvalidHandle;
    }
    DWORD subKeys = 0;
    DWORD values = 0;
    LSTATUS status = ::RegQueryInfoKeyW(hkey(handle), nullptr, nullptr, nullptr, &subKeys, nullptr,
                                        nullptr, &values, nullptr, nullptr, nullptr, nullptr);
    if (status != ERROR_SUCCESS) {
        return static_cast<RegStatus>(status);
    }
    // The longest names and data in this store's measure (UTF-8 bytes), not the registry's.
    RegKeyInfo measured;
    measured.subKeys = subKeys;
    measured.values = values;
    std::wstring units(16384, L'\0');
    for (DWORD i = 0; i < subKeys; ++i) {
        DWORD count = static_cast<DWORD>(units.size());
        if (::RegEnumKeyExW(hkey(handle), i, units.data(), &count, nullptr, nullptr, nullptr,
                            nullptr) == ERROR_SUCCESS) {
            measured.maxSubKeyLength = std::max<std::uint32_t>(
                measured.maxSubKeyLength,
                static_cast<std::uint32_t>(text::fromUtf16({units.data(), count}).size()));
        }
    }
    for (DWORD i = 0; i < values; ++i) {
        DWORD count = static_cast<DWORD>(units.size());
        if (::RegEnumValueW(hkey(handle), i, units.data(), &count, nullptr, nullptr, nullptr,
                            nullptr) != ERROR_SUCCESS) {
            continue;
        }
        const std::wstring valueName(units.data(), count);
        DWORD type = REG_NONE;
        std::vector<BYTE> bytes;
        if (readValue(hkey(handle), valueName.c_str(), type, bytes) == ERROR_SUCCESS) {
            measured.maxValueNameLength = std::max<std::uint32_t>(
                measured.maxValueNameLength,
                static_cast<std::uint32_t>(text::fromUtf16(valueName).size()));
            measured.maxValueDataSize =
                std::max<std::uint32_t>(measured.maxValueDataSize,
                                        static_cast<std::uint32_t>(fromStored(type, bytes).size()));
        }
    }
    info = measured;
    return kRegSuccess;
}

RegStatus Win32Registry::closeKey(RegKey key) {
    Handle handle = nullptr;
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_open.find(key);
        if (it == m_open.end()) {
            return kRegInvalidHandle;
        }
        handle = it->second;
        m_open.erase(it);
    }
    return static_cast<RegStatus>(::RegCloseKey(hkey(handle)));
}

RegStatus Win32Registry::deleteTree(const std::string& path) {
    const auto subKey = keyPath(path);
    if (!subKey || subKey->empty()) {
        return kRegInvalidParameter;
    }
    return static_cast<RegStatus>(::RegDeleteTreeW(HKEY_CURRENT_USER, subKey->c_str()));
}

}  // namespace qm::platform
