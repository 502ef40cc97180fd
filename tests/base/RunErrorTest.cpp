#include "base/RunError.h"

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
    std::vector<Row> rows = {
        {ENOENT, MissingIs::File, 53, "File not found"},
        {ENOENT, MissingIs::Path, 76, "Path not found"},
        {ENOTDIR, MissingIs::File, 76, "Path not found"},
        {EEXIST, MissingIs::File, 58, "File already exists"},
        {ENOTEMPTY, MissingIs::File, 58, "File already exists"},
        {EACCES, MissingIs::File, 70, "Permission denied"},
        {EPERM, MissingIs::File, 70, "Permission denied"},
        {ENOSPC, MissingIs::File, 61, "Disk full"},
        {EIO, MissingIs::File, 57, "Device I/O error"},
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
#if defined(EDQUOT) && defined(ENOMEDIUM)  // Linux only
    rows.push_back({EDQUOT, MissingIs::File, 61, "Disk full"});
    rows.push_back({ENOMEDIUM, MissingIs::File, 71, "Disk not ready"});
#endif
    for (const auto& row : rows) {
        const RunError e = errorFromErrno(row.err, row.missing);
        EXPECT_EQ(e.number(), row.number) << row.err;
        EXPECT_EQ(e.description(), row.description) << row.err;
    }
}

TEST(RunErrorTable, WindowsErrorsMapToTheSameNumbers) {
    // Windows system error codes by value: the table is plain numbers on every platform.
    const std::vector<std::pair<std::uint32_t, std::int32_t>> rows = {
        {2, 53},     // ERROR_FILE_NOT_FOUND
        {3, 76},     // ERROR_PATH_NOT_FOUND
        {5, 70},     // ERROR_ACCESS_DENIED
        {32, 70},    // ERROR_SHARING_VIOLATION
        {80, 58},    // ERROR_FILE_EXISTS
        {183, 58},   // ERROR_ALREADY_EXISTS
        {112, 61},   // ERROR_DISK_FULL
        {1295, 61},  // ERROR_DISK_QUOTA_EXCEEDED
        {21, 71},    // ERROR_NOT_READY
        {17, 74},    // ERROR_NOT_SAME_DEVICE
        {123, 52},   // ERROR_INVALID_NAME
        {206, 52},   // ERROR_FILENAME_EXCED_RANGE
        {23, 57},    // ERROR_CRC
        {53, 68},    // ERROR_BAD_NETPATH
        {4, 67},     // ERROR_TOO_MANY_OPEN_FILES
        {19, 75},    // ERROR_WRITE_PROTECT
        {999999, 75},
    };
    for (const auto& [code, number] : rows) {
        EXPECT_EQ(errorFromWin32(code).number(), number) << code;
    }
}

}  // namespace
}  // namespace qm
