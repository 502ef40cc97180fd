#include <gtest/gtest.h>

#include "base/Wildcard.h"
#include "tests/support/SystemServices.h"

namespace qm::platform {
namespace {

struct PatternCase {
    const char* patterns;
    const char* name;
    bool matches;
};

void PrintTo(const PatternCase& c, std::ostream* os) {
    *os << '"' << c.patterns << "\" vs \"" << c.name << '"';
}

class PatternSetTest : public ::testing::TestWithParam<PatternCase> {};

TEST_P(PatternSetTest, MatchesTheWholeNameIgnoringCase) {
    const text::CaseMapper mapper = test::neutralCaseMapper();
    const PatternCase& c = GetParam();
    EXPECT_EQ(PatternSet(c.patterns, mapper).matches(loweredKey(c.name, mapper)), c.matches);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, PatternSetTest,
    ::testing::Values(
        PatternCase{"*.jpg", "Photo.JPG", true}, PatternCase{"*.jpg", "photo.jpeg", false},
        PatternCase{"*.*", "README", true}, PatternCase{"*", "", true},
        PatternCase{"?.txt", "\xC3\xA9.txt", true},  // one character, two bytes
        PatternCase{"?.txt", "\xFF.txt", true},      // a stray byte is one character too
        PatternCase{"a*b*c", "aXbYbZc", true}, PatternCase{"a*b*c", "aXbYbZ", false},
        PatternCase{"*.mp3;*.wav", "x.WAV", true}, PatternCase{" *.mp3 ; *.wav ", "x.wav", true},
        PatternCase{"\xC3\x89t\xC3\xA9.txt", "\xC3\xA9T\xC3\x89.TXT", true},
        // No pattern at all in the list: every name, however the separators are spaced.
        PatternCase{"", "x", true}, PatternCase{";", "x", true}, PatternCase{" ; ; ", "x", true},
        PatternCase{";;  ;", "x", true}, PatternCase{"; ;*.txt", "x", false}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

}  // namespace
}  // namespace qm::platform
