// The settings hive in memory and as REGEDIT4 text, the form the per-user settings file is kept
// in:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Quillmote Utility\Preferences]
//   "Filename Case"="2"
//   @="the unnamed value"
//   "Empty"=hex(1):
//
// A text value is written as "text" only when its data is exactly printable UTF-8 plus one NUL;
// anything else (size 0, no terminator, NULs inside, stray bytes, control characters) is written
// as hex(N): so that the exact bytes and size come back. Writing then parsing gives back every
// key and value exactly.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "services/RegistryStore.h"

namespace qm::platform {

inline constexpr std::string_view kHiveHeader = "REGEDIT4";
inline constexpr std::string_view kHiveRootName = "HKEY_CURRENT_USER";
// Deeper paths are refused: the tree is walked recursively.
inline constexpr std::size_t kMaxKeyDepth = 512;

// Names compare with ASCII letters folded to one case and every other byte as it is.
bool sameName(std::string_view a, std::string_view b);

struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const;
};
struct NameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return sameName(a, b); }
};
// Position by name; looked up with any string_view, without building a folded copy.
using NameIndex = std::unordered_map<std::string, std::size_t, NameHash, NameEqual>;

// Whether the store can hold `name` as a key or value name (no NUL, no line feed).
bool isStorableName(std::string_view name);

// The components of a key path ("a\b" -> {"a", "b"}; "" -> {}); nullopt for an empty
// component, a name the store cannot hold or a path deeper than kMaxKeyDepth.
std::optional<std::vector<std::string>> splitKeyPath(std::string_view path);

struct HiveValue {
    std::string name;
    RegType type = kRegSz;
    std::string data;  // the exact bytes, terminator included for text written by the program

    bool operator==(const HiveValue&) const = default;
};

class HiveKey {
  public:
    HiveKey() = default;
    explicit HiveKey(std::string name) : m_name(std::move(name)) {}

    const std::string& name() const { return m_name; }

    // Values in the order they were first stored.
    const std::vector<HiveValue>& values() const { return m_values; }
    const HiveValue* findValue(std::string_view name) const;
    // Replaces the data and type of a value of that name (keeping its place and the case of its
    // name) or appends a new one.
    void setValue(std::string_view name, RegType type, std::string data);
    bool deleteValue(std::string_view name);

    const std::vector<HiveKey>& subkeys() const { return m_subkeys; }
    const HiveKey* findSubkey(std::string_view name) const;
    HiveKey* findSubkey(std::string_view name);
    // The subkey of that name, created when missing. References to other subkeys of this key
    // may be invalidated.
    HiveKey& subkey(std::string_view name);
    bool deleteSubkey(std::string_view name);

    const HiveKey* find(const std::vector<std::string>& path) const;
    HiveKey* find(const std::vector<std::string>& path);

    bool operator==(const HiveKey& other) const;

  private:
    std::string m_name;
    std::vector<HiveValue> m_values;
    NameIndex m_valueIndex;
    std::vector<HiveKey> m_subkeys;
    NameIndex m_subkeyIndex;
};

struct ParsedHive {
    HiveKey root;  // HKEY_CURRENT_USER
    // Entries that could not be taken in and were left out: lines that are neither blank,
    // comment, key nor value, values under a key that could not be read, values cut short, a
    // missing header.
    std::size_t badEntries = 0;
};

// Takes in everything it can of any input. A later value of the same name in the same key
// replaces an earlier one; key sections of the same name merge.
ParsedHive parseHive(std::string_view text);

std::string writeHive(const HiveKey& root);

}  // namespace qm::platform
