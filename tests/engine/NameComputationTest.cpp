#include "engine/NameComputation.h"

#include <gtest/gtest.h>

#include "engine/ReplacementLists.h"
#include "tests/support/SystemServices.h"

namespace qm {
namespace {

struct FixedCaseOptions : CaseOptions {
    std::int32_t filenameCase = 0;
    std::int32_t extensionCase = 0;
    std::int32_t GetFilenameCase() override { return filenameCase; }
    std::int32_t GetExtensionCase() override { return extensionCase; }
};

struct NameTest : ::testing::Test {
    const text::CaseMapper mapper = test::neutralCaseMapper();
    FixedCaseOptions options;
    const NameComputation names{options, mapper};
};

struct NameCase {
    const char* label;
    std::string fileName;
    std::string searchText;       // as typed, colon-separated
    std::string replacementText;  // as typed
    int filenameCase;
    int extensionCase;
    std::string expected;
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.label;
}

class NewNameTest : public NameTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(NewNameTest, ComputesTheNameTheRulesGive) {
    const NameCase& c = GetParam();
    options.filenameCase = c.filenameCase;
    options.extensionCase = c.extensionCase;
    std::vector<std::string> searches;
    std::vector<std::string> replacements;
    ASSERT_EQ(BuildSearchList(c.searchText, searches), 0);
    ASSERT_EQ(BuildReplacementList(c.replacementText, replacements), 0);
    EXPECT_EQ(names.ComputeNewName(c.fileName, searches, replacements).full(), c.expected);
}

// clang-format off
const std::vector<NameCase> kNameCases = {
    {"ExtensionLowered", "Holiday.Final.JPG", "final", "Draft", 0, 1, "Holiday.Draft.jpg"},
    {"BothCasesFound", "RedRED.txt", "e", "i", 0, 0, "RidRiD.txt"},
    {"InsertedTextNotSearchedAgain", "ooo.txt", "o", "xo", 0, 0, "xoxoxo.txt"},
    {"PairsApplyInOrder", "a-b-c.txt", "-:_", "_: ", 0, 0, "a b c.txt"},
    {"SpaceBeforeDotTrimmed", "my file .txt", "zz", "y", 0, 0, "my file.txt"},
    {"ProperCaseAfterDeletion", "x_report.doc", "x_", "", 3, 0, "Report.doc"},
    {"NoDotNoExtension", "README", "READ", "Read", 0, 2, "ReadME"},
    {"DotfileIsAllExtension", ".profile", "pro", "con", 2, 0, ".profile"},
    {"ExtensionSplitOnce", "my.old.draft.txt", "old:draft", "new:final", 0, 0, "my.new.final.txt"},
    {"UpperNeverTouchesExtension", "photo.jpeg", "x", "y", 2, 0, "PHOTO.jpeg"},
    {"ExtensionUpper", "photo.jpeg", "x", "y", 0, 2, "photo.JPEG"},
    {"ProperCaseSeparatorsOnlyWhitespace", "my_file-NAME 2.txt", "zz", "", 3, 0, "My_file-name 2.txt"},
    {"ReplacementLongerThanName", "ab.txt", "a", "xyz", 0, 0, "xyzb.txt"},
    {"LeadingSpaceOfSecondPairKept", "a b.txt", "a: b", "x:-y", 0, 0, "x-y.txt"},
    {"TrimmedAfterEveryPair", "a b.txt", "a: ", "  :+", 0, 0, "b.txt"},
    {"TabsAreNotTrimmed", "\tname.txt", "zz", "", 0, 0, "\tname.txt"},
    {"UnknownCaseValuesChangeNothing", "MiXed.TxT", "zz", "", 9, -1, "MiXed.TxT"},
    {"ReplacementFoundInExtensionIgnored", "txt.txt", "txt", "doc", 0, 0, "doc.txt"},
    {"TrailingDotKept", "notes.", "o", "0", 0, 0, "n0tes."},
    {"NonAsciiFoundCaseInsensitively", "CAFÉ.txt", "é", "e", 0, 0, "CAFe.txt"},
    {"NonAsciiUpper", "été.txt", "zz", "", 2, 0, "ÉTÉ.txt"},
    {"SharpSStaysOneCharacter", "straße.TXT", "zz", "", 2, 1, "STRAßE.txt"},
    {"ProperCaseNonAscii", "élan vital.txt", "zz", "", 3, 0, "Élan Vital.txt"},
    // Latin-1 é, a stray 0xFF, a cut sequence: every byte kept, the rest upper-cased.
    {"InvalidUtf8KeepsItsBytes", "caf\xE9-\xFF\xC3(x).txt", "-", " ", 2, 0, "CAF\xE9 \xFF\xC3(X).txt"},
    // A stray 0xE9 in the search text finds only itself, not the real é.
    {"StrayByteMatchesOnlyItself", "a\xE9" "b\xC3\xA9.txt", "\xE9", "E", 0, 0, "aEb\xC3\xA9.txt"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rules, NewNameTest, ::testing::ValuesIn(kNameCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(NameTest, ReplaceAllStartPositionCountsCharacters) {
    const std::string many(40000, 'a');  // past what a 16-bit count holds
    struct Row {
        std::int32_t start;
        std::string namePart;
        std::string expected;
    };
    for (const Row& row :
         {Row{0, "aéa", "XéX"}, Row{1, "aéa", "XéX"}, Row{2, "aéa", "aéX"}, Row{3, "aéa", "aéX"},
          Row{4, "aéa", "aéa"}, Row{40001, many + "a", many + "X"}}) {
        std::string namePart = row.namePart;
        EXPECT_EQ(names.ReplaceAll(row.start, namePart, "A", "X"), 0);
        EXPECT_EQ(namePart, row.expected) << "start " << row.start;
    }
}

TEST(NewNameLocale, TurkishDottedAndDotlessI) {
    const auto turkish = test::caseMapperFor("tr-TR");
    if (!turkish) {
        GTEST_SKIP() << "no Turkish rules here (Linux: localedef -i tr_TR -f UTF-8 tr_TR.UTF-8)";
    }
    const text::CaseMapper& mapper = *turkish;
    FixedCaseOptions options;
    options.filenameCase = kFilenameUpper;
    const NameComputation names(options, mapper);
    EXPECT_EQ(names.ComputeNewName("istanbul.txt", {"zz"}, {""}).full(), "İSTANBUL.txt");
    options.filenameCase = kFilenameLower;
    EXPECT_EQ(names.ComputeNewName("ISPARTA.txt", {"zz"}, {""}).full(), "ısparta.txt");
    // Upper-casing the extension makes it longer in bytes; the name part is cut before that.
    options.filenameCase = kFilenameDontChange;
    options.extensionCase = kExtensionUpper;
    EXPECT_EQ(names.ComputeNewName("dosya.ini", {"zz"}, {""}).full(), "dosya.İNİ");
    // Case-insensitive search compares lower-case forms: dotless I finds ı, not i.
    std::string namePart = "Iı i";
    names.ReplaceAll(1, namePart, "I", "_");
    EXPECT_EQ(namePart, "__ i");
}

}  // namespace
}  // namespace qm
