// The settings store on POSIX: one per-user hive file in REGEDIT4 text.
//
// Every change is a read-modify-write under an exclusive flock() on "<hive>.lock" (the hive
// itself is replaced by rename and so cannot carry the lock): the current file is read, changed,
// written to a temporary file in the same folder, synced, renamed over the hive and the folder
// synced. Concurrent processes therefore lose no update, and a crash leaves the old file or the
// new one, never a mix. Readers need no lock: a file is only ever replaced whole.
//
// The parsed hive is cached and checked with one stat() per opened key (device, inode, size,
// modification and change times), so reading an unchanged hive costs about one stat.
//
// A hive with lines that cannot be read keeps every value that can; the first change after that
// copies the old file to "<hive>.bad-YYYYMMDD-HHMMSS" before replacing it.
#pragma once

#include <sys/stat.h>

#include <chrono>

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "services/FaultPlan.h"
#include "services/HiveFormat.h"
#include "services/RegistryStore.h"

namespace qm::platform {

// The per-user hive for these environment values (null when unset):
// $XDG_CONFIG_HOME/quillmote/user.reg when XDG_CONFIG_HOME is absolute, else
// $HOME/.config/quillmote/user.reg; "" when neither gives an absolute folder.
std::string userHivePath(const char* xdgConfigHome, const char* home);

// Larger files are not taken in (kRegBadDatabase) and not replaced.
inline constexpr std::size_t kMaxHiveBytes = 64u << 20;

class HiveFile : public RegistryStore {
  public:
    // The user's own hive (userHivePath of the environment, the password entry's home folder
    // when HOME is not set). `faults` (tests only) makes chosen hive writes fail.
    explicit HiveFile(FaultPlan* faults = nullptr);
    explicit HiveFile(std::string path, FaultPlan* faults = nullptr);
    ~HiveFile() override;
    HiveFile(const HiveFile&) = delete;
    HiveFile& operator=(const HiveFile&) = delete;

    const std::string& path() const { return m_path; }

    // How long a check that the file is unchanged stays good for reads: a rename run reads the
    // case choices for every file, and one stat per read would cost more than the rename's own
    // bookkeeping. Writes from this object are seen at once; another process's write is seen by
    // reads starting this long after it. Zero checks on every read.
    void setReadFreshness(std::chrono::nanoseconds freshFor) { m_freshFor = freshFor; }
    static constexpr std::chrono::milliseconds kDefaultReadFreshness{2};

    std::uint64_t revision() override;
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

  private:
    struct Snapshot {
        HiveKey root;
        std::size_t badEntries = 0;
        std::string text;  // the file as read, kept only while it has bad entries
    };
    struct Stamp {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        bool operator==(const Stamp& other) const;
    };
    // Handles are slots; a handle also carries its slot's use count, so a closed handle stays
    // invalid after its slot is reused.
    struct OpenKey {
        bool inUse = false;
        std::uint16_t uses = 0;
        std::string path;
        RegAccess access = RegAccess::Read;
        std::uint64_t cacheGeneration = 0;  // the cache `node` was found in
        const HiveKey* node = nullptr;
    };
    // Changes the freshly read root and sets `changed`; nothing is written when it fails or
    // changes nothing.
    using Change = std::function<RegStatus(HiveKey& root, bool& changed)>;

    static Stamp stampOf(const struct stat& st);
    RegStatus refresh();
    // refresh(), unless the last check is younger than the read freshness.
    RegStatus refreshForReading();
    RegStatus loadFile();
    void setCache(Snapshot snapshot, const Stamp& stamp, int pinFd);
    const HiveKey* findKey(const std::string& path, bool& validPath);
    RegStatus modify(const Change& change);
    RegStatus keepBackup(const std::string& text);
    RegStatus replaceFile(const std::string& text, Stamp& stamp, int& pinFd);
    OpenKey* handle(RegKey key);
    RegStatus resolve(RegKey key, OpenKey*& open);
    RegStatus addHandle(const std::string& path, RegAccess access, const HiveKey* node,
                        RegKey& key);

    std::string m_path;
    FaultPlan* m_faults;
    std::mutex m_mutex;
    Snapshot m_cache;
    Stamp m_stamp;
    bool m_cacheLoaded = false;
    std::chrono::nanoseconds m_freshFor = kDefaultReadFreshness;
    std::chrono::steady_clock::time_point m_checkedAt{};
    std::uint64_t m_cacheGeneration = 0;
    // The cached file stays open so that its inode number cannot be given to a later file while
    // the cache is checked against it.
    int m_pinFd = -1;
    // Key paths already looked up in the cache: a read of an unchanged hive then allocates
    // nothing and walks no tree.
    std::unordered_map<std::string, const HiveKey*> m_found;
    std::vector<OpenKey> m_keys;
    std::vector<std::size_t> m_freeKeys;
};

}  // namespace qm::platform
