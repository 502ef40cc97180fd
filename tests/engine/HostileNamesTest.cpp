// Names a user's disk may hold, renamed through the window: each run ends with the right new
// names or with one clear error, and in either case every file keeps its content under exactly
// one name (nothing lost, nothing overwritten).
#include <gtest/gtest.h>

#include <map>

#include "base/PathRules.h"
#include "services/MessageBox.h"
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
    // Afterwards: each name with the file whose content it must hold (none: nothing moves).
    std::map<std::string, std::string> after;
    int error = 0;  // the one error the run must stop with (0: none)
    int filenameCase = 0;
    int extensionCase = 0;
};

// Names the case in test listings (the default would print its bytes).
void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.label;
}

class HostileNamesTest : public test::ProgramFixture,
                         public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileNamesTest, RightNamesOrAClearErrorAndNothingLost) {
    const HostileCase& c = GetParam();
    startIn(c.files);
    form().optionGroup("optFilenameCase")[static_cast<std::size_t>(c.filenameCase)]->click();
    form().optionGroup("optFileExtensionCase")[static_cast<std::size_t>(c.extensionCase)]->click();
    prepare(c.files, c.search, c.replacement);
    ASSERT_EQ(panel(2), c.files.size() == 1 ? "1 file selected"
                                            : std::to_string(c.files.size()) + " files selected");
    // The preview warns exactly when the run stops (a name's length is left to Linux's disks).
    bool warns = c.error != 0;
#ifndef _WIN32
    warns = warns && std::string(c.label) != "GrowsPastTheLongestName";
#endif
    int marked = 0;
    h.ui.whenModal([&](platform::HeadlessForm& preview) {
        const auto& after = preview.get<platform::HeadlessListBox>("lstAfter");
        for (int i = 0; i < after.listCount(); ++i) {
            marked += after.warning(i).empty() ? 0 : 1;
        }
        preview.button("cmdCancel").click();
    });
    form().button("cmdPreview").click();
    EXPECT_EQ(marked > 0, warns) << marked;
    h.messages.clear();
    logMark = h.log().size();
    h.messages.queueAnswer(platform::MessageResult::Yes);
    rename();

    const auto& shown = h.messages.shown();
    ASSERT_EQ(shown.size(), c.error == 0 ? 1u : 2u) << shown.back().text;
    if (c.error != 0) {
        EXPECT_EQ(shown[1].title, "Quillmote Utility: Error " + std::to_string(c.error))
            << shown[1].text;
        EXPECT_NE(logged().find(", error number: " + std::to_string(c.error) +
                                " occurred in frmQuillmote_cmdRename"),
                  std::string::npos);
    }
    std::map<std::string, std::string> after = c.after;
    if (after.empty()) {
        for (const auto& name : c.files) {
            after[name] = name;  // nothing moves
        }
    }
    std::map<std::string, std::string> expected;
    std::map<std::string, std::string> found;
    for (const auto& [name, from] : after) {
        expected[name] = contentOf(from);
    }
    for (const auto& name : h.root.names("work")) {
        found[name] = test::readFile(platform::joinPath(h.work, name));
    }
    EXPECT_EQ(found, expected);
    // The log's lines are all its own, and every file that moved has its entry, with both
    // names read back exactly as on disk; after a whole run, so has a file whose name came out
    // the same.
    test::LogShape log;
    ASSERT_TRUE(test::readLog(logged(), log)) << logged();
    EXPECT_EQ(log.sessionsEnded, 0u);
    EXPECT_EQ(logged().find('\x1b'), std::string::npos);
    for (const auto& [name, from] : after) {
        if (name != from || c.error == 0) {
            EXPECT_TRUE(log.renames.count(
                {platform::joinPath(h.work, from), platform::joinPath(h.work, name)}))
                << name;
        }
    }
}

// clang-format off
std::vector<HostileCase> hostileCases() {
    std::vector<HostileCase> cases = {
        // The name rules trim the spaces at either end of the name part.
        {"LeadingAndTrailingSpaces", {" lead.txt", "trail .txt"}, "lead:trail", "led:end", {{"led.txt", " lead.txt"}, {"end.txt", "trail .txt"}}},
        {"LeadingDashes", {"-rf.txt", "--help"}, "rf:help", "x:version", {{"-x.txt", "-rf.txt"}, {"--version", "--help"}}},
        {"WouldBecomeEmpty", {"README"}, "readme", "", {}, 52},
        {"LongestNameRenamed", {kLong}, "a", "b", {{std::string(251, 'b') + ".txt", kLong}}},
        {"GrowsPastTheLongestName", {kLong, "short.txt"}, "a", "aa", {}, 52},
        {"CombiningCharacters", {"cafe\xCC\x81 caf\xC3\xA9.txt"}, "e\xCC\x81", "E", {{"cafE caf\xC3\xA9.txt", "cafe\xCC\x81 caf\xC3\xA9.txt"}}},
        {"RightToLeftMarks", {"\xE2\x80\x8Freport\xE2\x80\xAEtxt.exe"}, "report", "r", {{"\xE2\x80\x8Fr\xE2\x80\xAEtxt.EXE", "\xE2\x80\x8Freport\xE2\x80\xAEtxt.exe"}}, 0, 0, 2},
        {"CaseOnlyChange", {"Photo.JPG"}, "zzz", "y", {{"photo.jpg", "Photo.JPG"}}, 0, 1, 1},
        {"TwoFilesOneNewName", {"a1.txt", "b1.txt"}, "a:b", "c:c", {{"c1.txt", "a1.txt"}, {"b1.txt", "b1.txt"}}, 58},
        // f1 -> f2 while f2 -> f3: f1 comes first and f2 is still there.
        {"ChainBlocked", {"f1", "f2"}, "2:1", "3:2", {}, 58},
        // b -> ab while ab -> aab: ab comes first and makes room.
        {"ChainInOrder", {"ab", "b"}, "b", "ab", {{"aab", "ab"}, {"ab", "b"}}},
        {"Swap", {"f1", "f2"}, "1:2:#", "#:1:2", {}, 58},
        {"SameNameAgain", {"same.txt"}, "same", "same", {{"same.txt", "same.txt"}}},
        // Characters beyond U+FFFF (a surrogate pair on Windows) found, kept and re-cased.
        {"BeyondSixteenBits", {"b\xF0\x9F\x98\x80\xF0\x90\x90\xA8.txt"}, "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x81", {{"B\xF0\x9F\x98\x81\xF0\x90\x90\x80.txt", "b\xF0\x9F\x98\x80\xF0\x90\x90\xA8.txt"}}, 0, 2},
    };
#ifdef _WIN32
    // Names Windows would change or refuse: refused before anything moves.
    const std::vector<HostileCase> system = {
        {"TrailingDotRefused", {"README"}, "ME", "ME.", {}, 52},
        {"DeviceNameRefused", {"report.txt", "z.txt"}, "report", "nul", {}, 52},
        {"ControlCharacterRefused", {"a.txt"}, "a", "a\tb", {}, 52},
    };
#else
    // Names only POSIX file systems hold.
    const std::vector<HostileCase> system = {
        {"ForgedLinesAndTerminalControls", {"IMG_1\nSession ended on machine FORGED:   Monday\n\x1b[31mRED.JPG"}, "IMG_", "Trip_", {{"Trip_1\nSession ended on machine FORGED:   Monday\n\x1b[31mRED.JPG", "IMG_1\nSession ended on machine FORGED:   Monday\n\x1b[31mRED.JPG"}}},
        {"CarriageReturnAndTab", {"a\rb\tc.txt"}, "b", "B", {{"a\rB\tc.txt", "a\rb\tc.txt"}}},
        {"BecomesThreeDots", {"x..."}, "x", "", {{"...", "x..."}}},
        {"WouldBecomeDotDot", {"x.."}, "x", "", {}, 52},
        {"WouldBecomeDot", {"x."}, "x", "", {}, 52},
        {"InvalidUtf8", {"caf\xE9 \xFF\xFE.txt"}, "caf", "tea", {{"TEA\xE9 \xFF\xFE.txt", "caf\xE9 \xFF\xFE.txt"}}, 0, 2, 1},
        {"TruncatedSequenceAtTheEnd", {"abc\xE2\x82"}, "b", "x", {{"axc\xE2\x82", "abc\xE2\x82"}}},
        // Lower case makes both "photo.jpg": the first cannot take the other's name.
        {"DifferOnlyInCase", {"Photo.JPG", "photo.jpg"}, "zzz", "y", {}, 58, 1, 1},
    };
#endif
    cases.insert(cases.end(), system.begin(), system.end());
    return cases;
}
// clang-format on

INSTANTIATE_TEST_SUITE_P(Names, HostileNamesTest, ::testing::ValuesIn(hostileCases()),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace qm
