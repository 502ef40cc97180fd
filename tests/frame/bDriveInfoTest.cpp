#include "frame/bDriveInfo.h"

#include <gtest/gtest.h>

#include "base/RunError.h"
#include "tests/support/FakeDriveQuery.h"
#include "tests/support/RecordingReporter.h"

namespace qm {
namespace {

using test::fakePath;

TEST(GetDriveTypeName, NamesEachKindOfTheQuery) {
    // The query's codes and the named kinds number the same kinds differently.
    const struct {
        std::int32_t code;
        const char* name;
    } rows[] = {
        {platform::kDriveRemovable, "Removable drive"},
        {platform::kDriveFixed, "Fixed drive"},
        {platform::kDriveRemote, "Network drive"},
        {platform::kDriveCdRom, "CD ROM drive"},
        {platform::kDriveRamDisk, "RAM disk drive"},
        {platform::kDriveUnknown, "Unknown drive type"},
    };
    test::FakeDriveQuery drives;
    test::RecordingReporter errors;
    const bDriveInfo module(drives, errors);
    for (const auto& row : rows) {
        drives.drives[fakePath("/mnt/x/")].type = row.code;
        EXPECT_EQ(module.GetDriveTypeName(fakePath("/mnt/x/")), row.name) << row.code;
    }
    EXPECT_TRUE(errors.shown.empty());
}

TEST(GetDriveTypeName, NoDrivePartAndMissingDrive) {
    struct PluggedOnRetry : test::FakeDriveQuery {
        mutable int asked = 0;
        std::int32_t driveType(const std::string& root) const override {
            return ++asked == 1 ? platform::kDriveNoRootDir : FakeDriveQuery::driveType(root);
        }
    } drives;
    const std::string usb = fakePath("/media/u/USB/");
    drives.drives[usb].type = platform::kDriveRemovable;
    test::RecordingReporter errors;
    const bDriveInfo module(drives, errors);
    EXPECT_EQ(module.GetDriveTypeName("photo.jpg"), "");
#ifdef _WIN32
    EXPECT_EQ(module.GetDriveTypeName("\\photo.jpg"), "");  // on the current drive, unnamed
#else
    EXPECT_EQ(module.GetDriveTypeName("C:\\photo.jpg"), "");
#endif
    EXPECT_TRUE(errors.shown.empty()) << "a bare name is no failure";

    errors.answers = {platform::MessageResult::Retry};  // the stick is plugged in before Retry
    EXPECT_EQ(module.GetDriveTypeName(usb), "Removable drive");
    ASSERT_EQ(errors.shown.size(), 1u);
    EXPECT_EQ(errors.shown[0].number, kDeviceUnavailable);
    EXPECT_EQ(errors.shown[0].fileObject, usb);
    EXPECT_EQ(errors.shown[0].source, "bDriveInfo.GetDriveTypeName");

    drives.asked = 0;  // Cancel this time
    EXPECT_EQ(module.GetDriveTypeName(usb), "");
    EXPECT_EQ(errors.shown.size(), 2u);
}

}  // namespace
}  // namespace qm
