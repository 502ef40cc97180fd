// The per-user settings store, shaped like the handful of registry calls the program makes below
// HKEY_CURRENT_USER: keys opened and closed around every use, values with a type and an exact
// byte count, status numbers instead of exceptions. Any failure is a non-zero status; callers
// treat it as "not found" or "not done".
#pragma once

#include <cstdint>
#include <string>

namespace qm::platform {

// Status numbers as the registry returns them.
using RegStatus = std::int32_t;
inline constexpr RegStatus kRegSuccess = 0;
inline constexpr RegStatus kRegFileNotFound = 2;  // no such key or value
inline constexpr RegStatus kRegPathNotFound = 3;
inline constexpr RegStatus kRegTooManyOpenFiles = 4;
// Also a write through a read-only handle, or deleting a key that still has subkeys.
inline constexpr RegStatus kRegAccessDenied = 5;
inline constexpr RegStatus kRegInvalidHandle = 6;
inline constexpr RegStatus kRegOutOfMemory = 14;
inline constexpr RegStatus kRegInvalidParameter = 87;  // a name the store cannot hold
inline constexpr RegStatus kRegDiskFull = 112;
inline constexpr RegStatus kRegBadPathname = 161;
// The buffer is too small; the size needed is returned.
inline constexpr RegStatus kRegMoreData = 234;
inline constexpr RegStatus kRegNoMoreItems = 259;  // enumeration past the last value
// The store's file cannot be taken in (too large).
inline constexpr RegStatus kRegBadDatabase = 1009;
inline constexpr RegStatus kRegCantRead = 1012;
inline constexpr RegStatus kRegCantWrite = 1013;
inline constexpr RegStatus kRegIoFailed = 1016;
inline constexpr RegStatus kRegKeyDeleted = 1018;  // the key behind an open handle has gone

// Value types.
using RegType = std::uint32_t;
inline constexpr RegType kRegNone = 0;
inline constexpr RegType kRegSz = 1;
inline constexpr RegType kRegExpandSz = 2;
inline constexpr RegType kRegBinary = 3;
inline constexpr RegType kRegDword = 4;
inline constexpr RegType kRegDwordBigEndian = 5;
inline constexpr RegType kRegLink = 6;
inline constexpr RegType kRegMultiSz = 7;
inline constexpr RegType kRegQword = 11;

// An open key; 0 is never a valid handle.
using RegKey = std::uint32_t;

enum class RegAccess { Read, Full };

struct RegKeyInfo {
    std::uint32_t subKeys = 0;
    std::uint32_t maxSubKeyLength = 0;
    std::uint32_t values = 0;
    std::uint32_t maxValueNameLength = 0;  // bytes, without a terminator
    std::uint32_t maxValueDataSize = 0;    // bytes
};

// Key paths are relative to the per-user root, components separated by "\" ("" is the root).
// Key and value names compare ASCII case-insensitively and keep the case they were created
// with. The empty value name is the key's default (unnamed) value. Names holding a NUL or a line
// feed, and paths with an empty component, are refused with kRegInvalidParameter.
class RegistryStore {
  public:
    virtual ~RegistryStore() = default;

    // A number that changes whenever what the store holds may have changed, so a caller may
    // keep what it read for as long as the number stays the same. As cheap as reading a value
    // of an unchanged store.
    virtual std::uint64_t revision() = 0;

    // Opens an existing key: kRegFileNotFound when it does not exist.
    virtual RegStatus openKey(const std::string& path, RegAccess access, RegKey& key) = 0;

    // Opens the key with full access, creating it and any missing parent first. `created`, when
    // given, tells whether the key was new.
    virtual RegStatus createKey(const std::string& path, RegKey& key, bool* created = nullptr) = 0;

    // With `data` null: the value's type and size only. Otherwise `size` is the buffer's size on
    // entry and the value's size on return; a buffer too small gives kRegMoreData and copies
    // nothing. `type` may be null.
    virtual RegStatus queryValue(RegKey key, const std::string& name, RegType* type, char* data,
                                 std::uint32_t& size) = 0;

    // Stores `size` bytes from `data` as the value `name`, replacing any value of that name.
    virtual RegStatus setValue(RegKey key, const std::string& name, RegType type, const char* data,
                               std::uint32_t size) = 0;

    virtual RegStatus deleteValue(RegKey key, const std::string& name) = 0;

    // Deletes the key `subKey` (a path relative to `key`, not empty). A key that still has
    // subkeys is not deleted (kRegAccessDenied).
    virtual RegStatus deleteKey(RegKey key, const std::string& subKey) = 0;

    // The value at `index` in enumeration order (the store's own: the settings hive keeps the
    // order values were first stored; the Windows registry chooses its own). `name`
    // holds `nameLength` bytes on entry, which must leave room for a terminator; on return
    // `nameLength` is the name's length without it. `data` as for queryValue; `type`, `data` and
    // `size` may be null. kRegNoMoreItems past the last value.
    virtual RegStatus enumValue(RegKey key, std::uint32_t index, char* name,
                                std::uint32_t& nameLength, RegType* type, char* data,
                                std::uint32_t* size) = 0;

    virtual RegStatus queryInfoKey(RegKey key, RegKeyInfo& info) = 0;

    virtual RegStatus closeKey(RegKey key) = 0;
};

}  // namespace qm::platform
