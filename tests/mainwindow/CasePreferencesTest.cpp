#include "mainwindow/CasePreferences.h"

#include <gtest/gtest.h>

#include "base/RunError.h"
#include "tests/support/ErrorNumber.h"
#include "tests/support/SystemServices.h"
#include "tests/support/TempFolder.h"

namespace qm {
namespace {

TEST(CasePreferencesTest, StoredTextThatIsNotANumberRaises) {
    test::TempFolder dir;
    test::TestRegistry store{dir / "user.reg"};
    cRegistry registry{store, "Quillmote Utility"};
    CasePreferences preferences{registry};
    struct Row {
        std::string stored;
        std::int32_t result;  // or the error number raised
    };
    const std::vector<Row> rows = {
        // How text becomes a number is the number conversion's own test.
        {" 2 ", 2},
        {"7", 7},  // not guarded here; the window reports an option that does not exist
        {"", kTypeMismatch},
    };
    for (const Row& row : rows) {
        registry.SaveSetting("Preferences", "Extension Case", row.stored);
        std::int32_t value = 0;
        const auto error = test::errorNumberOf([&] { value = preferences.GetExtensionCase(); });
        EXPECT_EQ(error != 0 ? error : value, row.result) << '"' << row.stored << '"';
    }
}

}  // namespace
}  // namespace qm
