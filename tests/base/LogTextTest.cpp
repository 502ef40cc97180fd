#include "base/LogText.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(LogText, NamesThatCouldForgeALineOrDriveATerminalAreEscapedAndReadBack) {
    const struct {
        std::string name;
        std::string logged;
    } rows[] = {
        // Written as they are: the log of every ordinary name stays as it was.
        {"/w/IMG_0001.JPG", "/w/IMG_0001.JPG"},
        {"C:\\x1b\\new\\a.txt", "C:\\x1b\\new\\a.txt"},
        {"caf\xE9 \x85\xFF.txt", "caf\xE9 \x85\xFF.txt"},  // stray bytes, one like a C1 control
        // Escaped between quotes, backslashes doubled.
        {"IMG_1\nSession ended on machine FORGED:   Monday\n\x1b[31mRED.JPG",
         "\"IMG_1\\nSession ended on machine FORGED:   Monday\\n\\x1b[31mRED.JPG\""},
        {"C:\\a\r\tb", "\"C:\\\\a\\r\\tb\""},
        {std::string("nul\0del\x7F", 8), "\"nul\\x00del\\x7f\""},
        {"c1\xC2\x85\xC2\x9B ls\xE2\x80\xA8ps\xE2\x80\xA9",
         "\"c1\\u0085\\u009b ls\\u2028ps\\u2029\""},
        {"\"quoted\".txt", "\"\"quoted\".txt\""},
        // Found in a later run of eight bytes.
        {"/photos/2024/IMG\x7F_0001.JPG", "\"/photos/2024/IMG\\x7f_0001.JPG\""},
        {"/photos/summer/IMG\t0001.JPG", "\"/photos/summer/IMG\\t0001.JPG\""},
        {"/photos/summer/\xC2\x85.JPG", "\"/photos/summer/\\u0085.JPG\""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(logName(row.name), row.logged) << row.logged;
        EXPECT_EQ(readLogName(row.logged), row.name) << row.logged;
    }
}

TEST(LogText, FieldsNoNameIsWrittenAsAreNotRead) {
    for (const char* field :
         {"a\nb", "\"open", "\"a\\qb\"", "\"a\\ud800\"", "\"tab\there\"", "\"end\\\""}) {
        EXPECT_EQ(readLogName(field), std::nullopt) << field;
    }
}

}  // namespace
}  // namespace qm
