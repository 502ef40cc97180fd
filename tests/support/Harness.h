// A whole program's worth of services for one test: the system's real file layer, trash,
// settings store and drive query (SystemServices.h), pointed at a fresh temporary folder where
// they have a place, with the headless window layer, a message box answered from a queue, a
// recording shell and a clock the test sets.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "frame/AppIdentity.h"
#include "frame/AppState.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "platform/headless/HeadlessUi.h"
#include "platform/headless/RecordingShell.h"
#include "services/Clock.h"
#include "services/FaultPlan.h"
#include "services/LocaleFormat.h"
#include "tests/support/SystemServices.h"
#include "tests/support/TempFolder.h"
#include "ui/Services.h"

namespace qm::test {

// The entries of a list control (anything with listCount() and list(index)).
template <typename List>
std::vector<std::string> entriesOf(const List& list) {
    std::vector<std::string> entries;
    for (int i = 0; i < list.listCount(); ++i) {
        entries.push_back(list.list(i));
    }
    return entries;
}

// A clock the test sets; with a `step` it moves on by that much each time it is read.
class FixedClock : public platform::Clock {
  public:
    platform::TimePoint now() const override { return std::exchange(m_now, m_now + step); }
    // A local date and time (year, month 1-12, day, hour, minute, second).
    void setLocal(int year, int month, int day, int hour, int minute, int second);
    std::chrono::microseconds step{0};

  private:
    mutable platform::TimePoint m_now = std::chrono::system_clock::now();
};

// The real machine's facts, except the program file (inside the test's folder), the environment
// (what the test sets) and, when set, the computer's name.
class FakeSystemFacts : public SystemFactsBase {
  public:
    std::optional<std::string> computerName() const override;
    std::string executablePath() const override { return programFile; }
    std::optional<std::string> environment(const std::string& name) const override;
    bool folderWritable(const std::string& folder) const override {
        return writable.value_or(SystemFactsBase::folderWritable(folder));
    }
    bool fileWritable(const std::string& path) const override {
        return readOnlyFiles.count(path) == 0 && SystemFactsBase::fileWritable(path);
    }

    std::string programFile;
    std::optional<bool> writable;                    // unset: ask the file system
    std::set<std::string> readOnlyFiles;             // as if another user's (root writes all)
    std::optional<std::optional<std::string>> name;  // unset: the real host name
    std::map<std::string, std::string> env;
};

// The machine's drives plus drives a test adds (a mount point that cannot be opened, say).
class TestDrives : public SystemDriveQuery {
  public:
    std::vector<platform::MountedDrive> mountedDrives() const override;
    std::string mountPointOf(const std::string& path) const override;
    std::vector<platform::MountedDrive> extra;
};

// The program file's name inside the test's "app" folder.
#ifdef _WIN32
inline constexpr const char* kProgramFileName = "quillmote.exe";
#else
inline constexpr const char* kProgramFileName = "quillmote";
#endif

class Harness {
  public:
    Harness();

    std::string logPath() const { return identity.GetLogFilePath(); }
    std::string log() const { return readFile(logPath()); }
    // A folder below the test's folder for the files to rename; with QM_TEST_DRIVE, a link to
    // that folder (on a volume the test command mounted, which it removes afterwards).
    std::string work;

    TempFolder root;
    platform::FaultPlan faults;
    SystemFileSystem files{&faults};
    TestTrash trash{root / "Trash"};
    platform::HeadlessMessageBox messages;
    platform::RecordingShell shell;
    FixedClock clock;
    platform::LocaleFormat format{std::locale::classic()};
    FakeSystemFacts facts;
    text::CaseMapper caseMapper = neutralCaseMapper();
    TestRegistry registry;
    TestDrives drives;
    platform::HeadlessUi ui{files, drives, caseMapper};
    platform::Services services{files, trash,      messages, shell,  clock, format,
                                facts, caseMapper, registry, drives, ui};
    AppState state;
    AppIdentity identity;
};

}  // namespace qm::test
