#include "platform/RunError.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace qm {
namespace {

TEST(RunErrorTable, ErrnoMapsToTheProgramsNumbers) {
    struct Row {
        int err;
        MissingIs missing;
        std::int32_t number;
        const char* description;
    };
    const std::vector<Row> rows = {
        {ENOENT, MissingIs::File, 53, "File not found"},
        {ENOENT, MissingIs::Path, 76, "Path not found"},
        {ENOTDIR, MissingIs::File, 76, "Path not found"},
        {EEXIST, MissingIs::File, 58, "File already exists"},
        {ENOTEMPTY, MissingIs::File, 58, "File already exists"},
        {EACCES, MissingIs::File, 70, "Permission denied"},
        {EPERM, MissingIs::File, 70, "Permission denied"},
        {ENOSPC, MissingIs::File, 61, "Disk full"},
        {EDQUOT, MissingIs::File, 61, "Disk full"},
        {EIO, MissingIs::File, 57, "Device I/O error"},
        {ENOMEDIUM, MissingIs::File, 71, "Disk not ready"},
        {ENODEV, MissingIs::File, 68, "Device unavailable"},
        {ENXIO, MissingIs::File, 68, "Device unavailable"},
        {EMFILE, MissingIs::File, 67, "Too many files"},
        {ENFILE, MissingIs::File, 67, "Too many files"},
        {EXDEV, MissingIs::File, 74, "Can't rename with different drive"},
        {ENAMETOOLONG, MissingIs::File, 52, "Bad file name or number"},
        {EINVAL, MissingIs::File, 52, "Bad file name or number"},
        {EISDIR, MissingIs::File, 52, "Bad file name or number"},
        {EROFS, MissingIs::File, 75, "Path/File access error"},
        {EBUSY, MissingIs::File, 75, "Path/File access error"},
        {ETXTBSY, MissingIs::File, 75, "Path/File access error"},
        {ELOOP, MissingIs::File, 75, "Path/File access error"},
    };
    for (const auto& row : rows) {
        const RunError e = errorFromErrno(row.err, row.missing);
        EXPECT_EQ(e.number(), row.number) << row.err;
        EXPECT_EQ(e.description(), row.description) << row.err;
    }
    EXPECT_EQ(missingControlElement(7).description(), "Control array element '7' doesn't exist");
    EXPECT_EQ(missingControlElement(7).number(), 340);
}

}  // namespace
}  // namespace qm
