#include "frame/cRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/HiveValues.h"
#include "tests/support/SystemServices.h"
#include "tests/support/TempFolder.h"

namespace qm {
namespace {

using namespace std::string_literals;
using platform::RegKey;
using platform::RegStatus;
using platform::RegType;
using test::putValue;
using test::TestRegistry;

constexpr const char* kApp = "Software\\Quillmote Utility";
constexpr const char* kPrefs = "Software\\Quillmote Utility\\Preferences";

struct cRegistryTest : ::testing::Test {
    test::TempFolder dir;
    TestRegistry store{dir / "user.reg"};
    cRegistry registry{store, "Quillmote Utility"};
};

TEST_F(cRegistryTest, GetSettingReadsWhateverDataTheValueHolds) {
    struct Row {
        const char* what;
        std::string key;   // as passed to GetSetting
        std::string name;  // as planted in the store ("-" plants nothing)
        std::string data;
        RegType type;
        std::string expected;  // with default "dflt"
    };
    const std::vector<Row> rows = {
        {"text", "Filename Case", "Filename Case", "2\0"s, platform::kRegSz, "2"},
        {"name in another case", "FILENAME CASE", "Filename Case", "2\0"s, platform::kRegSz, "2"},
        {"size 0 reads as the default", "Nothing", "Nothing", "", platform::kRegSz, "dflt"},
        {"lone terminator reads as empty text", "Empty", "Empty", "\0"s, platform::kRegSz, ""},
        {"star reads the unnamed value", "*", "", "unnamed\0"s, platform::kRegSz, "unnamed"},
        {"last byte dropped whatever it is", "Raw", "Raw", "abc", platform::kRegBinary, "ab"},
        {"type not looked at", "Count", "Count", "\x0a\0\0\0"s, platform::kRegDword, "\x0a\0\0"s},
        {"NUL inside kept", "Inner", "Inner", "a\0b\0"s, platform::kRegSz, "a\0b"s},
        {"missing value", "Absent", "-", "", platform::kRegSz, "dflt"},
    };
    for (const Row& row : rows) {
        if (row.name != "-") {
            putValue(store, kPrefs, row.name, row.data, row.type);
        }
        EXPECT_EQ(registry.GetSetting("Preferences", row.key, "dflt"), row.expected) << row.what;
    }
    EXPECT_EQ(registry.GetSetting("No Such Section", "Filename Case", "dflt"), "dflt");
    EXPECT_EQ(registry.GetSetting("Preferences", "Absent"), "");
}

TEST_F(cRegistryTest, GetAllSettingsListsTextValuesInStoredOrderOrNothing) {
    putValue(store, kPrefs, "Default Filter Type", "0\0"s);
    putValue(store, kPrefs, "Count", "\1\0\0\0"s, platform::kRegDword);
    putValue(store, kPrefs, "Filename Case", "3\0"s);
    putValue(store, kPrefs, "", "unnamed\0"s);
    putValue(store, kPrefs, "Blob", "xy", platform::kRegBinary);
    putValue(store, kPrefs, "Empty", "\0"s);
    putValue(store, kPrefs, "Nothing", "");
    putValue(store, kPrefs, "Default Filter Type", "4\0"s);  // a rewrite keeps its place
    auto rows = registry.GetAllSettings("Preferences");
    ASSERT_TRUE(rows.has_value());
    std::vector<std::array<std::string, 2>> expected = {
        {"Default Filter Type", "4"},
        {"Filename Case", "3"},
        {"", "unnamed"},
        {"Empty", ""},
        {"Nothing", ""},
    };
#ifdef _WIN32  // the registry enumerates in an order of its own
    std::sort(rows->begin(), rows->end());
    std::sort(expected.begin(), expected.end());
#endif
    EXPECT_EQ(*rows, expected);

    // Nothing at all for a section without text values.
    putValue(store, kApp + "\\Numbers"s, "Count", "\1\0\0\0"s, platform::kRegDword);
    RegKey key = 0;
    ASSERT_EQ(store.createKey(kApp + "\\Empty"s, key), platform::kRegSuccess);
    store.closeKey(key);
    for (const char* section : {"Numbers", "Empty", "Missing"}) {
        EXPECT_FALSE(registry.GetAllSettings(section).has_value()) << section;
    }
}

// Saved text with its terminator and type is checked by the main window's settings test; "*"
// saved as the unnamed value by deleting it here.
TEST_F(cRegistryTest, DeleteSettingRemovesAValueOrASection) {
    registry.SaveSetting("Preferences", "Filename Case", "2");
    registry.SaveSetting("Preferences", "*", "unnamed");
    registry.SaveSetting("StartUp", "Last Path", "/home/u/");
    registry.SaveSetting("Nested", "A", "1");
    registry.SaveSetting("Nested\\Inner", "B", "2");

    EXPECT_TRUE(registry.DeleteSetting("Preferences", "filename case"));
    EXPECT_EQ(registry.GetSetting("Preferences", "Filename Case", "gone"), "gone");
    EXPECT_FALSE(registry.DeleteSetting("Preferences", "Filename Case"));
    EXPECT_TRUE(registry.DeleteSetting("Preferences", "*"));
    EXPECT_EQ(registry.GetSetting("Preferences", "*", "gone"), "gone");
    EXPECT_FALSE(registry.DeleteSetting("Missing", "Key"));

    EXPECT_TRUE(registry.DeleteSetting("StartUp"));
    EXPECT_EQ(registry.GetSetting("StartUp", "Last Path", "gone"), "gone");
    EXPECT_FALSE(registry.DeleteSetting("StartUp"));
    EXPECT_FALSE(registry.DeleteSetting("Nested")) << "a section with sections below stays";
    EXPECT_EQ(registry.GetSetting("Nested\\Inner", "B"), "2");
    // No section name must not mean the whole application key.
    EXPECT_FALSE(registry.DeleteSetting(""));
    EXPECT_EQ(registry.GetSetting("Nested", "A"), "1");
}

// A store whose first answer about a size is larger than the value, as when the value is
// rewritten shorter by someone else between the two calls.
class ShrinkingStore : public TestRegistry {
  public:
    using TestRegistry::TestRegistry;
    RegStatus queryValue(RegKey k, const std::string& n, RegType* t, char* d,
                         std::uint32_t& s) override {
        const RegStatus status = TestRegistry::queryValue(k, n, t, d, s);
        if (d == nullptr) {
            s += 5;
        }
        return status;
    }
    RegStatus queryInfoKey(RegKey k, platform::RegKeyInfo& info) override {
        const RegStatus status = TestRegistry::queryInfoKey(k, info);
        // The first answer is too small, as when a value grew after the question.
        if (m_infoCalls++ == 0) {
            info.maxValueDataSize = 0;
            info.maxValueNameLength = 0;
        }
        return status;
    }

  private:
    int m_infoCalls = 0;
};

TEST_F(cRegistryTest, ValueChangingBetweenCallsIsReadAsItIsNow) {
    registry.SaveSetting("Preferences", "Filename Case", "2");
    registry.SaveSetting("Preferences", "Extension Case", "1");
    ShrinkingStore shrinking(dir / "user.reg", nullptr, test::Owner::No);
    cRegistry onShrinking(shrinking, "Quillmote Utility");
    EXPECT_EQ(onShrinking.GetSetting("Preferences", "Filename Case"), "2");
    const auto rows = onShrinking.GetAllSettings("Preferences");
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(rows->size(), 2u);
}

}  // namespace
}  // namespace qm
