// Names a user's disk may hold, renamed through the window: each run ends with the right new
// names or with one clear error, and in either case every file keeps its content under exactly
// one name (nothing lost, nothing overwritten).
#include <gtest/gtest.h>

#include <map>

#include "engine/RenameLog.h"
#include "platform/MessageBox.h"
#include "tests/support/Evidence.h"
#include "tests/support/ProgramFixture.h"

namespace qm {
namespace {

const std::string kLong = std::string(251, 'a') + ".txt";  // 255 bytes, the most a name may have

struct HostileCase {
    const char* label;
    std::vector<std::string> files;  // all selected
    std::string search;
    std::string replacement;
    int filenameCase = 0;
    int extensionCase = 0;
    // Afterwards: each name with the file whose content it must hold.
    std::map<std::string, std::string> after;
    int error = 0;  // the one error the run must stop with (0: none)
};

// Names the case in test listings (the default would print its bytes).
void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.label;
}

class HostileNamesTest : public test::ProgramFixture,
                         public ::testing::WithParamInterface<HostileCase> {
  protected:
    static std::string content(const std::string& name) { return "content of [" + name + "]"; }
};

TEST_P(HostileNamesTest, RightNamesOrAClearErrorAndNothingLost) {
    const HostileCase& c = GetParam();
    for (const auto& name : c.files) {
        h.root.write("work/" + name, content(name));
    }
    start();
    openFolder(h.work);
    form().optionGroup("optFilenameCase")[static_cast<std::size_t>(c.filenameCase)]->click();
    form().optionGroup("optFileExtensionCase")[static_cast<std::size_t>(c.extensionCase)]->click();
    ASSERT_EQ(listed().size(), c.files.size());
    prepare(c.files, c.search, c.replacement);
    ASSERT_EQ(panel(2), c.files.size() == 1 ? "1 file selected"
                                            : std::to_string(c.files.size()) + " files selected");
    const std::string logBefore = h.log();
    h.messages.queueAnswer(platform::kYes);
    form().button("cmdRename").click();

    const auto& shown = h.messages.shown();
    ASSERT_EQ(shown.size(), c.error == 0 ? 1u : 2u) << shown.back().text;
    if (c.error != 0) {
        EXPECT_EQ(shown[1].title, "Quillmote Utility: Error " + std::to_string(c.error))
            << shown[1].text;
        EXPECT_NE(h.log().find(", error number: " + std::to_string(c.error) +
                               " occurred in frmQuillmote_cmdRename"),
                  std::string::npos);
    }
    std::map<std::string, std::string> expected;
    for (const auto& [name, from] : c.after) {
        expected[name] = content(from);
    }
    std::map<std::string, std::string> found;
    for (const auto& name : h.root.names("work")) {
        found[name] = test::readFile(h.work + "/" + name);
    }
    EXPECT_EQ(found, expected);
    // Every file that moved has its entry, with both names exactly as on disk.
    const std::string logged = h.log().substr(logBefore.size());
    for (const auto& [name, from] : c.after) {
        if (name != from) {
            EXPECT_NE(logged.find(RenameLog::entryText("14:03:27", h.work + "/" + from,
                                                       h.work + "/" + name)),
                      std::string::npos)
                << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, HostileNamesTest,
    ::testing::Values(
        HostileCase{"LineFeed",
                    {"line\nbreak.txt"},
                    "break",
                    "mend",
                    0,
                    0,
                    {{"line\nmend.txt", "line\nbreak.txt"}}},
        HostileCase{"CarriageReturnAndTab",
                    {"a\rb\tc.txt"},
                    "b",
                    "B",
                    0,
                    0,
                    {{"a\rB\tc.txt", "a\rb\tc.txt"}}},
        // The name rules trim the spaces at either end of the name part.
        HostileCase{"LeadingAndTrailingSpaces",
                    {" lead.txt", "trail .txt"},
                    "lead:trail",
                    "led:end",
                    0,
                    0,
                    {{"led.txt", " lead.txt"}, {"end.txt", "trail .txt"}}},
        HostileCase{"LeadingDashes",
                    {"-rf.txt", "--help"},
                    "rf:help",
                    "x:version",
                    0,
                    0,
                    {{"-x.txt", "-rf.txt"}, {"--version", "--help"}}},
        HostileCase{"BecomesThreeDots", {"x..."}, "x", "", 0, 0, {{"...", "x..."}}},
        HostileCase{"WouldBecomeDotDot", {"x.."}, "x", "", 0, 0, {{"x..", "x.."}}, 52},
        HostileCase{"WouldBecomeDot", {"x."}, "x", "", 0, 0, {{"x.", "x."}}, 52},
        HostileCase{"DotsInsideKept", {"a..b"}, "a", "c", 0, 0, {{"c..b", "a..b"}}},
        HostileCase{"LongestNameRenamed",
                    {kLong},
                    "a",
                    "b",
                    0,
                    0,
                    {{std::string(251, 'b') + ".txt", kLong}}},
        HostileCase{"GrowsPastTheLongestName",
                    {kLong, "short.txt"},
                    "a",
                    "aa",
                    0,
                    0,
                    {{kLong, kLong}, {"short.txt", "short.txt"}},
                    52},
        HostileCase{"InvalidUtf8",
                    {"caf\xE9 \xFF\xFE.txt"},
                    "caf",
                    "tea",
                    2,
                    1,
                    {{"TEA\xE9 \xFF\xFE.txt", "caf\xE9 \xFF\xFE.txt"}}},
        HostileCase{"TruncatedSequenceAtTheEnd",
                    {"abc\xE2\x82"},
                    "b",
                    "x",
                    0,
                    0,
                    {{"axc\xE2\x82", "abc\xE2\x82"}}},
        HostileCase{"CombiningCharacters",
                    {"cafe\xCC\x81 caf\xC3\xA9.txt"},
                    "e\xCC\x81",
                    "E",
                    0,
                    0,
                    {{"cafE caf\xC3\xA9.txt", "cafe\xCC\x81 caf\xC3\xA9.txt"}}},
        HostileCase{
            "RightToLeftMarks",
            {"\xE2\x80\x8Freport\xE2\x80\xAEtxt.exe"},
            "report",
            "r",
            0,
            2,
            {{"\xE2\x80\x8Fr\xE2\x80\xAEtxt.EXE", "\xE2\x80\x8Freport\xE2\x80\xAEtxt.exe"}}},
        // Lower case makes both "photo.jpg": the first cannot take the other's name.
        HostileCase{"DifferOnlyInCase",
                    {"Photo.JPG", "photo.jpg"},
                    "zzz",
                    "y",
                    1,
                    1,
                    {{"Photo.JPG", "Photo.JPG"}, {"photo.jpg", "photo.jpg"}},
                    58},
        HostileCase{
            "CaseOnlyChange", {"Photo.JPG"}, "zzz", "y", 1, 1, {{"photo.jpg", "Photo.JPG"}}},
        HostileCase{"TwoFilesOneNewName",
                    {"a1.txt", "b1.txt"},
                    "a:b",
                    "c:c",
                    0,
                    0,
                    {{"c1.txt", "a1.txt"}, {"b1.txt", "b1.txt"}},
                    58},
        // f1 -> f2 while f2 -> f3: f1 comes first and f2 is still there.
        HostileCase{
            "ChainBlocked", {"f1", "f2"}, "2:1", "3:2", 0, 0, {{"f1", "f1"}, {"f2", "f2"}}, 58},
        // b -> ab while ab -> aab: ab comes first and makes room.
        HostileCase{"ChainInOrder", {"ab", "b"}, "b", "ab", 0, 0, {{"aab", "ab"}, {"ab", "b"}}},
        HostileCase{"Swap", {"f1", "f2"}, "1:2:#", "#:1:2", 0, 0, {{"f1", "f1"}, {"f2", "f2"}}, 58},
        HostileCase{
            "SameNameAgain", {"same.txt"}, "same", "same", 0, 0, {{"same.txt", "same.txt"}}}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace qm
