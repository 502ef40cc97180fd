#include "services/HiveFormat.h"

#include <gtest/gtest.h>

namespace qm::platform {
namespace {

using namespace std::string_literals;

std::string text(std::string_view s) {
    return std::string(s) + '\0';
}

HiveKey& keyAt(HiveKey& root, const std::string& path) {
    HiveKey* key = &root;
    const auto parts = splitKeyPath(path);
    for (const std::string& part : *parts) {
        key = &key->subkey(part);
    }
    return *key;
}

const HiveValue* valueAt(const HiveKey& root, const std::string& path, const std::string& name) {
    const auto parts = splitKeyPath(path);
    const HiveKey* key = root.find(*parts);
    return key == nullptr ? nullptr : key->findValue(name);
}

// Each value is written as the line another reader of this format expects (plain text only for
// exactly terminated printable text) and read back exactly. Round trips of any tree are the
// hive_roundtrip fuzz target's.
TEST(HiveFormat, EachValueIsWrittenAsItsLineAndReadBack) {
    struct Row {
        std::string name;
        RegType type;
        std::string data;
        const char* line;
    };
    const std::vector<Row> rows = {
        {"Filename Case", kRegSz, text("2"), R"("Filename Case"="2")"},
        {"", kRegSz, text("unnamed"), R"(@="unnamed")"},
        {"Empty", kRegSz, "\0"s, R"("Empty"="")"},
        {"Nothing", kRegSz, "", R"("Nothing"=hex(1):)"},
        {"Unterminated", kRegSz, "abc", R"("Unterminated"=hex(1):61,62,63)"},
        {R"(a"b\)", kRegSz, text(R"(C:\)"), R"("a\"b\\"="C:\\")"},
        {"LF", kRegSz, text("\n"), R"("LF"=hex(1):0a,00)"},
        {"Count", kRegDword, "\x0a\x00\x00\x00"s, R"("Count"=dword:0000000a)"},
        {"B", kRegBinary, "\x01\xff"s, R"("B"=hex:01,ff)"},
        {"Q", kRegQword, "\x01"s, R"("Q"=hex(b):01)"},
    };
    for (const Row& row : rows) {
        HiveKey root;
        keyAt(root, "S").setValue(row.name, row.type, row.data);
        const std::string written = writeHive(root);
        EXPECT_EQ(written, "REGEDIT4\n\n[HKEY_CURRENT_USER\\S]\n"s + row.line + "\n") << row.line;
        EXPECT_TRUE(parseHive(written).root == root) << row.line;
    }
}

TEST(HiveFormat, LongHexDataIsWrappedAndReadBack) {
    HiveKey root;
    const std::string data(300, '\x7f');
    keyAt(root, "S").setValue("Blob", kRegBinary, data);
    const std::string written = writeHive(root);
    EXPECT_NE(written.find(",\\\n  7f"), std::string::npos);
    std::size_t start = 0;
    for (auto end = written.find('\n'); end != std::string::npos; end = written.find('\n', start)) {
        EXPECT_LE(end - start, 80u);
        start = end + 1;
    }
    // Read back with CRLF line ends and a byte-order mark, as an editor on another system saves it.
    std::string crlf = "\xEF\xBB\xBF";
    for (const char c : written) {
        crlf += c == '\n' ? "\r\n"s : std::string(1, c);
    }
    const ParsedHive parsed = parseHive(crlf);
    EXPECT_EQ(parsed.badEntries, 0u);
    EXPECT_EQ(valueAt(parsed.root, "S", "Blob")->data, data);
}

TEST(HiveFormat, NamesCompareWithoutRegardToAsciiCase) {
    const ParsedHive parsed = parseHive(
        "REGEDIT4\n\n[hkey_current_user\\SOFTWARE\\App]\n\"Last Path\"=\"a\"\n"
        "[HKEY_CURRENT_USER\\software\\APP]\n\"LAST PATH\"=\"b\"\n\"Other\"=\"c\"\n");
    EXPECT_EQ(parsed.badEntries, 0u);
    const HiveKey* app = parsed.root.find({"Software", "app"});
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->name(), "App");
    ASSERT_EQ(app->values().size(), 2u);
    EXPECT_EQ(app->values()[0].name, "Last Path");  // the first spelling stays, the later data wins
    EXPECT_EQ(app->values()[0].data, text("b"));
    EXPECT_EQ(app->values()[1].name, "Other");
}

TEST(HiveFormat, KeepsWhatItCanReadOfMalformedInput) {
    struct Row {
        const char* what;
        std::string input;
        std::size_t bad;
        std::vector<std::string> present = {"Good"};  // values "S\<name>" with data "ok"
        std::vector<std::string> absent = {"Bad"};
    };
    const std::string head = "REGEDIT4\n\n[HKEY_CURRENT_USER\\S]\n";
    const std::string good = "\"Good\"=\"ok\"\n";
    const std::vector<Row> rows = {
        {"garbage between good lines",
         head + "\"Good1\"=\"ok\"\nthis is not a line\n\x01\x02\xff\n\"Good2\"=\"ok\"\n",
         2,
         {"Good1", "Good2"},
         {}},
        {"unterminated name", head + "\"Bad=\"x\"\n" + good, 1},
        {"unterminated data", head + "\"Bad\"=\"x\n" + good, 1},
        {"unknown escape", head + "\"Bad\"=\"a\\nb\"\n" + good, 1},
        {"junk after data", head + "\"Bad\"=\"a\" x\n" + good, 1},
        {"no equals sign", head + "\"Bad\" \"a\"\n" + good, 1},
        {"odd hex digit", head + "\"Bad\"=hex:4\n" + good, 1},
        {"hex not hex", head + "\"Bad\"=hex:zz\n" + good, 1},
        {"bad type", head + "\"Bad\"=hex(xyz):41\n" + good, 1},
        {"short dword", head + "\"Bad\"=dword:1\n" + good, 1},
        {"deletion", head + "\"Bad\"=-\n" + good, 1},
        {"continuation that is not hex", head + "\"Bad\"=hex:41,\\\n" + good, 1},
        {"values under another root are not ours",
         head + good + "[HKEY_LOCAL_MACHINE\\S]\n\"Bad\"=\"x\"\n", 2},
        {"values under an unreadable header stay out of the key before it",
         head + good + "[HKEY_CURRENT_USER\\S\\\\x]\n\"Bad\"=\"x\"\n", 2},
        {"value before any key", "REGEDIT4\n\"Bad\"=\"x\"\n[HKEY_CURRENT_USER\\S]\n" + good, 1},
        {"missing header", "[HKEY_CURRENT_USER\\S]\n" + good, 1, {"Good"}, {}},
        {"comments and blank lines are fine", head + "; note\n\n   \n" + good, 0, {"Good"}, {}},
        {"spaces around equals sign", head + "\"Good\" = \"ok\"\n", 0, {"Good"}, {}},
        {"empty input", "", 0, {}, {}},
    };
    for (const Row& row : rows) {
        const ParsedHive parsed = parseHive(row.input);
        EXPECT_EQ(parsed.badEntries, row.bad) << row.what;
        for (const std::string& name : row.present) {
            const HiveValue* value = valueAt(parsed.root, "S", name);
            ASSERT_NE(value, nullptr) << row.what << ": " << name;
            EXPECT_EQ(value->data, text("ok")) << row.what << ": " << name;
        }
        for (const std::string& name : row.absent) {
            EXPECT_EQ(valueAt(parsed.root, "S", name), nullptr) << row.what << ": " << name;
        }
    }
}

// Whatever byte the file is cut at, every value whose line ended before the cut comes back
// exactly, and a value cut in the middle never comes back with part of its data.
TEST(HiveFormat, FileCutAnywhereKeepsTheValuesBeforeTheCut) {
    HiveKey root;
    HiveKey& prefs = keyAt(root, "Software\\Quillmote Utility\\Preferences");
    prefs.setValue("Filename Case", kRegSz, text("2"));
    prefs.setValue("Blob", kRegBinary, std::string(100, '\x11'));
    prefs.setValue("Count", kRegDword, "\x0a\0\0\0"s);
    prefs.setValue("Empty", kRegSz, "");
    keyAt(root, "Software\\Quillmote Utility\\StartUp").setValue("Last Path", kRegSz, text("/h/"));
    const std::string full = writeHive(root);
    for (std::size_t cut = 0; cut <= full.size(); ++cut) {
        const ParsedHive parsed = parseHive(full.substr(0, cut));
        for (const HiveKey* key : {root.find({"Software", "Quillmote Utility", "Preferences"}),
                                   root.find({"Software", "Quillmote Utility", "StartUp"})}) {
            for (const HiveValue& value : key->values()) {
                const HiveValue* got =
                    valueAt(parsed.root, "Software\\Quillmote Utility\\" + key->name(), value.name);
                const auto lineStart = full.find("\n\"" + value.name + "\"=");
                auto lineEnd = full.find('\n', lineStart + 1);
                while (full[lineEnd - 1] == '\\') {  // wrapped hex: the value ends later
                    lineEnd = full.find('\n', lineEnd + 1);
                }
                if (cut > lineEnd) {
                    ASSERT_NE(got, nullptr) << "cut " << cut << ": " << value.name;
                }
                if (got != nullptr) {
                    EXPECT_EQ(got->data, value.data) << "cut " << cut << ": " << value.name;
                }
            }
        }
    }
}

TEST(HiveFormat, KeyPaths) {
    const auto root = splitKeyPath("");
    ASSERT_TRUE(root.has_value());
    EXPECT_TRUE(root->empty());
    const auto two = splitKeyPath("Software\\Quillmote Utility");
    ASSERT_TRUE(two.has_value());
    EXPECT_EQ(*two, (std::vector<std::string>{"Software", "Quillmote Utility"}));
    for (const std::string& bad : {"\\a"s, "a\\"s, "a\\\\b"s, "a\\b\nc"s, "a\0b"s}) {
        EXPECT_FALSE(splitKeyPath(bad).has_value()) << bad;
    }
    std::string deep = "k";
    for (std::size_t i = 1; i < kMaxKeyDepth; ++i) {
        deep += "\\k";
    }
    EXPECT_TRUE(splitKeyPath(deep).has_value());
    EXPECT_FALSE(splitKeyPath(deep + "\\k").has_value());
}

}  // namespace
}  // namespace qm::platform
