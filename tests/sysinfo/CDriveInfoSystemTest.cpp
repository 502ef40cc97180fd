// CDriveInfo against this machine's own file systems.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <locale>

#include "platform/posix/PosixDriveQuery.h"
#include "sysinfo/CDriveInfo.h"
#include "tests/support/TempFolder.h"

namespace qm {
namespace {

void expectAgreesWithSystem(CDriveInfo& info, const std::string& path) {
    struct statvfs sv {};
    ASSERT_EQ(::statvfs(path.c_str(), &sv), 0);
    const double drift = 1 << 30;  // others write while the test runs
    EXPECT_TRUE(info.Present());
    EXPECT_EQ(info.TotalSpace(), sv.f_blocks * sv.f_frsize);
    EXPECT_NEAR(double(info.FreeSpace()), double(sv.f_bfree * sv.f_frsize), drift);
    EXPECT_NEAR(double(info.AvailableSpace()), double(sv.f_bavail * sv.f_frsize), drift);
    EXPECT_EQ(info.MaxFilenameLength(), std::int32_t(sv.f_namemax));
    EXPECT_EQ(info.FileSystemFlag(platform::kFlagReadOnlyVolume),
              (sv.f_flag & ST_RDONLY) != 0 ? "Yes" : "No");

    const std::string drive = info.Drive();
    ASSERT_TRUE(drive.ends_with('/'));
    struct stat onDrive {};
    struct stat atPath {};
    ASSERT_EQ(::stat(drive.c_str(), &onDrive), 0);
    ASSERT_EQ(::stat(path.c_str(), &atPath), 0);
    EXPECT_EQ(onDrive.st_dev, atPath.st_dev) << drive << " holds " << path;
}

TEST(CDriveInfoOnThisMachine, RootATemporaryFolderAndAMissingPath) {
    platform::PosixDriveQuery drives;
    const platform::LocaleFormat format{std::locale::classic()};
    CDriveInfo root(drives, format, "/");
    EXPECT_EQ(root.Drive(), "/");
    expectAgreesWithSystem(root, "/");

    const test::TempFolder temp;
    CDriveInfo info(drives, format, temp.write("inside.txt"));
    EXPECT_TRUE(temp.qualified().starts_with(info.Drive())) << info.Drive();
    expectAgreesWithSystem(info, temp.path());
    const std::string label = info.Label();
    info.Drive(temp / "gone/deeper");
    EXPECT_EQ(info.Drive(), temp / "gone/deeper/");
    EXPECT_FALSE(info.Present());
    EXPECT_EQ(info.TotalSpace() + info.FreeSpace() + info.AvailableSpace(), 0u);
    EXPECT_EQ(info.DriveTypeName(), platform::kDriveNoRootDir);
    EXPECT_EQ(info.Label(), label);
}

}  // namespace
}  // namespace qm
