// The settings store over the real per-user registry (RegCreateKeyExW, RegQueryValueExW,
// RegSetValueExW, ...): the status numbers are the registry's own. Text values (REG_SZ,
// REG_EXPAND_SZ, REG_MULTI_SZ) are UTF-16 in the registry and UTF-8 here: sizes count the UTF-8
// bytes, so a value keeps its exact size in characters (a lone terminator is one byte here, two
// there). Other types pass through byte for byte.
#pragma once

#include <chrono>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "services/FaultPlan.h"
#include "services/RegistryStore.h"

namespace qm::platform {

class Win32Registry : public RegistryStore {
  public:
    // Paths are relative to HKEY_CURRENT_USER, or to `base` below it (a test's own key, which
    // stands in for the whole per-user branch). `watched` is the key below that root whose
    // changes revision() follows: the program's own ("Software\Quillmote Utility"), so that
    // what other programs write elsewhere in the branch does not count. `faults` (tests only)
    // makes chosen writes fail as if the registry had.
    explicit Win32Registry(std::string base = "", std::string watched = "",
                           FaultPlan* faults = nullptr);
    ~Win32Registry() override;
    Win32Registry(const Win32Registry&) = delete;
    Win32Registry& operator=(const Win32Registry&) = delete;

    // Changes when a value or key below the watched key changed, here or in any other process (a
    // change notification on that key and its subkeys); every call changes it while the
    // notification cannot be set up (the key does not exist yet, say).
    std::uint64_t revision() override;
    // How long a look at the change notification stays good: a rename run asks for the case
    // choices of every file, and under Wine each look is a round trip to its server. This
    // object's own writes count at once; another process's are seen this long after them at
    // the latest. Zero looks every time.
    void setReadFreshness(std::chrono::nanoseconds freshFor) { m_freshFor = freshFor; }
    static constexpr std::chrono::milliseconds kDefaultReadFreshness{2};
    RegStatus openKey(const std::string& path, RegAccess access, RegKey& key) override;
    RegStatus createKey(const std::string& path, RegKey& key, bool* created = nullptr) override;
    RegStatus queryValue(RegKey key, const std::string& name, RegType* type, char* data,
                         std::uint32_t& size) override;
    RegStatus setValue(RegKey key, const std::string& name, RegType type, const char* data,
                       std::uint32_t size) override;
    RegStatus deleteValue(RegKey key, const std::string& name) override;
    RegStatus deleteKey(RegKey key, const std::string& subKey) override;
    RegStatus enumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t& nameLength,
                        RegType* type, char* data, std::uint32_t* size) override;
    RegStatus queryInfoKey(RegKey key, RegKeyInfo& info) override;
    RegStatus closeKey(RegKey key) override;

    const std::string& base() const { return m_base; }

    // Removes `path` below HKEY_CURRENT_USER with everything in it (a test's key afterwards).
    static RegStatus deleteTree(const std::string& path);

  private:
    using Handle = void*;  // an HKEY
    Handle handleOf(RegKey key);
    RegKey remember(Handle handle);
    void changed();
    void watch();
    std::optional<RegStatus> injectedFault();

    std::string m_base;
    std::wstring m_watchedPath;
    FaultPlan* m_faults;
    Handle m_root = nullptr;     // HKEY_CURRENT_USER or the base key
    Handle m_watched = nullptr;  // the watched key, opened for change notifications
    Handle m_event = nullptr;    // signalled by a change below the root
    std::uint64_t m_revision = 1;
    std::chrono::steady_clock::time_point m_checkedAt{};
    std::chrono::nanoseconds m_freshFor = kDefaultReadFreshness;
    std::mutex m_mutex;
    std::map<RegKey, Handle> m_open;
    RegKey m_next = 1;
};

}  // namespace qm::platform
