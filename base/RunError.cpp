#include "base/RunError.h"

#include <cerrno>

namespace qm {

std::string RunError::standardDescription(std::int32_t number) {
    switch (number) {
        case kInvalidProcedureCall:
            return "Invalid procedure call or argument";
        case kOverflow:
            return "Overflow";
        case kOutOfMemory:
            return "Out of memory";
        case kTypeMismatch:
            return "Type mismatch";
        case kNoAssociation:
            return "No program could be started to open the file";
        case kInternalError:
            return "Internal error";
        case kBadFileName:
            return "Bad file name or number";
        case kFileNotFound:
            return "File not found";
        case kBadFileMode:
            return "Bad file mode";
        case kFileAlreadyOpen:
            return "File already open";
        case kDeviceIoError:
            return "Device I/O error";
        case kFileAlreadyExists:
            return "File already exists";
        case kDiskFull:
            return "Disk full";
        case kInputPastEnd:
            return "Input past end of file";
        case kTooManyFiles:
            return "Too many files";
        case kDeviceUnavailable:
            return "Device unavailable";
        case kPermissionDenied:
            return "Permission denied";
        case kDiskNotReady:
            return "Disk not ready";
        case kRenameAcrossDrives:
            return "Can't rename with different drive";
        case kPathFileAccessError:
            return "Path/File access error";
        case kPathNotFound:
            return "Path not found";
        case kObjectNotSet:
            return "Object variable or With block variable not set";
        case kPrinterError:
            return "Printer error";
        default:
            return "Application-defined or object-defined error";
    }
}

RunError errorFromErrno(int errnoValue, MissingIs missing) {
    std::int32_t number = kPathFileAccessError;
    switch (errnoValue) {
        case ENOENT:
            number = missing == MissingIs::File ? kFileNotFound : kPathNotFound;
            break;
        case ENOTDIR:
            number = kPathNotFound;
            break;
        case EEXIST:
        case ENOTEMPTY:
            number = kFileAlreadyExists;
            break;
        case EACCES:
        case EPERM:
            number = kPermissionDenied;
            break;
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            number = kDiskFull;
            break;
        case EIO:
            number = kDeviceIoError;
            break;
#ifdef ENOMEDIUM
        case ENOMEDIUM:
            number = kDiskNotReady;
            break;
#endif
        case ENODEV:
        case ENXIO:
            number = kDeviceUnavailable;
            break;
        case EMFILE:
        case ENFILE:
            number = kTooManyFiles;
            break;
        case EXDEV:
            number = kRenameAcrossDrives;
            break;
        case ENAMETOOLONG:
        case EINVAL:
        case EISDIR:
            number = kBadFileName;
            break;
        default:
            number = kPathFileAccessError;
            break;  // EROFS, EBUSY, ETXTBSY and the rest
    }
    return RunError(number);
}

namespace {
namespace win32 {

// Windows system error codes by value, so that the table builds and is tested everywhere.
enum : std::uint32_t {
    kFileNotFound = 2,
    kPathNotFound = 3,
    kTooManyOpenFiles = 4,
    kAccessDenied = 5,
    kNotEnoughMemory = 8,
    kOutOfMemory = 14,
    kInvalidDrive = 15,
    kCurrentDirectory = 16,
    kNotSameDevice = 17,
    kWriteProtect = 19,
    kBadUnit = 20,
    kNotReady = 21,
    kCrc = 23,
    kSeek = 25,
    kSectorNotFound = 27,
    kWriteFault = 29,
    kReadFault = 30,
    kGenFailure = 31,
    kSharingViolation = 32,
    kLockViolation = 33,
    kHandleDiskFull = 39,
    kBadNetPath = 53,
    kDevNotExist = 55,
    kUnexpectedNetError = 59,
    kNetNameDeleted = 64,
    kBadNetName = 67,
    kFileExists = 80,
    kInvalidParameter = 87,
    kDiskFull = 112,
    kInvalidName = 123,
    kDirNotEmpty = 145,
    kPathBusy = 148,
    kBadPathname = 161,
    kBusy = 170,
    kAlreadyExists = 183,
    kFilenameExceedsRange = 206,
    kDirectoryName = 267,
    kIoDevice = 1117,
    kDiskQuotaExceeded = 1295,
};

}  // namespace win32
}  // namespace

RunError errorFromWin32(std::uint32_t code) {
    std::int32_t number = kPathFileAccessError;
    switch (code) {
        case win32::kFileNotFound:
            number = kFileNotFound;
            break;
        case win32::kPathNotFound:
            number = kPathNotFound;
            break;
        case win32::kFileExists:
        case win32::kAlreadyExists:
        case win32::kDirNotEmpty:
            number = kFileAlreadyExists;
            break;
        case win32::kAccessDenied:
        case win32::kSharingViolation:  // a file another program holds open: worth a retry
        case win32::kLockViolation:
            number = kPermissionDenied;
            break;
        case win32::kHandleDiskFull:
        case win32::kDiskFull:
        case win32::kDiskQuotaExceeded:
            number = kDiskFull;
            break;
        case win32::kCrc:
        case win32::kSeek:
        case win32::kSectorNotFound:
        case win32::kWriteFault:
        case win32::kReadFault:
        case win32::kGenFailure:
        case win32::kIoDevice:
            number = kDeviceIoError;
            break;
        case win32::kNotReady:
            number = kDiskNotReady;
            break;
        case win32::kInvalidDrive:
        case win32::kBadUnit:
        case win32::kDevNotExist:
        case win32::kBadNetPath:
        case win32::kBadNetName:
        case win32::kNetNameDeleted:
        case win32::kUnexpectedNetError:
            number = kDeviceUnavailable;
            break;
        case win32::kTooManyOpenFiles:
            number = kTooManyFiles;
            break;
        case win32::kNotSameDevice:
            number = kRenameAcrossDrives;
            break;
        case win32::kInvalidName:
        case win32::kBadPathname:
        case win32::kFilenameExceedsRange:
        case win32::kDirectoryName:
        case win32::kInvalidParameter:
            number = kBadFileName;
            break;
        case win32::kNotEnoughMemory:
        case win32::kOutOfMemory:
            number = kOutOfMemory;
            break;
        case win32::kWriteProtect:
        case win32::kCurrentDirectory:
        case win32::kPathBusy:
        case win32::kBusy:
        default:
            number = kPathFileAccessError;
            break;
    }
    return RunError(number);
}

RunError missingControlElement(int index) {
    return RunError(kControlArrayElementMissing,
                    "Control array element '" + std::to_string(index) + "' doesn't exist");
}

}  // namespace qm
