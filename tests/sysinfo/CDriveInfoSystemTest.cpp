// CDriveInfo against this machine's own file systems.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <fstream>
#include <locale>
#include <sstream>

#include "platform/posix/PosixDriveQuery.h"
#include "sysinfo/CDriveInfo.h"
#include "tests/support/TempFolder.h"

namespace qm {
namespace {

// Other processes write while the test runs; free space may move by this much between reads.
constexpr std::uint64_t kSpaceDrift = 1ull << 30;

// The type of the topmost file system mounted at `point` (no trailing "/"), read straight from
// the mount table.
std::string mountedTypeAt(const std::string& point) {
    std::ifstream table("/proc/self/mountinfo");
    std::string line;
    std::string type;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string field;
        std::string mountPoint;
        for (int i = 0; i < 5 && fields >> field; ++i) {
            mountPoint = field;
        }
        while (fields >> field && field != "-") {
        }
        if (mountPoint == point && fields >> field) {
            type = field;
        }
    }
    return type;
}

void expectAgreesWithSystem(CDriveInfo& info, const std::string& path) {
    struct statvfs sv {};
    ASSERT_EQ(::statvfs(path.c_str(), &sv), 0);
    const std::uint64_t unit = sv.f_frsize;
    EXPECT_TRUE(info.Present());
    EXPECT_EQ(info.TotalSpace(), sv.f_blocks * unit);
    EXPECT_NEAR(static_cast<double>(info.FreeSpace()), static_cast<double>(sv.f_bfree * unit),
                kSpaceDrift);
    EXPECT_NEAR(static_cast<double>(info.AvailableSpace()), static_cast<double>(sv.f_bavail * unit),
                kSpaceDrift);
    EXPECT_EQ(info.MaxFilenameLength(), static_cast<std::int32_t>(sv.f_namemax));
    EXPECT_EQ(info.FileSystemFlag(platform::kFlagReadOnlyVolume),
              (sv.f_flag & ST_RDONLY) != 0 ? "Yes" : "No");

    const std::string& drive = info.Drive();
    ASSERT_TRUE(drive.ends_with('/'));
    const std::string point = drive == "/" ? drive : drive.substr(0, drive.size() - 1);
    EXPECT_EQ(info.FileSystem(), mountedTypeAt(point));
    struct stat onDrive {};
    struct stat atPath {};
    ASSERT_EQ(::stat(drive.c_str(), &onDrive), 0);
    ASSERT_EQ(::stat(path.c_str(), &atPath), 0);
    EXPECT_EQ(onDrive.st_dev, atPath.st_dev) << drive << " holds " << path;
}

TEST(CDriveInfoOnThisMachine, RootAndATemporaryFolder) {
    platform::PosixDriveQuery drives;
    const platform::LocaleFormat format{std::locale::classic()};

    CDriveInfo root(drives, format, "/");
    EXPECT_EQ(root.Drive(), "/");
    expectAgreesWithSystem(root, "/");
    EXPECT_NE(root.DriveTypeName(), platform::kDriveNoRootDir);

    const test::TempFolder temp;
    const std::string file = temp.write("inside.txt", "x");
    CDriveInfo info(drives, format, file);
    EXPECT_TRUE((temp.path() + "/").starts_with(info.Drive())) << info.Drive();
    expectAgreesWithSystem(info, temp.path());

    // Written as a path inside the drive, it normalises to the same mount point.
    const std::string mountPoint = info.Drive();
    info.Drive("/");
    info.Drive(temp.path());
    EXPECT_EQ(info.Drive(), mountPoint);
}

TEST(CDriveInfoOnThisMachine, MissingPathIsNotPresent) {
    platform::PosixDriveQuery drives;
    const platform::LocaleFormat format{std::locale::classic()};
    const test::TempFolder temp;
    CDriveInfo info(drives, format, temp.path());
    const std::string label = info.Label();
    const std::string fileSystem = info.FileSystem();

    info.Drive(temp / "gone/deeper");
    EXPECT_EQ(info.Drive(), temp / "gone/deeper/");
    EXPECT_FALSE(info.Present());
    EXPECT_EQ(info.TotalSpace(), 0u);
    EXPECT_EQ(info.FreeSpace(), 0u);
    EXPECT_EQ(info.AvailableSpace(), 0u);
    EXPECT_EQ(info.DriveTypeName(), platform::kDriveNoRootDir);
    EXPECT_EQ(info.Label(), label);
    EXPECT_EQ(info.FileSystem(), fileSystem);
}

}  // namespace
}  // namespace qm
