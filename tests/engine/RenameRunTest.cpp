// The engine's run on its own, without a window: how a failed step is offered again.
#include <gtest/gtest.h>

#include <algorithm>
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
    std::function<void()> onFailure;
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
        if (onFailure) {
            onFailure();
        }
        return retries-- > 0;
    }
};

// Three files a_1.txt, b_2.txt, c_3.txt of work/, "_" doubled, upper-cased.
struct EngineRunTest : ::testing::Test {
    RunOutcome run(RunMode mode) { return run(mode, names); }
    RunOutcome run(RunMode mode, const std::vector<std::string_view>& files) {
        const RunInput input{h.root / "work/", files, searches, replacements};
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

// A run over more files than are ever computed ahead of it, with one step failing far into it:
// the name's computation (the filename case unreadable) or the rename (the new name taken).
struct LongRunCase {
    bool nameFails;
    bool retry;
    RunOutcome outcome;
    std::string failure;
    int renamed;
};

struct LongRunTest : EngineRunTest, ::testing::WithParamInterface<LongRunCase> {};

TEST_P(LongRunTest, TheFailureIsMetAtItsFileAndTheRunGoesOnOrEndsThere) {
    const LongRunCase& c = GetParam();
    constexpr int kFiles = 2600;
    std::vector<std::string> stored;
    for (int i = 0; i < kFiles; ++i) {
        stored.push_back("f_" + std::to_string(1000 + i) + ".txt");
        h.root.write("work/" + stored.back());
    }
    const std::vector<std::string_view> files(stored.begin(), stored.end());
    if (c.nameFails) {
        options.failingRead = 2001;  // one read for each file
    } else {
        sink.onProgress = [&](int done) {
            if (done == 2000) {
                h.root.write("work/F__3000.txt");
            }
        };
        sink.onFailure = [&] { std::filesystem::remove(h.root / "work/F__3000.txt"); };
    }
    sink.retries = c.retry ? 1 : 0;
    EXPECT_EQ(run(RunMode::Rename, files), c.outcome);
    EXPECT_EQ(sink.failures, std::vector<std::string>{c.failure});
    const auto left = h.root.names("work");
    const auto unrenamed =
        std::count_if(left.begin(), left.end(), [](const std::string& n) { return n[0] == 'f'; });
    EXPECT_EQ(unrenamed, kFiles - c.renamed);
    const std::string log = h.log();
    std::size_t entries = 0;
    for (std::size_t at = log.find("Renamed: "); at != std::string::npos;
         at = log.find("Renamed: ", at + 1)) {
        ++entries;
    }
    EXPECT_EQ(entries, static_cast<std::size_t>(c.renamed));
    const std::string last = "F__" + std::to_string(999 + c.renamed) + ".txt\r\n";
    EXPECT_EQ(log.rfind(last), log.size() - last.size() - (c.retry ? 2 : 0)) << last;
}

INSTANTIATE_TEST_SUITE_P(
    FarIntoTheRun, LongRunTest,
    ::testing::Values(LongRunCase{true, true, RunOutcome::Completed, "13 f_3000.txt", 2600},
                      LongRunCase{true, false, RunOutcome::Abandoned, "13 f_3000.txt", 2000},
                      LongRunCase{false, true, RunOutcome::Completed, "58 F__3000.txt", 2600},
                      LongRunCase{false, false, RunOutcome::Abandoned, "58 F__3000.txt", 2000}),
    [](const auto& info) {
        return std::string(info.param.nameFails ? "Name" : "Rename") +
               (info.param.retry ? "Retried" : "GivenUp");
    });

}  // namespace
}  // namespace qm
