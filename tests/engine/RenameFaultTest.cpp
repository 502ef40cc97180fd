// A rename run while the disk fails: the n-th rename or the n-th log append fails with a chosen
// errno. Whatever fails, the user sees its dialog, Retry goes on once the fault is gone, every
// file is still there exactly once under its old or its new name, and the log holds only whole
// entries.
#include <gtest/gtest.h>

#include <cerrno>

#include "engine/RenameLog.h"
#include "platform/MessageBox.h"
#include "tests/support/Evidence.h"
#include "tests/support/ProgramFixture.h"

namespace qm {
namespace {

using platform::FaultSite;

const std::vector<std::string> kFiles = {"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG",
                                         "IMG_0004.JPG"};
const std::vector<std::string> kRenamed = {"P0001.JPG", "P0002.JPG", "P0003.JPG", "P0004.JPG"};

struct FaultCase {
    const char* label;
    FaultSite site;
    int errnoValue;
    // Counted from the confirmation: renames 1-4; log appends 1-4 the entries, 5 the run's end.
    int nth;
    int number;
    const char* text;  // "%" stands for the file object
    int style;
    const char* source;
};

// Names the case in test listings (the default would print its bytes).
void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.label;
}

constexpr const char* kRename = "frmQuillmote_cmdRename";
constexpr const char* kLogEntry = "bQuillmote_LogFilenameChange";
constexpr int kRetryCancel = platform::kStyleRetryCancel;
constexpr const char* kDiskFull = "Disk is full.  Free some disk space and try again.";
constexpr const char* kNoAccess =
    "Could not access path. The drive or path specified is not available for the requested "
    "operation.";

class RenameFaultTest : public test::ProgramFixture,
                        public ::testing::WithParamInterface<FaultCase> {
  protected:
    void SetUp() override {
        for (const auto& name : kFiles) {
            h.root.write("work/" + name, "content of " + name);
        }
        original = test::contentsOf(h.work);
        start();
        openFolder(h.work);
        logBefore = h.log();
    }
    std::string logged() const { return h.log().substr(logBefore.size()); }
    // The file object the dialog names: the new name for a rename, the log for a log entry.
    std::string fileObject(const FaultCase& c) const {
        if (c.site == FaultSite::LogAppend) {
            return c.nth <= 4 ? h.logPath() : "";
        }
        return kRenamed[static_cast<std::size_t>(c.nth - 1)];
    }
    std::string expectedText(const FaultCase& c) const {
        std::string text = c.text;
        if (const auto mark = text.find('%'); mark != std::string::npos) {
            text.replace(mark, 1, fileObject(c));
        }
        return text;
    }
    void rename() { form().button("cmdRename").click(); }

    std::multiset<std::string> original;
    std::string logBefore;
};

TEST_P(RenameFaultTest, DialogThenRetryOnceTheFaultIsGoneAndNothingLost) {
    const FaultCase& c = GetParam();
    const bool retryOffered = c.style == kRetryCancel;
    prepare(kFiles, "IMG_", "P");
    h.faults.failNth(c.site, c.nth, c.errnoValue, /*sticky=*/true);
    h.messages.queueAnswer(platform::kYes);
    // With Retry on offer the first Retry meets the fault again; the fault is gone before the
    // second. Without it the user can only acknowledge and start the run again.
    int errorsShown = 0;
    bool wholeWhileShown = true;
    h.messages.whileShown = [&](const platform::ShownMessage& box) {
        if (box.title.find(": Error ") == std::string::npos) {
            return;
        }
        wholeWhileShown = wholeWhileShown && test::contentsOf(h.work) == original;
        if (++errorsShown == (retryOffered ? 2 : 1)) {
            h.faults.lift(c.site);
        }
    };
    if (retryOffered) {
        h.messages.queueAnswer(platform::kRetry);
        h.messages.queueAnswer(platform::kRetry);
    } else {
        h.messages.queueAnswer(platform::kOk);
    }
    rename();

    const auto& shown = h.messages.shown();
    ASSERT_EQ(shown.size(), retryOffered ? 3u : 2u);
    const std::size_t errorDialogs = shown.size() - 1;
    for (std::size_t i = 1; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].text, expectedText(c));
        EXPECT_EQ(shown[i].style, c.style);
        EXPECT_EQ(shown[i].title, "Quillmote Utility: Error " + std::to_string(c.number));
    }
    EXPECT_TRUE(wholeWhileShown) << "a file was missing or doubled while the dialog was up";

    const bool runStopped = !retryOffered && c.site == FaultSite::Rename;
    if (runStopped) {
        // The files not yet renamed are still selected: a second run renames them.
        const std::size_t left = kFiles.size() - static_cast<std::size_t>(c.nth) + 1;
        EXPECT_EQ(panel(2),
                  left == 1 ? "1 file selected" : std::to_string(left) + " files selected");
        h.messages.queueAnswer(platform::kYes);
        rename();
    }
    EXPECT_EQ(h.root.names("work"), kRenamed);
    EXPECT_EQ(test::contentsOf(h.work), original);

    test::LogShape log;
    ASSERT_TRUE(test::readLog(logged(), log)) << logged();
    // An entry the user could not retry is lost; its error entry stands in its place.
    const bool entryLost = !retryOffered && c.site == FaultSite::LogAppend && c.nth <= 4;
    EXPECT_EQ(log.renameEntries, kFiles.size() - (entryLost ? 1 : 0));
    // Each dialog of a failed rename is logged; while the log itself fails, its error entries
    // are lost too, and only the one written once the fault is gone remains.
    const std::size_t errorEntries = c.site == FaultSite::Rename ? errorDialogs : 1;
    EXPECT_EQ(log.errorSources, std::vector<std::string>(errorEntries, c.source));
    EXPECT_NE(logged().find(", error number: " + std::to_string(c.number) + " occurred in " +
                            c.source + " on machine TESTBOX"),
              std::string::npos);
    EXPECT_NE(logged().find("Associated file object: " + fileObject(c) + "\r\n"),
              std::string::npos);
    for (std::size_t i = 0; i < kFiles.size(); ++i) {
        const std::string entry =
            RenameLog::entryText("14:03:27", h.work + "/" + kFiles[i], h.work + "/" + kRenamed[i]);
        const bool lostHere = entryLost && static_cast<int>(i + 1) == c.nth;
        EXPECT_EQ(logged().find(entry) != std::string::npos, !lostHere) << kFiles[i];
    }
    if (!runStopped) {
        EXPECT_FALSE(window().rename().RenameAborted);
    }
}

// Every errno on a rename in the middle of the run and on a rename entry in the middle of the
// log, and the first and last of each.
INSTANTIATE_TEST_SUITE_P(
    EachErrno, RenameFaultTest,
    ::testing::Values(FaultCase{"RenameDiskFull", FaultSite::Rename, ENOSPC, 2, 61, kDiskFull,
                                kRetryCancel, kRename},
                      FaultCase{"RenameIoError", FaultSite::Rename, EIO, 2, 57,
                                "Internal Disk Error.", kRetryCancel, kRename},
                      FaultCase{"RenamePermission", FaultSite::Rename, EACCES, 2, 70,
                                "Permission denied\r\nTry again?", kRetryCancel, kRename},
                      FaultCase{"RenameReadOnly", FaultSite::Rename, EROFS, 2, 75, kNoAccess,
                                kRetryCancel, kRename},
                      FaultCase{"RenameVanished", FaultSite::Rename, ENOENT, 2, 53,
                                "File \"%\" not found.", kRetryCancel, kRename},
                      FaultCase{"RenameTargetExists", FaultSite::Rename, EEXIST, 2, 58,
                                "File already exists", platform::kStyleOkInformation, kRename},
                      FaultCase{"FirstRename", FaultSite::Rename, ENOSPC, 1, 61, kDiskFull,
                                kRetryCancel, kRename},
                      FaultCase{"LastRename", FaultSite::Rename, EEXIST, 4, 58,
                                "File already exists", platform::kStyleOkInformation, kRename},
                      FaultCase{"LogDiskFull", FaultSite::LogAppend, ENOSPC, 2, 61, kDiskFull,
                                kRetryCancel, kLogEntry},
                      FaultCase{"LogIoError", FaultSite::LogAppend, EIO, 2, 57,
                                "Internal Disk Error.", kRetryCancel, kLogEntry},
                      FaultCase{"LogPermission", FaultSite::LogAppend, EACCES, 2, 70,
                                "Permission denied\r\nTry again?", kRetryCancel, kLogEntry},
                      FaultCase{"LogReadOnly", FaultSite::LogAppend, EROFS, 2, 75, kNoAccess,
                                kRetryCancel, kLogEntry},
                      FaultCase{"LogVanished", FaultSite::LogAppend, ENOENT, 2, 53,
                                "File \"%\" not found.", kRetryCancel, kLogEntry},
                      FaultCase{"LogExists", FaultSite::LogAppend, EEXIST, 2, 58,
                                "File already exists", platform::kStyleOkInformation, kLogEntry},
                      FaultCase{"FirstLogEntry", FaultSite::LogAppend, EIO, 1, 57,
                                "Internal Disk Error.", kRetryCancel, kLogEntry},
                      FaultCase{"RunSeparator", FaultSite::LogAppend, ENOSPC, 5, 61, kDiskFull,
                                kRetryCancel, kRename}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace qm
