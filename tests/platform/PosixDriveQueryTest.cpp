#include "platform/posix/PosixDriveQuery.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "tests/support/TempFolder.h"

namespace qm::platform {
namespace {

TEST(MountInfo, ParsesEscapedFieldsAndSkipsMalformedLines) {
    const std::string text =
        "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
        "90 27 8:17 / /media/u/My\\040Stick rw,nosuid shared:41 master:2 - vfat "
        "/dev/sdb1 rw,fmask=0022\n"
        "91 27 0:50 /sub /mnt/back\\134slash\\011tab rw - fuse.sshfs u@host:/a\\040b rw\n"
        "garbage line\n"
        "92 27 x:1 / /bad rw - ext4 /dev/sdc1 rw\n"
        "93 27 0:51 / /no-dash rw shared:1 ext4 /dev/sdd1 rw\n"
        "94 27 0:52 / /last rw - tmpfs tmpfs rw";  // no final line break
    const auto mounts = parseMountInfo(text);
    ASSERT_EQ(mounts.size(), 4u);
    EXPECT_EQ(mounts[0].mountPoint, "/");
    EXPECT_EQ(mounts[0].major, 254u);
    EXPECT_EQ(mounts[1].mountPoint, "/media/u/My Stick");
    EXPECT_EQ(mounts[1].fileSystemType, "vfat");
    EXPECT_EQ(mounts[1].source, "/dev/sdb1");
    EXPECT_EQ(mounts[1].minor, 17u);
    EXPECT_EQ(mounts[2].mountPoint, "/mnt/back\\slash\ttab");
    EXPECT_EQ(mounts[2].source, "u@host:/a b");
    EXPECT_EQ(mounts[3].mountPoint, "/last");
}

TEST(MountInfo, UdevNamesAndSerials) {
    EXPECT_EQ(unescapeUdevName("My\\x20Disk"), "My Disk");
    EXPECT_EQ(unescapeUdevName("a\\x2fb\\x5c"), "a/b\\");
    EXPECT_EQ(unescapeUdevName("trail\\x2"), "trail\\x2");
    EXPECT_EQ(unescapeUdevName("no\\xzz"), "no\\xzz");
    EXPECT_EQ(unescapeMountField("\\04x\\0401"), "\\04x 1");

    const struct {
        const char* name;
        std::uint32_t serial;
    } rows[] = {
        {"1a2b3c4d-5e6f-7081-92a3-b4c5d6e7f809", 0x1A2B3C4Du},
        {"ABCD-1234", 0xABCD1234u},
        {"12-34-56-78-9A", 0x12345678u},
        {"0123456789ABCDEF", 0x01234567u},
        {"", 0u},
        {"not-hex", 0u},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(serialFromUuidName(row.name), row.serial) << row.name;
    }
}

// A machine made of files: a mount table, udev's disk links and sysfs, all in a temporary
// folder, with mount points that are real folders in it.
class FakeMachine : public ::testing::Test {
  protected:
    void SetUp() override {
        m_stick = m_temp.makeFolder("media/My Stick");
        m_temp.makeFolder("dev");
        m_device = m_temp.write("dev/sdz1");
        m_temp.makeFolder("by-label");
        m_temp.makeFolder("by-uuid");
        ASSERT_EQ(::symlink("../dev/sdz1", (m_temp / "by-label/My\\x20Stick").c_str()), 0);
        ASSERT_EQ(::symlink("../dev/sdz1", (m_temp / "by-uuid/0A1B-2C3D").c_str()), 0);
        // sysfs: the partition 8:17 links to its disk's folder, which holds "removable".
        m_temp.makeFolder("sys/block/sdz/sdz1");
        m_temp.write("sys/block/sdz/removable", "1\n");
        m_temp.makeFolder("sys/dev");
        ASSERT_EQ(::symlink("../block/sdz/sdz1", (m_temp / "sys/dev/8:17").c_str()), 0);

        std::string escaped;
        for (const char c : m_stick) {
            escaped += c == ' ' ? std::string("\\040") : std::string(1, c);
        }
        m_temp.write("mountinfo",
                     "1 0 0:99 / / rw - overlay overlay rw\n"
                     "2 1 0:5 / /proc rw - proc proc rw\n"
                     "3 1 0:6 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
                     "4 1 0:7 / /dev/shm rw - tmpfs tmpfs rw\n"
                     "5 1 0:8 / /run/user/1000 rw - tmpfs tmpfs rw\n"
                     "6 1 0:9 / /run/media/u/CARD rw - exfat /dev/mmcblk0p1 rw\n"
                     "7 1 0:10 / /home rw - autofs systemd-1 rw\n"
                     "8 1 0:11 / /home rw - ext4 /dev/nvme0n1p3 rw\n"
                     "9 1 0:12 / /srv/share rw - nfs4 server:/export rw\n"
                     "10 1 8:17 / " +
                         escaped + " rw - vfat " + m_device + " rw\n");
        PosixDrivePaths paths;
        paths.mountInfo = m_temp / "mountinfo";
        paths.byLabel = m_temp / "by-label";
        paths.byUuid = m_temp / "by-uuid";
        paths.sysBlock = m_temp / "sys/dev";
        m_query = std::make_unique<PosixDriveQuery>(paths);
    }

    test::TempFolder m_temp;
    std::string m_stick;
    std::string m_device;
    std::unique_ptr<PosixDriveQuery> m_query;
};

TEST_F(FakeMachine, VolumeLabelSerialAndKind) {
    m_temp.write("media/My Stick/photo.jpg");
    VolumeInformation volume;
    ASSERT_TRUE(m_query->volumeInformation(m_stick + "/", volume));
    EXPECT_EQ(volume.label, "My Stick");
    EXPECT_EQ(volume.serialNumber, 0x0A1B2C3Du);
    EXPECT_EQ(volume.fileSystemName, "vfat");
    EXPECT_EQ(m_query->driveType(m_stick), kDriveRemovable);
    EXPECT_EQ(m_query->mountPointOf(m_stick + "/photo.jpg"), m_stick + "/");
    EXPECT_EQ(m_query->mountPointOf(m_stick + "/nothing.jpg"), "");

    // Outside the stick: the root overlay, which has no label or serial number.
    ASSERT_TRUE(m_query->volumeInformation(m_temp.path(), volume));
    EXPECT_EQ(volume.label, "");
    EXPECT_EQ(volume.serialNumber, 0u);
    EXPECT_EQ(volume.fileSystemName, "overlay");
    EXPECT_EQ(m_query->driveType(m_temp.path()), kDriveFixed);
    EXPECT_EQ(m_query->driveType(m_temp / "missing"), kDriveNoRootDir);
}

TEST_F(FakeMachine, DriveListShowsOnlyFileSystemsForFiles) {
    const auto drives = m_query->mountedDrives();
    EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end(), [](const auto& a, const auto& b) {
        return a.mountPoint < b.mountPoint;
    }));
    std::vector<std::string> shown;
    for (const auto& drive : drives) {
        shown.push_back(drive.displayText + " | " + drive.mountPoint + " | " + drive.label);
    }
    std::vector<std::string> expected = {
        "/ | / | ",
        "/home | /home/ | ",  // the file system mounted over the automount point
        "/run/media/u/CARD | /run/media/u/CARD/ | ",
        "/srv/share | /srv/share/ | ",
        m_stick + " [My Stick] | " + m_stick + "/ | My Stick",
    };
    std::sort(shown.begin(), shown.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);
}

TEST_F(FakeMachine, AFileSystemMountedOverAParentHidesTheOneBelow) {
    // Mounted first at <temp>/a/b, then another file system over <temp>/a: the path's own
    // device shows that <temp>/a/b/x lies on the later one.
    const std::string inner = m_temp.makeFolder("a/b");
    struct stat st {};
    ASSERT_EQ(::stat(inner.c_str(), &st), 0);
    m_temp.write("mountinfo",
                 "1 0 0:99 / / rw - ext4 /dev/vda rw\n"
                 "2 1 0:98 / " +
                     inner + " rw - ext4 /dev/vdb rw\n" + "3 1 " +
                     std::to_string(major(st.st_dev)) + ":" + std::to_string(minor(st.st_dev)) +
                     " / " + (m_temp / "a") + " rw - tmpfs tmpfs rw\n");
    EXPECT_EQ(m_query->mountPointOf(inner), m_temp / "a/");
    EXPECT_EQ(m_query->driveType(inner), kDriveRamDisk);
}

TEST(PosixDriveQueryOnThisMachine, SpaceAndLimitsAgreeWithStatvfs) {
    PosixDriveQuery query;
    struct statvfs sv {};
    ASSERT_EQ(::statvfs("/", &sv), 0);

    FreeSpaceEx space;
    ASSERT_TRUE(query.diskFreeSpaceEx("/", space));
    EXPECT_EQ(space.totalBytes, sv.f_blocks * sv.f_frsize);

    FreeSpaceLegacy legacy;
    ASSERT_TRUE(query.diskFreeSpace("/", legacy));
    EXPECT_EQ(legacy.sectorsPerCluster, 1u);
    EXPECT_EQ(legacy.bytesPerSector, sv.f_frsize);
    EXPECT_EQ(legacy.totalClusters, std::min<std::uint64_t>(sv.f_blocks, 0xFFFFFFFFu));

    VolumeInformation volume;
    ASSERT_TRUE(query.volumeInformation("/", volume));
    EXPECT_EQ(volume.maxComponentLength, sv.f_namemax);
    EXPECT_FALSE(volume.fileSystemName.empty());

    EXPECT_FALSE(query.diskFreeSpaceEx("/qm-no-such-folder", space));
    EXPECT_FALSE(query.diskFreeSpace("/qm-no-such-folder", legacy));
    EXPECT_FALSE(query.volumeInformation("/qm-no-such-folder", volume));
    EXPECT_FALSE(query.setVolumeLabel("/", "ANY"));
}

TEST(PosixDriveQueryOnThisMachine, MountPointsAndTheDriveList) {
    const PosixDriveQuery query;
    EXPECT_EQ(query.mountPointOf("/"), "/");
    EXPECT_EQ(query.mountPointOf("/qm-no-such-folder/x"), "");
    EXPECT_EQ(query.mountPointOf(std::string("/\0x", 3)), "");
    const auto drives = query.mountedDrives();
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives.front().mountPoint, "/");
    for (const auto& drive : drives) {
        EXPECT_TRUE(drive.mountPoint.ends_with('/')) << drive.mountPoint;
        EXPECT_FALSE(drive.mountPoint.starts_with("/proc/")) << drive.mountPoint;
        EXPECT_FALSE(drive.mountPoint.starts_with("/sys/")) << drive.mountPoint;
    }
}

TEST(PosixDriveQueryOnThisMachine, TmpfsIsARamDisk) {
    std::ifstream table("/proc/self/mountinfo");
    std::stringstream text;
    text << table.rdbuf();
    const auto mounts = parseMountInfo(text.str());
    const auto tmpfs = std::find_if(mounts.rbegin(), mounts.rend(), [](const MountEntry& m) {
        return m.fileSystemType == "tmpfs" && ::access(m.mountPoint.c_str(), X_OK) == 0;
    });
    if (tmpfs == mounts.rend()) {
        GTEST_SKIP() << "no tmpfs mounted here";
    }
    EXPECT_EQ(PosixDriveQuery().driveType(tmpfs->mountPoint), kDriveRamDisk) << tmpfs->mountPoint;
}

TEST(PosixDriveQueryOnThisMachine, ProcedureLookupLeavesLoadedLibrariesAlone) {
    const PosixDriveQuery query;
    EXPECT_TRUE(query.procedureExists("libc.so.6", "statvfs"));
    EXPECT_FALSE(query.procedureExists("libc.so.6", "qm_no_such_procedure"));
    EXPECT_FALSE(query.procedureExists("libqm-no-such-library.so", "statvfs"));
    EXPECT_FALSE(query.procedureExists("", "statvfs"));

    // A library that is not loaded yet is loaded for the question and unloaded after it.
    const char* library = "libutil.so.1";
    if (void* loaded = ::dlopen(library, RTLD_LAZY | RTLD_NOLOAD)) {
        ::dlclose(loaded);
        GTEST_SKIP() << library << " is loaded already";
    }
    query.procedureExists(library, "openpty");
    void* after = ::dlopen(library, RTLD_LAZY | RTLD_NOLOAD);
    EXPECT_EQ(after, nullptr);
    if (after != nullptr) {
        ::dlclose(after);
    }
}

}  // namespace
}  // namespace qm::platform
