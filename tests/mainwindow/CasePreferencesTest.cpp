#include "mainwindow/CasePreferences.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/RunError.h"
#include "platform/posix/HiveFile.h"
#include "tests/support/TempFolder.h"

namespace qm {
namespace {

using namespace std::string_literals;

struct CasePreferencesTest : ::testing::Test {
    test::TempFolder dir;
    platform::HiveFile store{dir / "user.reg"};
    cRegistry registry{store, "Quillmote Utility"};
    CasePreferences preferences{registry};
};

TEST_F(CasePreferencesTest, NothingStoredMeansDontChange) {
    EXPECT_EQ(preferences.GetFilenameCase(), kFilenameDontChange);
    EXPECT_EQ(preferences.GetExtensionCase(), kExtensionDontChange);
}

TEST_F(CasePreferencesTest, ChoicesAreStoredAsDecimalText) {
    preferences.SaveFilenameCase(kFilenameUpper);
    preferences.SaveExtensionCase(kExtensionLower);
    EXPECT_EQ(registry.GetSetting("Preferences", "Filename Case"), "2");
    EXPECT_EQ(registry.GetSetting("Preferences", "Extension Case"), "1");
    EXPECT_EQ(preferences.GetFilenameCase(), kFilenameUpper);
    EXPECT_EQ(preferences.GetExtensionCase(), kExtensionLower);
}

// The engine asks for the choices on every name, so a change in the store made by another
// instance of the program shows at once.
TEST_F(CasePreferencesTest, ChangeInTheStoreShowsInTheNextRead) {
    preferences.SaveFilenameCase(kFilenameLower);
    EXPECT_EQ(preferences.GetFilenameCase(), kFilenameLower);
    platform::HiveFile otherInstance(dir / "user.reg");
    cRegistry(otherInstance, "Quillmote Utility").SaveSetting("Preferences", "Filename Case", "3");
    // Another process's write shows once the store's read freshness has passed.
    std::this_thread::sleep_for(platform::HiveFile::kDefaultReadFreshness +
                                std::chrono::milliseconds(1));
    EXPECT_EQ(preferences.GetFilenameCase(), kFilenameProper);
}

TEST_F(CasePreferencesTest, StoredTextThatIsNotANumberRaises) {
    struct Row {
        std::string stored;
        std::int32_t result;  // or the error number raised
    };
    const std::vector<Row> rows = {
        {" 2 ", 2},
        {"2.5", 2},
        {"7", 7},  // not guarded here; the window reports an option that does not exist
        {"", kTypeMismatch},
        {"Upper", kTypeMismatch},
        {"4294967296", kOverflow},
    };
    for (const Row& row : rows) {
        registry.SaveSetting("Preferences", "Extension Case", row.stored);
        try {
            EXPECT_EQ(preferences.GetExtensionCase(), row.result) << '"' << row.stored << '"';
        } catch (const RunError& e) {
            EXPECT_EQ(e.number(), row.result) << '"' << row.stored << '"';
        }
    }
    // A value of size 0 is no text at all: it reads as the default.
    platform::RegKey key = 0;
    ASSERT_EQ(store.createKey("Software\\Quillmote Utility\\Preferences", key),
              platform::kRegSuccess);
    ASSERT_EQ(store.setValue(key, "Filename Case", platform::kRegSz, "", 0), platform::kRegSuccess);
    store.closeKey(key);
    EXPECT_EQ(preferences.GetFilenameCase(), kFilenameDontChange);
}

}  // namespace
}  // namespace qm
