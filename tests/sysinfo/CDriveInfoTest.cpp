#include "sysinfo/CDriveInfo.h"

#include <gtest/gtest.h>

#include <limits>
#include <locale>

#include "tests/support/FakeDriveQuery.h"
#include "tests/support/TempFolder.h"

namespace qm {
namespace {

using test::fakePath;

const platform::LocaleFormat kClassic{std::locale::classic()};

// A locale that writes 1.536,5 where the classic one writes 1,536.5.
struct CommaDecimal : std::numpunct<wchar_t> {
    wchar_t do_decimal_point() const override { return L','; }
    wchar_t do_thousands_sep() const override { return L'.'; }
    std::string do_grouping() const override { return "\3"; }
};

// A ready drive, a removable one and an empty floppy drive.
test::FakeDriveQuery sampleDrives() {
    test::FakeDriveQuery drives;
    auto& data = drives.drives[fakePath("/data/")];
    data.volume = {"DATA", 0xA1B2C3D4u, 255, platform::kFlagVolumeIsCompressed, "ext4"};
    data.space = {1'000, 8'000, 2'000};
    drives.drives[fakePath("/media/u/USB/")].volume.label = "USB";
    drives.drives[fakePath("/media/u/Odd/")].volume.label = "A [B";
    drives.addUnready(fakePath("/media/floppy/"), platform::kDriveRemovable);
    return drives;
}

// The long form in the classic locale (74.51 GB and its bytes) is in the About text's golden test.
TEST(CDriveInfoFormat, EveryRowOfTheSizeTable) {
    const struct {
        std::uint64_t size;
        const char* text;
    } rows[] = {
        {0, "0 bytes"},
        {1, "1 byte"},
        {1'023, "1,023 bytes"},
        {1'024, "1.00 KB"},
        {1'152, "1.13 KB"},  // exactly 1.125: a tie goes up
        {10'239, "10.00 KB"},
        {10'240, "10.0 KB"},
        {102'400, "100 KB"},
        {1'023'999, "1000 KB"},
        {1'024'000, "0.98 MB"},
        {10'240'000, "9.8 MB"},
        {102'400'000, "98 MB"},
        {1'024'000'000, "0.95 GB"},
        {std::numeric_limits<std::uint64_t>::max(), "17179869184.00 GB"},
    };
    auto drives = sampleDrives();
    const CDriveInfo info(drives, kClassic, fakePath("/data/"));
    for (const auto& row : rows) {
        EXPECT_EQ(info.FormatSize(row.size), row.text) << row.size;
    }
    EXPECT_EQ(info.FormatSize(512, SizeDisplay::Long), "512 bytes");

    const platform::LocaleFormat european{std::locale(std::locale::classic(), new CommaDecimal)};
    const CDriveInfo local(drives, european, fakePath("/data/"));
    EXPECT_EQ(local.FormatSize(1'536, SizeDisplay::Long), "1,50 KB (1.536 bytes)");
}

TEST(CDriveInfoVolume, SerialNumberAndFlags) {
    const struct {
        std::uint32_t serial;
        const char* decimal;
        const char* grouped;
    } rows[] = {
        {0, "0", ""},
        {0x1234u, "4660", "0000-1234"},
        {0xA1B2C3D4u, "-1582119980", "A1B2-C3D4"},
    };
    for (const auto& row : rows) {
        auto drives = sampleDrives();
        drives.drives[fakePath("/data/")].volume.serialNumber = row.serial;
        const CDriveInfo info(drives, kClassic, fakePath("/data/"));
        EXPECT_EQ(info.SerialNumber(), row.decimal) << row.serial;
        EXPECT_EQ(info.SerialNumberEx(), row.grouped) << row.serial;
    }

    auto drives = sampleDrives();
    drives.drives[fakePath("/data/")].volume.fileSystemFlags = 0x80008000u;
    const CDriveInfo info(drives, kClassic, fakePath("/data/"));
    EXPECT_EQ(info.FileSystemFlag(0), "Yes");
    EXPECT_EQ(info.FileSystemFlag(32768), "Yes");
    EXPECT_EQ(info.FileSystemFlag(32769), "No");
    EXPECT_EQ(info.FileSystemFlag(std::numeric_limits<std::int32_t>::min()), "Yes");
}

TEST(CDriveInfoDrive, WriteNormalises) {
    const struct {
        std::string written;
        std::string stored;
    } rows[] = {
        {fakePath("/media/u/USB [USB]"), fakePath("/media/u/USB/")},   // as the drive list shows it
        {fakePath("/media/u/Odd [A [B]"), fakePath("/media/u/Odd/")},  // a label holding " ["
        {fakePath("/media/u/Gone [Old]"), fakePath("/media/u/Gone/")},  // no longer mounted
        {fakePath("/data/photos/2024"), fakePath("/data/")},
        {fakePath("/data"), fakePath("/data/")},
        {fakePath("/missing/folder"), fakePath("/missing/folder/")},
        {fakePath("/:x"), fakePath("/:x/")},  // an absolute path, not a letter
        // Stored with "/" for the system's separator.
        {"c: [WIN]", "C:/"},
        {"C:\\Temp", "C:/"},
        {"d", "d/"},
        {"\\\\server\\share", "\\\\server\\share/"},
        {"", "/"},
    };
    auto drives = sampleDrives();
    CDriveInfo info(drives, kClassic, fakePath("/data/"));
    for (const auto& row : rows) {
        info.Drive(row.written);
        EXPECT_EQ(info.Drive(), test::systemPath(row.stored)) << row.written;
    }
    // The start path is only taken to its mount point, never read as a letter form.
    EXPECT_EQ(CDriveInfo(drives, kClassic, fakePath("/data/photos/2024")).Drive(),
              fakePath("/data/"));
    EXPECT_EQ(CDriveInfo(drives, kClassic, "c:/gone").Drive(),
              "c:/gone" + std::string(1, platform::kPathSeparator));
}

TEST(CDriveInfoDrive, UnreadyDriveKeepsTheLastVolumeValues) {
    auto drives = sampleDrives();
    CDriveInfo info(drives, kClassic, fakePath("/data/"));
    info.Drive(fakePath("/media/floppy"));
    EXPECT_FALSE(info.Present());
    EXPECT_EQ(info.TotalSpace(), 0u);
    EXPECT_EQ(info.FreeSpace(), 0u);
    EXPECT_EQ(info.Label(), "DATA");
    EXPECT_EQ(info.SerialNumberEx(), "A1B2-C3D4");
    EXPECT_EQ(info.DriveTypeName(), platform::kDriveRemovable);

    // A drive that becomes unready is noticed by the next space reading.
    info.Drive(fakePath("/data/"));
    drives.drives[fakePath("/data/")].ready = false;
    EXPECT_EQ(info.AvailableSpace(), 0u);
    EXPECT_FALSE(info.Present());
}

TEST(CDriveInfoSpace, QueryChosenOnceAndTheLegacyCountsWiden) {
    auto drives = sampleDrives();
    drives.extendedQueryExists = false;
    drives.drives[fakePath("/data/")].legacy = {8, 512, 1'000'000, 0xFFFFFFFFu};
    CDriveInfo info(drives, kClassic, fakePath("/data/"));
    EXPECT_EQ(info.TotalSpace(), 4'096ull * 0xFFFFFFFFull);
    EXPECT_EQ(info.FreeSpace(), 4'096'000'000ull);
    EXPECT_EQ(info.AvailableSpace(), 4'096'000'000ull);

    drives.drives[fakePath("/data/")].legacy = {0xFFFFFFFFu, 0xFFFFFFFFu, 0, 0xFFFFFFFFu};
    drives.extendedQueryExists = true;
    info.Refresh();
    EXPECT_EQ(info.TotalSpace(), std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(drives.procedureQueries, 1);
    EXPECT_EQ(drives.legacySpaceQueries, 4);
}

TEST(CDriveInfoVolume, LabelTextsAndWrites) {
    auto drives = sampleDrives();
    drives.drives[fakePath("/data/")].volume.label =
        std::string("  DATA\0\0   ", 11);  // the buffer's rest
    CDriveInfo info(drives, kClassic, fakePath("/data/"));
    EXPECT_EQ(info.Label(), "DATA");

    info.Label("NEW");  // refused: silent, nothing changes
    EXPECT_EQ(info.Label(), "DATA");
    EXPECT_TRUE(info.Present());

    drives.labelsWritable = true;
    info.Label("NEW");
    EXPECT_EQ(info.Label(), "NEW");
    info.Label("");
    EXPECT_EQ(info.Label(), "(removed)") << "an empty text asks for no label at all";
}

}  // namespace
}  // namespace qm
