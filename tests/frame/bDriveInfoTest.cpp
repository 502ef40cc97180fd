#include "frame/bDriveInfo.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/RunError.h"
#include "platform/posix/PosixDriveQuery.h"
#include "tests/support/FakeDriveQuery.h"
#include "tests/support/TempFolder.h"

namespace qm {
namespace {

struct RecordingReporter : ErrorReporter {
    struct Shown {
        std::int32_t number;
        std::string fileObject;
        std::string source;
    };
    std::vector<Shown> shown;
    std::vector<int> answers;  // returned in order; Cancel when exhausted
    int HandleError(const std::string&, std::int32_t n, const std::string& f,
                    const std::string& s) override {
        shown.push_back({n, f, s});
        if (answers.empty()) {
            return kResultCancel;
        }
        const int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    void LogError(const std::string&, std::int32_t, const std::string&,
                  const std::string&) override {}
};

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
        {42, "Unknown drive type"},
    };
    test::FakeDriveQuery drives;
    RecordingReporter errors;
    const bDriveInfo module(drives, errors);
    for (const auto& row : rows) {
        drives.add("/mnt/x/").type = row.code;
        EXPECT_EQ(module.GetDriveTypeName("/mnt/x/"), row.name) << row.code;
    }
    EXPECT_EQ(bDriveInfo::driveKindName(0), "Unknown drive type");
    EXPECT_EQ(bDriveInfo::driveKindName(6), "Unknown drive type");
    EXPECT_TRUE(errors.shown.empty());
}

TEST(GetDriveTypeName, NoDrivePartAndMissingDrive) {
    test::FakeDriveQuery drives;
    drives.add("/").type = platform::kDriveFixed;
    RecordingReporter errors;
    const bDriveInfo module(drives, errors);
    EXPECT_EQ(module.GetDriveTypeName("photo.jpg"), "");
    EXPECT_EQ(module.GetDriveTypeName(""), "");
    EXPECT_EQ(module.GetDriveTypeName("C:\\photo.jpg"), "");
    EXPECT_TRUE(errors.shown.empty()) << "a bare name is no failure";

    EXPECT_EQ(module.GetDriveTypeName("/media/u/USB/"), "");
    ASSERT_EQ(errors.shown.size(), 1u);
    EXPECT_EQ(errors.shown[0].number, kDeviceUnavailable);
    EXPECT_EQ(errors.shown[0].fileObject, "/media/u/USB/");
    EXPECT_EQ(errors.shown[0].source, "bDriveInfo.GetDriveTypeName");

    // Retry asks again: the stick has been plugged in meanwhile.
    errors.shown.clear();
    errors.answers = {kResultRetry};
    struct PluggedOnRetry : test::FakeDriveQuery {
        mutable int asked = 0;
        std::int32_t driveType(const std::string& root) const override {
            return ++asked == 1 ? platform::kDriveNoRootDir : FakeDriveQuery::driveType(root);
        }
    } plugged;
    plugged.add("/media/u/USB/").type = platform::kDriveRemovable;
    const bDriveInfo retrying(plugged, errors);
    EXPECT_EQ(retrying.GetDriveTypeName("/media/u/USB/"), "Removable drive");
    EXPECT_EQ(errors.shown.size(), 1u);
}

TEST(GetDriveTypeName, ThisMachine) {
    platform::PosixDriveQuery drives;
    RecordingReporter errors;
    const bDriveInfo module(drives, errors);
    const test::TempFolder temp;
    EXPECT_NE(module.GetDriveTypeName(temp.path()), "");

    std::ifstream table("/proc/self/mountinfo");
    std::stringstream text;
    text << table.rdbuf();
    for (const auto& mount : platform::parseMountInfo(text.str())) {
        if (mount.fileSystemType == "tmpfs" && drives.mountPointOf(mount.mountPoint) != "") {
            EXPECT_EQ(module.GetDriveTypeName(mount.mountPoint), "RAM disk drive")
                << mount.mountPoint;
        }
    }
    EXPECT_TRUE(errors.shown.empty());
}

}  // namespace
}  // namespace qm
