// What a path looks like when it reaches Windows, and what the shell is given instead.
#include "platform/win32/Win32Path.h"

#include <gtest/gtest.h>

namespace qm::platform {
namespace {

TEST(Win32Path, LongPathFormResolvesStepsAndKeepsNamesAsWritten) {
    const struct {
        const wchar_t* given;
        const wchar_t* form;
    } rows[] = {
        {LR"(C:\Photos\a.jpg)", LR"(\\?\C:\Photos\a.jpg)"},
        {LR"(C:/Photos//./2024/../a.jpg)", LR"(\\?\C:\Photos\a.jpg)"},
        {LR"(C:\..\..\a.jpg)", LR"(\\?\C:\a.jpg)"},
        {LR"(C:\Photos\)", LR"(\\?\C:\Photos\)"},
        {LR"(C:\README. )", LR"(\\?\C:\README. )"},  // Windows would strip the dot and space
        {LR"(//server/share/x/../y)", LR"(\\?\UNC\server\share\y)"},
        {LR"(\\?\C:\a\..\b)", LR"(\\?\C:\a\..\b)"},  // already literal
        {LR"(\\.\COM1)", LR"(\\.\COM1)"},
        {LR"(C:a/b)", LR"(C:a\b)"},  // relative: Windows resolves it against a current folder
        {LR"(\\server)", LR"(\\server)"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(longPathForm(row.given), row.form) << std::wstring(row.given).size();
    }
}

TEST(Win32Path, TheShellGetsTheOrdinaryFormOrAClearRefusal) {
    EXPECT_EQ(shellPath(LR"(\\?\UNC\server\share\log.txt)"), LR"(\\server\share\log.txt)");
    try {
        shellPath(LR"(\\?\C:\)" + std::wstring(300, L'x'));  // no short twin: nothing is there
        ADD_FAILURE() << "a path past MAX_PATH went to the shell";
    } catch (const RunError& e) {
        EXPECT_EQ(e.number(), kShellPathTooLong);
        EXPECT_NE(e.description().find("303 characters"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace qm::platform
