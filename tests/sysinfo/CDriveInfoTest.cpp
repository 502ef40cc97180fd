#include "sysinfo/CDriveInfo.h"

#include <gtest/gtest.h>

#include <limits>
#include <locale>

#include "tests/support/FakeDriveQuery.h"

namespace qm {
namespace {

using platform::kDriveFixed;
using platform::kDriveRemovable;
using test::FakeDriveQuery;

const platform::LocaleFormat& classicFormat() {
    static const platform::LocaleFormat format{std::locale::classic()};
    return format;
}

// A locale that writes 1.536,5 where the classic one writes 1,536.5.
struct CommaDecimal : std::numpunct<wchar_t> {
    wchar_t do_decimal_point() const override { return L','; }
    wchar_t do_thousands_sep() const override { return L'.'; }
    std::string do_grouping() const override { return "\3"; }
};

// Two ready drives and an empty removable one.
FakeDriveQuery sampleDrives() {
    FakeDriveQuery drives;
    auto& data = drives.add("/data/");
    data.volume = {"DATA", 0xA1B2C3D4u, 255, platform::kFlagVolumeIsCompressed, "ext4"};
    data.space = {1'000, 8'000, 2'000};
    auto& usb = drives.add("/media/u/USB/");
    usb.type = kDriveRemovable;
    usb.volume = {"USB", 0x1234u, 12, 0, "vfat"};
    usb.space = {5, 50, 5};
    auto& floppy = drives.add("/media/floppy/");
    floppy.type = kDriveRemovable;
    floppy.ready = false;
    drives.existing["/data/photos/2024"] = "/data/";
    return drives;
}

TEST(CDriveInfoFormat, ShortForm) {
    const struct {
        std::uint64_t size;
        const char* text;
    } rows[] = {
        {0, "0 bytes"},
        {1, "1 byte"},
        {2, "2 bytes"},
        {1'023, "1,023 bytes"},
        {1'024, "1.00 KB"},
        {1'152, "1.13 KB"},  // exactly 1.125: ties go up
        {10'239, "10.00 KB"},
        {10'240, "10.0 KB"},
        {102'399, "100.0 KB"},
        {102'400, "100 KB"},
        {1'023'999, "1000 KB"},
        {1'024'000, "0.98 MB"},
        {10'240'000, "9.8 MB"},
        {102'400'000, "98 MB"},
        {1'024'000'000, "0.95 GB"},
        {10'240'000'000, "9.54 GB"},
        {80'000'000'000, "74.51 GB"},
        {std::numeric_limits<std::uint64_t>::max(), "17179869184.00 GB"},
    };
    FakeDriveQuery drives = sampleDrives();
    const CDriveInfo info(drives, classicFormat(), "/data/");
    for (const auto& row : rows) {
        EXPECT_EQ(info.FormatSize(row.size), row.text) << row.size;
    }
}

TEST(CDriveInfoFormat, LongFormAndLocaleSeparators) {
    FakeDriveQuery drives = sampleDrives();
    const CDriveInfo info(drives, classicFormat(), "/data/");
    EXPECT_EQ(info.FormatSize(1'536, SizeDisplay::Long), "1.50 KB (1,536 bytes)");
    EXPECT_EQ(info.FormatSize(512, SizeDisplay::Long), "512 bytes");
    EXPECT_EQ(info.FormatSize(1, SizeDisplay::Long), "1 byte");
    EXPECT_EQ(info.FormatSize(80'000'000'000, SizeDisplay::Long),
              "74.51 GB (80,000,000,000 bytes)");

    const platform::LocaleFormat european{std::locale(std::locale::classic(), new CommaDecimal)};
    const CDriveInfo local(drives, european, "/data/");
    EXPECT_EQ(local.FormatSize(1'536, SizeDisplay::Long), "1,50 KB (1.536 bytes)");
    EXPECT_EQ(local.FormatSize(1'023), "1.023 bytes");
}

TEST(CDriveInfoVolume, SerialNumberForms) {
    const struct {
        std::uint32_t serial;
        const char* decimal;
        const char* grouped;
    } rows[] = {
        {0, "0", ""},
        {0x1234u, "4660", "0000-1234"},
        {0xA1B2C3D4u, "-1582119980", "A1B2-C3D4"},
        {0x80000000u, "-2147483648", "8000-0000"},
        {0xFFFFFFFFu, "-1", "FFFF-FFFF"},
    };
    for (const auto& row : rows) {
        FakeDriveQuery drives = sampleDrives();
        drives.drives["/data/"].volume.serialNumber = row.serial;
        const CDriveInfo info(drives, classicFormat(), "/data/");
        EXPECT_EQ(info.SerialNumber(), row.decimal) << row.serial;
        EXPECT_EQ(info.SerialNumberEx(), row.grouped) << row.serial;
    }
}

TEST(CDriveInfoVolume, FileSystemFlagNeedsEveryBit) {
    FakeDriveQuery drives = sampleDrives();
    drives.drives["/data/"].volume.fileSystemFlags = 0x80000000u | 0x00088000u;
    CDriveInfo info(drives, classicFormat(), "/data/");
    const struct {
        std::int32_t flag;
        const char* answer;
    } rows[] = {
        {0, "Yes"},
        {32768, "Yes"},
        {0x00080000, "Yes"},
        {0x00088000, "Yes"},
        {0x00008001, "No"},
        {1, "No"},
        {std::numeric_limits<std::int32_t>::min(), "Yes"},  // the top bit survives the sign
    };
    for (const auto& row : rows) {
        EXPECT_EQ(info.FileSystemFlag(row.flag), row.answer) << row.flag;
    }
    info.Drive("/media/u/USB/");  // no flags at all
    EXPECT_EQ(info.FileSystemFlag(0), "Yes");
    EXPECT_EQ(info.FileSystemFlag(32768), "No");
}

TEST(CDriveInfoDrive, WriteNormalises) {
    const struct {
        const char* written;
        const char* stored;
    } rows[] = {
        {"/media/u/USB [USB]", "/media/u/USB/"},    // as the drive list shows it
        {"/media/u/Odd [A [B]", "/media/u/Odd/"},   // a label holding " ["
        {"/media/u/Gone [Old]", "/media/u/Gone/"},  // no longer mounted
        {"/data/photos/2024", "/data/"},
        {"/data", "/data/"},
        {"/data/", "/data/"},
        {"/missing/folder", "/missing/folder/"},
        {"c: [WIN]", "C:/"},
        {"C:\\Temp", "C:/"},
        {"d:", "D:/"},
        {"d", "d/"},
        {"\\\\server\\share", "\\\\server\\share/"},
        {"/:x", "/:x/"},  // an absolute path, not a letter
        {"", "/"},
    };
    FakeDriveQuery drives = sampleDrives();
    drives.add("/media/u/Odd/").volume.label = "A [B";
    CDriveInfo info(drives, classicFormat(), "/data/");
    for (const auto& row : rows) {
        info.Drive(row.written);
        EXPECT_EQ(info.Drive(), row.stored) << row.written;
    }
}

TEST(CDriveInfoDrive, CreationTakesTheMountPointAndDecidesTheQueryOnce) {
    FakeDriveQuery drives = sampleDrives();
    CDriveInfo info(drives, classicFormat(), "/data/photos/2024");
    EXPECT_EQ(info.Drive(), "/data/");
    EXPECT_TRUE(info.Present());
    EXPECT_EQ(info.Label(), "DATA");
    EXPECT_EQ(info.TotalSpace(), 8'000u);

    drives.extendedQueryExists = false;
    info.Drive("/media/u/USB");
    info.Refresh();
    EXPECT_EQ(drives.procedureQueries, 1);
    EXPECT_EQ(drives.legacySpaceQueries, 0);

    // A start folder that is gone is kept as it is, not turned into a letter or a parent.
    const CDriveInfo gone(drives, classicFormat(), "c:/gone");
    EXPECT_EQ(gone.Drive(), "c:/gone/");
    EXPECT_FALSE(gone.Present());
}

TEST(CDriveInfoDrive, UnreadyDriveKeepsTheLastVolumeValues) {
    FakeDriveQuery drives = sampleDrives();
    CDriveInfo info(drives, classicFormat(), "/data/");
    info.Drive("/media/floppy");
    EXPECT_EQ(info.Drive(), "/media/floppy/");
    EXPECT_FALSE(info.Present());
    EXPECT_EQ(info.TotalSpace(), 0u);
    EXPECT_EQ(info.FreeSpace(), 0u);
    EXPECT_EQ(info.AvailableSpace(), 0u);
    EXPECT_EQ(info.Label(), "DATA");
    EXPECT_EQ(info.FileSystem(), "ext4");
    EXPECT_EQ(info.MaxFilenameLength(), 255);
    EXPECT_EQ(info.SerialNumberEx(), "A1B2-C3D4");
    EXPECT_EQ(info.FileSystemFlags(), 32768);
    EXPECT_EQ(info.DriveTypeName(), kDriveRemovable);

    // Ready again: the volume is read anew.
    drives.drives["/media/floppy/"].ready = true;
    info.Refresh();
    EXPECT_TRUE(info.Present());
    EXPECT_EQ(info.Label(), "");
}

TEST(CDriveInfoDrive, FailedVolumeQueryClearsTheVolumeValues) {
    struct RefusingVolume : FakeDriveQuery {
        bool refuse = false;
        bool volumeInformation(const std::string& root,
                               platform::VolumeInformation& out) const override {
            return !refuse && FakeDriveQuery::volumeInformation(root, out);
        }
    } drives;
    drives.drives = sampleDrives().drives;
    CDriveInfo info(drives, classicFormat(), "/data/");
    ASSERT_EQ(info.Label(), "DATA");
    drives.refuse = true;
    info.Refresh();
    EXPECT_FALSE(info.Present());
    EXPECT_EQ(info.Label(), "");
    EXPECT_EQ(info.FileSystem(), "");
    EXPECT_EQ(info.SerialNumber(), "0");
    EXPECT_EQ(info.SerialNumberEx(), "");
    EXPECT_EQ(info.MaxFilenameLength(), 0);
    EXPECT_EQ(info.FileSystemFlags(), 0);
    EXPECT_EQ(info.TotalSpace(), 8'000u) << "the space query still answered";
}

TEST(CDriveInfoSpace, FreeAndAvailableQueryAgainTotalDoesNot) {
    FakeDriveQuery drives = sampleDrives();
    CDriveInfo info(drives, classicFormat(), "/data/");
    EXPECT_EQ(info.TotalSpace(), 8'000u);
    drives.drives["/data/"].space = {111, 9'000, 222};
    EXPECT_EQ(info.TotalSpace(), 8'000u);
    EXPECT_EQ(info.FreeSpace(), 222u);
    EXPECT_EQ(info.AvailableSpace(), 111u);
    EXPECT_EQ(info.TotalSpace(), 9'000u);

    drives.drives["/data/"].ready = false;
    EXPECT_EQ(info.AvailableSpace(), 0u);
    EXPECT_FALSE(info.Present());
    EXPECT_EQ(info.Label(), "DATA");
}

TEST(CDriveInfoSpace, LegacyCountsMultiplyBeyondThirtyTwoBits) {
    FakeDriveQuery drives = sampleDrives();
    drives.extendedQueryExists = false;
    drives.drives["/data/"].legacy = {8, 512, 1'000'000, 0xFFFFFFFFu};
    CDriveInfo info(drives, classicFormat(), "/data/");
    EXPECT_TRUE(info.Present());
    EXPECT_EQ(drives.extendedSpaceQueries, 0);
    EXPECT_EQ(info.TotalSpace(), 4'096ull * 0xFFFFFFFFull);
    EXPECT_EQ(info.FreeSpace(), 4'096'000'000ull);
    EXPECT_EQ(info.AvailableSpace(), 4'096'000'000ull);

    drives.drives["/data/"].legacy = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
    info.Refresh();
    EXPECT_EQ(info.TotalSpace(), std::numeric_limits<std::uint64_t>::max());
}

TEST(CDriveInfoVolume, LabelWriteAndCleanedTexts) {
    FakeDriveQuery drives = sampleDrives();
    drives.drives["/data/"].volume.label =
        std::string("  DATA\0\0   ", 11);  // text, end, unused rest
    drives.drives["/data/"].volume.fileSystemName = std::string("ext4\0", 5);
    CDriveInfo info(drives, classicFormat(), "/data/photos/2024");
    EXPECT_EQ(info.Label(), "DATA");
    EXPECT_EQ(info.FileSystem(), "ext4");

    info.Label("NEW");  // refused: silent, nothing changes
    EXPECT_EQ(info.Label(), "DATA");
    EXPECT_TRUE(info.Present());

    drives.labelsWritable = true;
    info.Label("NEW");
    EXPECT_EQ(info.Label(), "NEW");
    info.Label("");
    EXPECT_EQ(info.Label(), "");
    ASSERT_EQ(drives.labelWrites.size(), 3u);
    EXPECT_EQ(drives.labelWrites[1].first, "/data/");
    EXPECT_EQ(drives.labelWrites[2].second, std::nullopt) << "an empty label removes the label";
}

}  // namespace
}  // namespace qm
