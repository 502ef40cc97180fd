// A rename run while the disk fails: the n-th rename or the n-th log append fails with a chosen
// errno. Whatever fails, the user sees its dialog, Retry goes on once the fault is gone, every
// file is still there exactly once under its old or its new name, and the log holds only whole
// entries.
#include <gtest/gtest.h>

#include "services/MessageBox.h"
#include "tests/support/DiskFaults.h"
#include "tests/support/Evidence.h"
#include "tests/support/ProgramFixture.h"

namespace qm {
namespace {

using platform::FaultSite;

const std::vector<std::string> kFiles = {"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG",
                                         "IMG_0004.JPG"};
const std::vector<std::string> kRenamed = {"P0001.JPG", "P0002.JPG", "P0003.JPG", "P0004.JPG"};

constexpr const char* kRename = "frmQuillmote_cmdRename";
constexpr const char* kLogEntry = "bQuillmote_LogFilenameChange";

struct FaultCase {
    std::string label;
    FaultSite site;
    test::DiskFault fault;
    // Counted from the confirmation: renames 1-4; log appends 1-4 the entries, 5 the run's end.
    int nth;
    const char* source;
};

// Names the case in test listings (the default would print its bytes).
void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.label;
}

// Every errno on a rename in the middle of the run and on a rename entry in the middle of the
// log, and the first and last of each.
std::vector<FaultCase> faultCases() {
    std::vector<FaultCase> cases;
    for (const test::DiskFault& fault : test::kDiskFaults) {
        cases.push_back({"Rename" + fault.label, FaultSite::Rename, fault, 2, kRename});
        cases.push_back({"Log" + fault.label, FaultSite::LogAppend, fault, 2, kLogEntry});
    }
    const auto& fault = test::kDiskFaults;  // DiskFull, IoError, Permission, ReadOnly, ..., Exists
    cases.push_back({"FirstRename", FaultSite::Rename, fault[0], 1, kRename});
    cases.push_back({"LastRename", FaultSite::Rename, fault[5], 4, kRename});
    cases.push_back({"FirstLogEntry", FaultSite::LogAppend, fault[1], 1, kLogEntry});
    cases.push_back({"RunSeparator", FaultSite::LogAppend, fault[0], 5, kRename});
    return cases;
}

class RenameFaultTest : public test::ProgramFixture,
                        public ::testing::WithParamInterface<FaultCase> {
  protected:
    void SetUp() override {
        startIn(kFiles);
        original = test::contentsOf(h.work);
    }
    // The file object the dialog names: the new name for a rename, the log for a log entry.
    std::string fileObject(const FaultCase& c) const {
        if (c.site == FaultSite::LogAppend) {
            return c.nth <= 4 ? h.logPath() : "";
        }
        return kRenamed[static_cast<std::size_t>(c.nth - 1)];
    }
    std::string expectedText(const FaultCase& c) const {
        std::string text = c.fault.text;
        if (const auto mark = text.find('%'); mark != std::string::npos) {
            text.replace(mark, 1, fileObject(c));
        }
        return text;
    }

    std::multiset<std::string> original;
};

TEST_P(RenameFaultTest, DialogThenRetryOnceTheFaultIsGoneAndNothingLost) {
    const FaultCase& c = GetParam();
    const bool retryOffered = c.fault.style == platform::kStyleRetryCancel;
    prepare(kFiles, "IMG_", "P");
    h.faults.failNth(c.site, c.nth, c.fault.errnoValue, /*sticky=*/true);
    h.messages.queueAnswer(platform::MessageResult::Yes);
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
        h.messages.queueAnswer(platform::MessageResult::Retry);
        h.messages.queueAnswer(platform::MessageResult::Retry);
    } else {
        h.messages.queueAnswer(platform::MessageResult::Ok);
    }
    rename();

    const auto& shown = h.messages.shown();
    ASSERT_EQ(shown.size(), retryOffered ? 3u : 2u);
    const std::size_t errorDialogs = shown.size() - 1;
    for (std::size_t i = 1; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].text, expectedText(c));
        EXPECT_EQ(shown[i].style, c.fault.style);
        EXPECT_EQ(shown[i].title, "Quillmote Utility: Error " + std::to_string(c.fault.number));
    }
    EXPECT_TRUE(wholeWhileShown) << "a file was missing or doubled while the dialog was up";

    const bool runStopped = !retryOffered && c.site == FaultSite::Rename;
    if (runStopped) {
        // The files not yet renamed are still selected: a second run renames them.
        const std::size_t left = kFiles.size() - static_cast<std::size_t>(c.nth) + 1;
        EXPECT_EQ(panel(2),
                  left == 1 ? "1 file selected" : std::to_string(left) + " files selected");
        h.messages.queueAnswer(platform::MessageResult::Yes);
        rename();
    }
    EXPECT_EQ(h.root.names("work"), kRenamed);
    EXPECT_EQ(test::contentsOf(h.work), original);

    test::LogShape log;
    ASSERT_TRUE(test::readLog(logged(), log)) << logged();
    // An entry the user could not retry is lost; its error entry stands in its place.
    const bool entryLost = !retryOffered && c.site == FaultSite::LogAppend && c.nth <= 4;
    EXPECT_EQ(log.renameEntries, kFiles.size() - (entryLost ? 1 : 0));
    // Each dialog is logged; those met while the log itself failed wait for its next write.
    EXPECT_EQ(log.errorSources, std::vector<std::string>(errorDialogs, c.source));
    EXPECT_NE(logged().find("Associated file object: " + fileObject(c) + "\r\n"),
              std::string::npos);
    for (std::size_t i = 0; i < kFiles.size(); ++i) {
        const bool lostHere = entryLost && static_cast<int>(i + 1) == c.nth;
        EXPECT_EQ(logged().find(entry(kFiles[i], kRenamed[i])) != std::string::npos, !lostHere)
            << kFiles[i];
    }
}

INSTANTIATE_TEST_SUITE_P(EachErrno, RenameFaultTest, ::testing::ValuesIn(faultCases()),
                         [](const auto& info) { return info.param.label; });

}  // namespace
}  // namespace qm
