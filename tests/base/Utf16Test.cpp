#include "base/Utf16.h"

#include <gtest/gtest.h>

namespace qm::text {
namespace {

TEST(Utf16, EveryNameWindowsCanHoldRoundTripsExactly) {
    struct Row {
        const char* what;
        std::string utf8;
        std::wstring units;
    };
    const std::vector<Row> rows = {
        {"ascii", "a.txt", L"a.txt"},
        {"two and three bytes", "\xC3\xA9\xE2\x82\xAC", {0x00E9, 0x20AC}},
        {"beyond U+FFFF", "\xF0\x9F\x98\x80", {0xD83D, 0xDE00}},
        {"lone high surrogate", "a\xED\xA0\x80", {L'a', 0xD800}},
        {"lone low surrogate last", "\xED\xBF\xBF", {0xDFFF}},
        {"low before high", "\xED\xB0\x80\xED\xA0\x80", {0xDC00, 0xD800}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(fromUtf16(row.units), row.utf8) << row.what;
        EXPECT_EQ(toUtf16(row.utf8), row.units) << row.what;
    }
}

TEST(Utf16, BytesNoUtf16HoldsAreRefusedOrShownReplaced) {
    for (const std::string bad : {"caf\xE9", "\xFF", "abc\xE2\x82", "\xC0\x80"}) {
        EXPECT_FALSE(toUtf16(bad).has_value()) << bad;
    }
    EXPECT_EQ(toUtf16Lossy("a\xFF"
                           "b"),
              (std::wstring{L'a', 0xFFFD, L'b'}));
}

}  // namespace
}  // namespace qm::text
