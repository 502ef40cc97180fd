#include "engine/ReplacementLists.h"

#include <gtest/gtest.h>

#include "platform/RunError.h"

namespace qm {
namespace {

struct ListCase {
    std::string text;
    std::int32_t searchError;
    std::vector<std::string> pieces;
};

TEST(ReplacementLists, SearchListRefusesEmptyPieces) {
    const std::vector<ListCase> cases = {
        {"", kNoSearchText, {}},
        {"abc:", kNoSearchText, {}},
        {"a::b", kNoSearchText, {}},
        {":a", kNoSearchText, {}},
        {"a", 0, {"a"}},
        {"a: b", 0, {"a", " b"}},
        {" ", 0, {" "}},
        {"one:two:three:four", 0, {"one", "two", "three", "four"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> list{"stale"};
        EXPECT_EQ(BuildSearchList(c.text, list), c.searchError) << '"' << c.text << '"';
        if (c.searchError == 0) {
            EXPECT_EQ(list, c.pieces) << '"' << c.text << '"';
        }
    }
}

TEST(ReplacementLists, ReplacementListNeverRefuses) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"", {""}},
        {"x:", {"x", ""}},
        {"::", {"", "", ""}},
        {"a: b", {"a", " b"}},
    };
    for (const auto& [text, pieces] : cases) {
        std::vector<std::string> list{"stale"};
        EXPECT_EQ(BuildReplacementList(text, list), 0);
        EXPECT_EQ(list, pieces) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace qm
