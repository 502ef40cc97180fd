#include "frame/NumberText.h"

#include <gtest/gtest.h>

#include "base/RunError.h"
#include "tests/support/ErrorNumber.h"

namespace qm {
namespace {

// The number, or the error it raises as a negative value.
std::int64_t convert(const std::string& text) {
    std::int64_t value = 0;
    const std::int32_t error = test::errorNumberOf([&] { value = integerFromText(text); });
    return error != 0 ? -error : value;
}

TEST(NumberText, ConvertsLikeTheBasicIntegerConversion) {
    struct Row {
        std::string text;
        std::int64_t expected;
    };
    constexpr std::int64_t kMismatch = -kTypeMismatch;
    constexpr std::int64_t kOver = -kOverflow;
    const std::vector<Row> rows = {
        {"  2  ", 2},
        {"\t1", 1},
        {"+4", 4},
        {"-4", -4},
        {"007", 7},
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {".5", 0},
        {"2.5000000001", 3},
        {"2.49999", 2},
        {"1.", 1},
        {"1e3", 1000},
        {"25E-1", 2},
        {"1e-999999999999", 0},
        {"0e999999999999", 0},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483648LL},
        {"2147483647.4", 2147483647},
        {"2147483647.5", kOver},
        {"2147483648", kOver},
        {"-2147483649", kOver},
        {"99999999999999999999", kOver},
        {"1e10", kOver},
        {"", kMismatch},
        {"abc", kMismatch},
        {"1a", kMismatch},
        {"1 2", kMismatch},
        {".", kMismatch},
        {"1e", kMismatch},
        {"--1", kMismatch},
        {"1,000", kMismatch},
        {std::string("1\0", 2), kMismatch},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(convert(row.text), row.expected) << '"' << row.text << '"';
    }
}

}  // namespace
}  // namespace qm
