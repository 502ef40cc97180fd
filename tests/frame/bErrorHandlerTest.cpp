#include "frame/bErrorHandler.h"

#include <gtest/gtest.h>

#include "base/PathRules.h"
#include "base/RunError.h"
#include "services/MessageBox.h"
#include "tests/support/Harness.h"

namespace qm {
namespace {

using platform::ShownMessage;

class ErrorHandlerTest : public ::testing::Test {
  protected:
    test::Harness h;
    bErrorHandler errors{h.services, h.state, h.identity};
    // One error entry as it must appear for the harness clock and machine (the C locale's
    // general date, the year in four digits).
    std::string entry(const std::string& message, int number, const std::string& source,
                      const std::string& fileObject) const {
        return "     " + message + ", error number: " + std::to_string(number) + " occurred in " +
               source + " on machine TESTBOX on 12/06/2026 14:03:27" +
               ".  Quillmote Utility Version 1.0.0000\r\nAssociated file object: " + fileObject +
               "\r\n";
    }
};

struct DialogCase {
    std::int32_t number;
    std::string description;
    std::string fileObject;
    std::string message;
    int style;
    bool logged;
};

// The disk faults' dialogs are rows of the rename fault table, own input errors of the
// validation's.
TEST_F(ErrorHandlerTest, DialogChosenByNumber) {
    const std::vector<DialogCase> cases = {
        {52, "Bad file name or number", "x", "Bad file name or number.", 21, true},
        {52, "\"nul\": why", "nul", "Bad file name or number.\r\n\"nul\": why", 16, true},
        {54, "Bad file mode", "f", "Can't open file \"f\" for access.", 5, true},
        {55, "d", "", "This file is already open.", 5, true},
        {62, "d", "",
         "This file has a non-standard end-of-file marker, or an attempt was made to read beyond "
         "the end-of-file marker.",
         5, true},
        {68, "d", "", "Device is currently unavailable.", 5, true},
        {71, "d", "",
         "There appears to be no disk in the drive.\r\nInsert a disk in the drive and close the "
         "drive door.",
         5, true},
        {76, "d", "", "The specified path does not exist.", 5, true},
        {482, "d", "", "An error has occurred with your printer.", 5, true},
        {2000, "low end", "", "low end", 48, true},
        {4000, "high end", "", "high end", 48, true},
        {9, "Subscript out of range", "", "Subscript out of range", 64, true},
        {4001, "just past", "", "just past", 64, true},
        {40516, "ignored", "", "You have chosen to replace text with identical text.", 16, false},
        {45000, "own but unknown", "", "own but unknown", 48, false},
    };
    for (const auto& c : cases) {
        h.messages.clear();
        ::unlink(h.logPath().c_str());
        errors.HandleError(c.description, c.number, c.fileObject, "frmQuillmote_cmdRename");
        ASSERT_EQ(h.messages.shown().size(), 1u) << c.number;
        const ShownMessage& shown = h.messages.shown()[0];
        EXPECT_EQ(shown.text, c.message) << c.number;
        EXPECT_EQ(shown.style, c.style) << c.number;
        EXPECT_EQ(shown.title, "Quillmote Utility: Error " + std::to_string(c.number));
        EXPECT_EQ(errors.ErrorInfo().LogIt, c.logged) << c.number;
        const std::string log = h.log();
        EXPECT_EQ(log.find(entry(c.message, c.number, "frmQuillmote_cmdRename", c.fileObject)) !=
                      std::string::npos,
                  c.logged)
            << c.number << "\n"
            << log;
    }
}

TEST_F(ErrorHandlerTest, AFileObjectIsLoggedInTheFormTheLogHoldsNamesIn) {
    errors.HandleError("File not found", 53, "/w/a\nb\x1b[31m", "frmQuillmote_cmdRename");
    EXPECT_TRUE(h.log().ends_with(entry("File \"\"/w/a\\nb\\x1b[31m\"\" not found.", 53,
                                        "frmQuillmote_cmdRename", "\"/w/a\\nb\\x1b[31m\"")))
        << h.log();
}

TEST_F(ErrorHandlerTest, RemovedFileComesBackWithHeaderOnlyForErrorEntries) {
    errors.OpenLogFile();
    ::unlink(h.logPath().c_str());
    errors.CloseLogFile();                            // the end line comes back without a header
    const std::string mark(platform::kTextFileMark);  // how a created text file starts
    EXPECT_TRUE(h.log().starts_with(mark + "Session ended on machine"));
    ::unlink(h.logPath().c_str());
    errors.LogError("Disk full", 61, "", "bFileHandler.ShellDelete");
    // The header's whole text is held by the session's byte-for-byte log test.
    const std::string log = h.log();
    EXPECT_TRUE(log.starts_with(mark + h.logPath() + " logs system and critical")) << log;
    EXPECT_TRUE(log.ends_with(std::string(60, '_') + "\r\n\r\n" +
                              entry("Disk full", 61, "bFileHandler.ShellDelete", "")))
        << log;
}

struct SizeCase {
    std::size_t size;
    bool warned;
    std::string kilobytes;
};

TEST_F(ErrorHandlerTest, SizeWarningFromOneHundredThousandBytes) {
    for (const auto& c :
         {SizeCase{99999, false, ""}, SizeCase{100000, true, "100"}, SizeCase{123456, true, "123"},
          SizeCase{100499, true, "100"}, SizeCase{100500, true, "101"}}) {
        h.messages.clear();
        h.root.write("app/_APP_LOG.txt", std::string(c.size, 'x'));
        h.messages.queueAnswer(platform::MessageResult::No);
        errors.OpenLogFile();
        ASSERT_EQ(h.messages.shown().size(), c.warned ? 1u : 0u) << c.size;
        if (c.warned) {
            const ShownMessage& box = h.messages.shown()[0];
            EXPECT_EQ(box.style, 36);
            EXPECT_EQ(box.title, "Quillmote Utility");
            EXPECT_EQ(
                box.text,
                "The Quillmote Utility log file:  " + h.logPath() + "\r\n\r\nhas reached " +
                    c.kilobytes +
                    " Kb in size.  If Quillmote Utility does not seem to be working "
                    "properly you should attach this file to an e-mail and send it to the "
                    "Author (See E-mail Author in the Help menu).\r\n\r\nQuillmote Utility "
                    "can delete this file now to free space on your hard drive.  A new log "
                    "file will be generated next time you start the application.\r\n\r\nIf "
                    "you would like to view the contents of this file, click \"No\" to cancel "
                    "this dialog and select View Log File from the View Menu.\r\n\r\nWould "
                    "you like to delete the file now?");
        }
        // Whatever the warning, No keeps the file and the start line follows its old content.
        EXPECT_TRUE(h.log().starts_with(std::string(c.size, 'x') + "Session started on machine"));
    }
}

TEST_F(ErrorHandlerTest, YesMovesTheLogToTheTrashAndStartsAFreshOne) {
    h.root.write("app/_APP_LOG.txt", std::string(100000, 'x'));
    h.messages.queueAnswer(platform::MessageResult::Yes);
    errors.OpenLogFile();
    ASSERT_EQ(h.trash.moved.size(), 1u);
    EXPECT_EQ(h.trash.moved[0], std::make_pair(h.logPath(), std::string(100000, 'x')));
    const std::string log = h.log();
    EXPECT_TRUE(
        log.starts_with(std::string(platform::kTextFileMark) + h.logPath() + " logs system"));
}

TEST_F(ErrorHandlerTest,
       LogFileGoesToTheStateFolderForASystemWideInstallOrAnUnwritableProgramFolder) {
    h.facts.writable = false;
#ifdef _WIN32
    h.facts.env["LOCALAPPDATA"] = h.root / "local";
    const AppIdentity identity(h.facts, h.files);
    EXPECT_EQ(identity.GetLogFilePath(), h.root / "local/Quillmote Utility/_APP_LOG.txt");
    EXPECT_TRUE(h.files.isFolder(h.root / "local/Quillmote Utility"));
#else
    h.facts.env["XDG_STATE_HOME"] = h.root / "state";
    const AppIdentity identity(h.facts, h.files);
    EXPECT_EQ(identity.GetLogFilePath(), h.root / "state/quillmote/_APP_LOG.txt");
    EXPECT_TRUE(h.files.isFolder(h.root / "state/quillmote"));
    h.facts.env.erase("XDG_STATE_HOME");
    const AppIdentity byHome(h.facts, h.files);
    EXPECT_EQ(byHome.GetLogFilePath(), h.root / "home/.local/state/quillmote/_APP_LOG.txt");
#endif
    h.facts.writable = true;
    EXPECT_EQ(AppIdentity(h.facts, h.files).GetLogFilePath(), h.root / "app/_APP_LOG.txt");
    // A folder anyone may write, holding a log another user made.
    h.root.write("app/_APP_LOG.txt", "");
    h.facts.readOnlyFiles.insert(h.root / "app/_APP_LOG.txt");
    EXPECT_EQ(AppIdentity(h.facts, h.files).GetLogFilePath(),
              platform::joinPath(h.facts.stateFolder(), "_APP_LOG.txt"));
    // A system-wide install, for a user who may write beside it too (root).
    h.facts.programFile = platform::joinPath(platform::joinPath(h.facts.osFolder(), "quillmote"),
                                             test::kProgramFileName);
    EXPECT_EQ(AppIdentity(h.facts, h.files).GetLogFilePath(),
              platform::joinPath(h.facts.stateFolder(), "_APP_LOG.txt"));
}

}  // namespace
}  // namespace qm
