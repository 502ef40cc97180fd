#include "tests/support/Harness.h"

#include <cstdlib>
#include <ctime>

#include "base/PathRules.h"

namespace qm::test {

void FixedClock::setLocal(int year, int month, int day, int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    m_now = std::chrono::system_clock::from_time_t(std::mktime(&local));
}

std::optional<std::string> FakeSystemFacts::computerName() const {
    return name ? *name : SystemFactsBase::computerName();
}

std::optional<std::string> FakeSystemFacts::environment(const std::string& key) const {
    const auto it = env.find(key);
    return it == env.end() ? std::nullopt : std::optional<std::string>(it->second);
}

std::vector<platform::MountedDrive> TestDrives::mountedDrives() const {
    auto list = SystemDriveQuery::mountedDrives();
    list.insert(list.end(), extra.begin(), extra.end());
    return list;
}

std::string TestDrives::mountPointOf(const std::string& path) const {
    for (const auto& drive : extra) {
        if ((path + platform::kPathSeparator).rfind(drive.mountPoint, 0) == 0) {
            return drive.mountPoint;
        }
    }
    return SystemDriveQuery::mountPointOf(path);
}

Harness::Harness()
    : registry(root / "config/quillmote/user.reg", &faults),
      identity(
          (facts.programFile = platform::joinPath(root.makeFolder("app"), kProgramFileName), facts),
          files) {
    work = root / "work";
    if (const char* drive = std::getenv("QM_TEST_DRIVE")) {
        std::filesystem::create_directory_symlink(drive, fsPath(work));
    } else {
        root.makeFolder("work");
    }
    root.write(std::string("app/") + kProgramFileName, "program");
    facts.env["HOME"] = root.makeFolder("home");
    facts.env["LOCALAPPDATA"] = root.makeFolder("home/AppData/Local");
    state.AppTitle = AppIdentity::title();
    state.MachineName = "TESTBOX";
    facts.name = std::optional<std::string>("TESTBOX");
    clock.setLocal(2026, 12, 6, 14, 3, 27);
    state.AppStartTime = clock.now();
}

}  // namespace qm::test
