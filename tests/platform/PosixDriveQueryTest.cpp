#include "platform/posix/PosixDriveQuery.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>

#include "tests/support/TempFolder.h"

namespace qm::platform {
namespace {

TEST(MountInfo, EscapedFieldsOptionalFieldsAndMalformedLines) {
    const auto mounts = parseMountInfo(
        "90 27 8:17 / /media/u/My\\040Stick rw shared:41 master:2 - vfat /dev/sdb1 rw\n"
        "91 27 0:50 /sub /mnt/back\\134slash\\011tab rw - fuse.sshfs u@host:/a\\040b rw\n"
        "garbage line\n"
        "92 27 x:1 / /bad rw - ext4 /dev/sdc1 rw\n"
        "93 27 0:51 / /no-dash rw shared:1 ext4 /dev/sdd1 rw\n"
        "94 27 0:52 / /last rw - tmpfs tmpfs rw");  // no final line break
    ASSERT_EQ(mounts.size(), 3u);
    EXPECT_EQ(mounts[0].mountPoint, "/media/u/My Stick");
    EXPECT_EQ(mounts[0].fileSystemType + " " + mounts[0].source, "vfat /dev/sdb1");
    EXPECT_EQ(mounts[0].major * 1000 + mounts[0].minor, 8017u);
    EXPECT_EQ(mounts[1].mountPoint, "/mnt/back\\slash\ttab");
    EXPECT_EQ(mounts[1].source, "u@host:/a b");
    EXPECT_EQ(mounts[2].mountPoint, "/last");

    EXPECT_EQ(unescapeUdevName("My\\x20Disk\\x2f\\x2"), "My Disk/\\x2");
    EXPECT_EQ(serialFromUuidName("1a2b3c4d-5e6f-7081-92a3-b4c5d6e7f809"), 0x1A2B3C4Du);
    EXPECT_EQ(serialFromUuidName("ABCD-1234"), 0xABCD1234u);
    EXPECT_EQ(serialFromUuidName("not-hex"), 0u);
}

// A machine made of files: a mount table, udev's disk links and sysfs in a temporary folder,
// with a USB stick mounted on a real folder in it.
TEST(PosixDriveQueryOnFakeMachine, LabelSerialKindAndTheDriveList) {
    const test::TempFolder m;
    const std::string stick = m.makeFolder("media/My Stick");
    const std::string device = m.write("sdz1");
    m.makeFolder("by-label");
    m.makeFolder("by-uuid");
    m.makeFolder("sys/block/sdz/sdz1");
    m.makeFolder("sys/dev");
    m.write("sys/block/sdz/removable", "1\n");  // on the disk, not on its partition
    ASSERT_EQ(::symlink("../sdz1", (m / "by-label/My\\x20Stick").c_str()), 0);
    ASSERT_EQ(::symlink("../sdz1", (m / "by-uuid/0A1B-2C3D").c_str()), 0);
    ASSERT_EQ(::symlink("../block/sdz/sdz1", (m / "sys/dev/8:17").c_str()), 0);
    std::string escaped = stick;
    escaped.replace(escaped.find(' '), 1, "\\040");
    m.write("mountinfo",
            "1 0 0:99 / / rw - overlay overlay rw\n"
            "2 1 0:5 / /proc rw - proc proc rw\n"
            "3 1 0:6 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
            "4 1 0:7 / /dev/shm rw - tmpfs tmpfs rw\n"
            "5 1 0:8 / /run/user/1000 rw - tmpfs tmpfs rw\n"
            "6 1 0:9 / /run/media/u/CARD rw - exfat /dev/mmcblk0p1 rw\n"
            "7 1 0:10 / /home rw - autofs systemd-1 rw\n"
            "8 1 0:11 / /home rw - ext4 /dev/nvme0n1p3 rw\n"
            "9 1 8:17 / " +
                escaped + " rw - vfat " + device + " rw\n");
    const PosixDriveQuery query({m / "mountinfo", m / "by-label", m / "by-uuid", m / "sys/dev"});

    VolumeInformation volume;
    ASSERT_TRUE(query.volumeInformation(stick + "/", volume));
    EXPECT_EQ(volume.label + " " + volume.fileSystemName, "My Stick vfat");
    EXPECT_EQ(volume.serialNumber, 0x0A1B2C3Du);
    EXPECT_EQ(query.driveType(stick), kDriveRemovable);
    EXPECT_EQ(query.mountPointOf(m.write("media/My Stick/a.jpg")), stick + "/");
    ASSERT_TRUE(query.volumeInformation(m.path(), volume));
    EXPECT_EQ(volume.label + volume.fileSystemName, "overlay");
    EXPECT_EQ(volume.serialNumber, 0u);
    EXPECT_EQ(query.driveType(m.path()), kDriveFixed);

    std::vector<std::string> shown;
    for (const auto& drive : query.mountedDrives()) {
        shown.push_back(drive.displayText + "|" + drive.mountPoint + "|" + drive.label);
    }
    std::vector<std::string> expected = {"/|/|", "/home|/home/|",
                                         "/run/media/u/CARD|/run/media/u/CARD/|",
                                         stick + " [My Stick]|" + stick + "/|My Stick"};
    std::sort(shown.begin(), shown.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);

    // Mounted first at a/b, then a file system over a: the path's own device shows that a/b now
    // lies on the later one.
    const std::string inner = m.makeFolder("a/b");
    struct stat st {};
    ASSERT_EQ(::stat(inner.c_str(), &st), 0);
    m.write("mountinfo", "2 1 0:98 / " + inner + " rw - ext4 /dev/vdb rw\n3 1 " +
                             std::to_string(major(st.st_dev)) + ":" +
                             std::to_string(minor(st.st_dev)) + " / " + (m / "a") +
                             " rw - tmpfs tmpfs rw\n");
    EXPECT_EQ(query.mountPointOf(inner), m / "a/");
    EXPECT_EQ(query.driveType(inner), kDriveRamDisk);
}

TEST(PosixDriveQueryOnThisMachine, LegacySpaceMissingPathsAndProcedures) {
    PosixDriveQuery query;
    struct statvfs sv {};
    ASSERT_EQ(::statvfs("/", &sv), 0);
    FreeSpaceLegacy legacy;
    ASSERT_TRUE(query.diskFreeSpace("/", legacy));
    EXPECT_EQ(std::uint64_t{legacy.sectorsPerCluster} * legacy.bytesPerSector, sv.f_frsize);
    EXPECT_EQ(legacy.totalClusters, std::min<std::uint64_t>(sv.f_blocks, 0xFFFFFFFFu));

    EXPECT_FALSE(query.diskFreeSpace("/qm-no-such-folder", legacy));
    VolumeInformation volume;  // a missing path's mount point: CDriveInfo against this machine
    EXPECT_FALSE(query.volumeInformation("/qm-no-such-folder", volume));
    EXPECT_FALSE(query.setVolumeLabel("/", "ANY"));

    EXPECT_TRUE(query.procedureExists("libc.so.6", "statvfs"));
    EXPECT_FALSE(query.procedureExists("libc.so.6", "qm_no_such_procedure"));
    EXPECT_FALSE(query.procedureExists("libqm-no-such-library.so", "statvfs"));
    EXPECT_FALSE(query.procedureExists("", "statvfs"));
}

}  // namespace
}  // namespace qm::platform
