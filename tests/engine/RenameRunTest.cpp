// The engine's run on its own, without a window: how a failed step is offered again.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "engine/RenameRun.h"
#include "tests/support/Harness.h"
#include "tests/support/RecordingReporter.h"

namespace qm {
namespace {

// Upper-cases names; the `failingRead`-th read of the filename case fails once, as a stored
// choice that is no number would.
struct FlakyCaseOptions : CaseOptions {
    int failingRead = 0;
    int reads = 0;
    std::int32_t GetFilenameCase() override {
        if (++reads == failingRead) {
            throw RunError(13);
        }
        return 2;
    }
    std::int32_t GetExtensionCase() override { return 0; }
};

struct RecordingSink : RunSink {
    std::vector<std::string> pairs;
    std::vector<std::string> failures;  // "<number> <file object>"
    int retries = 0;                    // how many failures to answer with Retry
    std::function<void(int)> onProgress;
    void namePair(const std::string& oldName, const std::string& newName) override {
        pairs.push_back(oldName + " > " + newName);
    }
    void progress(int done, int) override {
        if (onProgress) {
            onProgress(done);
        }
    }
    bool stepFailed(const std::exception& e, const std::string& fileObject) override {
        failures.push_back(std::to_string(dynamic_cast<const RunError&>(e).number()) + " " +
                           fileObject);
        return retries-- > 0;
    }
};

// Three files a_1.txt, b_2.txt, c_3.txt of work/, "_" doubled, upper-cased.
struct EngineRunTest : ::testing::Test {
    RunOutcome run(RunMode mode) {
        const RunInput input{h.root / "work/", names, searches, replacements};
        return RenameRun(h.files, computation, log).run(mode, input, sink);
    }
    test::Harness h;
    test::RecordingReporter errors;
    FlakyCaseOptions options;
    const NameComputation computation{options, h.caseMapper};
    LogFile logFile{h.files, h.identity};
    RenameLog log{logFile, h.clock, h.format, errors};
    RecordingSink sink;
    const std::vector<std::string_view> names = {"a_1.txt", "b_2.txt", "c_3.txt"};
    const std::vector<std::string> searches = {"_"}, replacements = {"__"};
};

TEST_F(EngineRunTest, RetryRunsTheFailedPairAfreshSoItAppliesOnce) {
    // The second file's pair fails: the name being computed is named, and Retry applies the
    // pair to the name as it was before the failed try.
    options.failingRead = 2;
    sink.retries = 1;
    EXPECT_EQ(run(RunMode::Preview), RunOutcome::Completed);
    EXPECT_EQ(sink.failures, (std::vector<std::string>{"13 b_2.txt"}));
    EXPECT_EQ(sink.pairs[1], "b_2.txt > B__2.txt");
}

#ifndef _WIN32
TEST_F(EngineRunTest, ARunEndsInTheFoldersItBeganInWhateverTheirPathsComeToName) {
    // After the first file the folder and the log's folder move away and empty ones take their
    // paths: the other files are renamed where they are, their entries join the log begun.
    for (const std::string_view name : names) {
        h.root.write("work/" + std::string(name));
    }
    const std::filesystem::path logFile = h.logPath();
    std::filesystem::create_directories(logFile.parent_path());
    sink.onProgress = [&](int done) {
        if (done == 1) {
            std::filesystem::rename(h.root / "work", h.root / "moved");
            std::filesystem::rename(logFile.parent_path(), h.root / "moved log");
            std::filesystem::create_directories(h.root / "work");
            std::filesystem::create_directories(logFile.parent_path());
        }
    };
    EXPECT_EQ(run(RunMode::Rename), RunOutcome::Completed);
    EXPECT_EQ(h.root.names("moved"),
              (std::vector<std::string>{"A__1.txt", "B__2.txt", "C__3.txt"}));
    EXPECT_EQ(h.root.names("work").size() + test::namesIn(logFile.parent_path()).size(), 0u);
    const std::string moved = test::readFile(h.root / "moved log/" + logFile.filename().string());
    EXPECT_NE(moved.find("------> " + h.root / "work/C__3.txt"), std::string::npos) << moved;
}
#endif

}  // namespace
}  // namespace qm
