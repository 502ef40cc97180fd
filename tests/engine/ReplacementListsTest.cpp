#include "engine/ReplacementLists.h"

#include <gtest/gtest.h>

#include "base/RunError.h"

namespace qm {
namespace {

// Both lists split the text at every colon; only the search list refuses an empty piece.
TEST(ReplacementLists, SplitAtColonsAndTheSearchListRefusesEmptyPieces) {
    struct Row {
        std::string text;
        bool searchRefused;
        std::vector<std::string> pieces;
    };
    const std::vector<Row> rows = {
        {"", true, {""}},
        {"abc:", true, {"abc", ""}},
        {"a::b", true, {"a", "", "b"}},
        {":a", true, {"", "a"}},
        {"::", true, {"", "", ""}},
        {"a", false, {"a"}},
        {"a: b", false, {"a", " b"}},
        {" ", false, {" "}},
        {"one:two:three:four", false, {"one", "two", "three", "four"}},
    };
    for (const auto& row : rows) {
        std::vector<std::string> search{"stale"};
        std::vector<std::string> replacement{"stale"};
        EXPECT_EQ(BuildSearchList(row.text, search), row.searchRefused ? kNoSearchText : 0)
            << '"' << row.text << '"';
        if (!row.searchRefused) {
            EXPECT_EQ(search, row.pieces) << '"' << row.text << '"';
        }
        EXPECT_EQ(BuildReplacementList(row.text, replacement), 0);
        EXPECT_EQ(replacement, row.pieces) << '"' << row.text << '"';
    }
}

}  // namespace
}  // namespace qm
