// Several copies of the program running at once on one machine: each process starts, renames a
// batch of its own files, changes settings and exits, several times over, all of them appending
// to one log file and saving into one settings hive. Afterwards every entry must be in the log
// whole and exactly once, and every setting any of them saved must be in the hive.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "frame/cRegistry.h"
#include "platform/HiveFormat.h"
#include "platform/MessageBox.h"
#include "tests/support/Evidence.h"
#include "tests/support/ProgramFixture.h"

namespace qm {
namespace {

constexpr int kProcesses = 3;
constexpr int kCycles = 8;
constexpr int kFilesPerRun = 10;

std::string fileName(int cycle, int k) {
    return "c" + std::to_string(cycle) + "_f" + std::to_string(k) + ".dat";
}
std::string renamedName(int cycle, int k) {
    return "done" + std::to_string(cycle) + "_f" + std::to_string(k) + ".dat";
}
// The file type category each process leaves behind.
int categoryOf(int process) {
    return 1 + process % 4;
}
std::string instanceSection(int process) {
    return "Instance " + std::to_string(process);
}
std::string cycleValue(int process, int cycle) {
    return "value " + std::to_string(process) + "-" + std::to_string(cycle);
}

// One process: start, rename this cycle's files, save a file type category and a setting of its
// own, exit; kCycles times. Returns 0, or the step that went wrong (the child cannot use gtest).
int runInstance(int process, const std::string& appFolder, const std::string& hive,
                const std::string& work) {
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        test::Program program(test::SharedPlaces{appFolder, hive});
        program.start();
        // Another process may have left a file type category that hides these files.
        auto& category = program.form().get<platform::HeadlessComboBox>("cmbFilterType");
        category.choose(0);
        program.openFolder(work);
        std::vector<std::string> batch;
        for (int k = 0; k < kFilesPerRun; ++k) {
            batch.push_back(fileName(cycle, k));
        }
        program.prepare(batch, "c" + std::to_string(cycle) + "_",
                        "done" + std::to_string(cycle) + "_");
        program.h.messages.queueAnswer(platform::MessageResult::Yes);
        program.rename();
        if (program.h.messages.shown().size() != 1) {
            std::fprintf(stderr, "process %d cycle %d: %s\n", process, cycle,
                         program.h.messages.shown().back().text.c_str());
            return 20;
        }
        category.choose(categoryOf(process));
        if (!cRegistry(program.h.registry, "Quillmote Utility")
                 .SaveSetting(instanceSection(process), "cycle " + std::to_string(cycle),
                              cycleValue(process, cycle))) {
            return 30;
        }
        program.form().button("cmdExit").click();
        if (program.h.ui.quits() != 1) {
            return 40;
        }
    }
    return 0;
}

TEST(ConcurrentInstances, SharedLogAndHiveLoseNothing) {
    test::TempFolder shared;
    const std::string appFolder = shared.makeFolder("app");
    const std::string hive = shared / "config/quillmote/user.reg";
    std::vector<std::string> works;
    for (int p = 0; p < kProcesses; ++p) {
        works.push_back(shared.makeFolder("work" + std::to_string(p)));
        for (int cycle = 0; cycle < kCycles; ++cycle) {
            for (int k = 0; k < kFilesPerRun; ++k) {
                shared.write("work" + std::to_string(p) + "/" + fileName(cycle, k),
                             works.back() + fileName(cycle, k));
            }
        }
    }

    // The children wait on a pipe so that they all start at once.
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(gate[1]);
            char go = 0;
            while (::read(gate[0], &go, 1) < 0 && errno == EINTR) {
            }
            int result = 99;
            try {
                result = runInstance(p, appFolder, hive, works[static_cast<std::size_t>(p)]);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "process %d: %s\n", p, e.what());
            }
            ::_exit(result);
        }
        children.push_back(pid);
    }
    ::close(gate[0]);
    ::close(gate[1]);
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }

    // Every file renamed, none lost.
    for (int p = 0; p < kProcesses; ++p) {
        std::vector<std::string> expected;
        for (int cycle = 0; cycle < kCycles; ++cycle) {
            for (int k = 0; k < kFilesPerRun; ++k) {
                expected.push_back(renamedName(cycle, k));
            }
        }
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(test::namesIn(works[static_cast<std::size_t>(p)]), expected);
    }

    // The log: one header, every session opened and closed, every rename entry whole and once.
    const std::string log = test::readFile(appFolder + "/_APP_LOG.txt");
    test::LogShape shape;
    ASSERT_TRUE(test::readLog(log, shape)) << log;
    EXPECT_EQ(shape.headers, 1u);
    EXPECT_EQ(shape.sessionsStarted, std::size_t{kProcesses * kCycles});
    EXPECT_EQ(shape.sessionsEnded, std::size_t{kProcesses * kCycles});
    EXPECT_EQ(shape.errorEntries, 0u);
    EXPECT_EQ(shape.renameEntries, std::size_t{kProcesses * kCycles * kFilesPerRun});
    for (int p = 0; p < kProcesses; ++p) {
        const std::string& work = works[static_cast<std::size_t>(p)];
        for (int cycle = 0; cycle < kCycles; ++cycle) {
            for (int k = 0; k < kFilesPerRun; ++k) {
                const std::string entry =
                    test::renameEntry("14:03:27", work + "/" + fileName(cycle, k),
                                      work + "/" + renamedName(cycle, k));
                const auto at = log.find(entry);
                EXPECT_NE(at, std::string::npos) << entry;
                EXPECT_EQ(log.find(entry, at + 1), std::string::npos) << entry;
            }
        }
    }

    // The hive: readable without a bad line, with every value every process saved.
    EXPECT_EQ(platform::parseHive(test::readFile(hive)).badEntries, 0u);
    platform::HiveFile fresh(hive);
    cRegistry registry(fresh, "Quillmote Utility");
    for (int p = 0; p < kProcesses; ++p) {
        for (int cycle = 0; cycle < kCycles; ++cycle) {
            EXPECT_EQ(registry.GetSetting(instanceSection(p), "cycle " + std::to_string(cycle)),
                      cycleValue(p, cycle));
        }
    }
    EXPECT_EQ(registry.GetSetting("Application", "Path"), appFolder + "/");
    const std::string lastPath = registry.GetSetting("StartUp", "Last Path");
    EXPECT_NE(std::find(works.begin(), works.end(), lastPath.substr(0, lastPath.size() - 1)),
              works.end())
        << lastPath;
    const std::string category = registry.GetSetting("Preferences", "Default Filter Type");
    bool leftByOne = false;
    for (int p = 0; p < kProcesses; ++p) {
        leftByOne = leftByOne || category == std::to_string(categoryOf(p));
    }
    EXPECT_TRUE(leftByOne) << category;
}

}  // namespace
}  // namespace qm
