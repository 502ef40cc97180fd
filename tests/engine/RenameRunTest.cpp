// The engine's run on its own, without a window: what it reports, what it renames and logs, and
// how a failed step is offered again.
#include <gtest/gtest.h>

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
    std::vector<int> done;
    std::vector<std::string> failures;  // "<number> <file object>"
    int retries = 0;                    // how many failures to answer with Retry
    void namePair(const std::string& oldName, const std::string& newName) override {
        pairs.push_back(oldName + " > " + newName);
    }
    void progress(int d, int) override { done.push_back(d); }
    bool stepFailed(const std::exception& e, const std::string& fileObject) override {
        failures.push_back(std::to_string(dynamic_cast<const RunError&>(e).number()) + " " +
                           fileObject);
        return retries-- > 0;
    }
};

class EngineRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"a_1.txt", "b_2.txt", "c_3.txt"}) {
            h.root.write(std::string("work/") + name, name);
        }
        h.clock.setLocal(2026, 12, 6, 9, 5, 7);
    }
    RunOutcome run(RunMode mode) {
        const RunInput input{h.root / "work/", names, searches, replacements};
        return RenameRun(h.files, computation, log).run(mode, input, sink);
    }

    test::Harness h;
    test::RecordingReporter errors;
    FlakyCaseOptions options;
    NameComputation computation{options, h.caseMapper};
    RenameLog log{h.files, h.clock, h.format, errors, h.root / "log.txt"};
    RecordingSink sink;
    std::vector<std::string> names = {"a_1.txt", "b_2.txt", "c_3.txt"};
    std::vector<std::string> searches = {"_"};
    std::vector<std::string> replacements = {"-x-"};
};

TEST_F(EngineRunTest, PreviewReportsEveryPairAndTouchesNothing) {
    EXPECT_EQ(run(RunMode::Preview), RunOutcome::Completed);
    EXPECT_EQ(sink.pairs, (std::vector<std::string>{"a_1.txt > A-X-1.txt", "b_2.txt > B-X-2.txt",
                                                    "c_3.txt > C-X-3.txt"}));
    EXPECT_EQ(sink.done, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(h.root.names("work"), names);
    EXPECT_EQ(test::readFile(h.root / "log.txt"), "");
}

TEST_F(EngineRunTest, RetryRunsTheFailedPairAfreshSoItAppliesOnce) {
    // The second file's pair fails: the name being computed is named, and Retry applies the
    // pair to the name as it was before the failed try.
    replacements = {"__"};
    options.failingRead = 2;
    sink.retries = 1;
    EXPECT_EQ(run(RunMode::Preview), RunOutcome::Completed);
    EXPECT_EQ(sink.failures, (std::vector<std::string>{"13 b_2.txt"}));
    EXPECT_EQ(sink.pairs[1], "b_2.txt > B__2.txt");
}

}  // namespace
}  // namespace qm
