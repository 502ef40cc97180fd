#include "platform/RunError.h"

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
        case EDQUOT:
            number = kDiskFull;
            break;
        case EIO:
            number = kDeviceIoError;
            break;
        case ENOMEDIUM:
            number = kDiskNotReady;
            break;
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

RunError missingControlElement(int index) {
    return RunError(kControlArrayElementMissing,
                    "Control array element '" + std::to_string(index) + "' doesn't exist");
}

}  // namespace qm
