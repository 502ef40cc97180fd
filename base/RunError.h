// The program's one error type: a run-time error number with its description. Every failure
// travels as a RunError until an event handler's error tail hands it to HandleError.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace qm {

// Run-time error numbers the program meets (the classic numbering of file, drive and device
// failures) and the program's own input errors.
enum ErrorNumber : std::int32_t {
    kInvalidProcedureCall = 5,
    kOverflow = 6,
    kOutOfMemory = 7,
    kTypeMismatch = 13,
    kNoAssociation = 31,  // the desktop has no program to open a file (the shell's own number)
    kInternalError = 51,
    kBadFileName = 52,
    kFileNotFound = 53,
    kBadFileMode = 54,
    kFileAlreadyOpen = 55,
    kDeviceIoError = 57,
    kFileAlreadyExists = 58,
    kDiskFull = 61,
    kInputPastEnd = 62,
    kTooManyFiles = 67,
    kDeviceUnavailable = 68,
    kPermissionDenied = 70,
    kDiskNotReady = 71,
    kRenameAcrossDrives = 74,
    kPathFileAccessError = 75,
    kPathNotFound = 76,
    kObjectNotSet = 91,
    kControlArrayElementMissing = 340,
    kPrinterError = 482,
    kNoFilesSelected = 40514,
    kNoSearchText = 40515,
    kIdenticalText = 40516,
    kListCountMismatch = 40517,
    kIllegalCharacters = 40518,
};

class RunError : public std::runtime_error {
  public:
    RunError(std::int32_t number, const std::string& description)
        : std::runtime_error(description), m_number(number) {}
    // An error with the standard description of its number.
    explicit RunError(std::int32_t number) : RunError(number, standardDescription(number)) {}

    std::int32_t number() const { return m_number; }
    std::string description() const { return what(); }

    // The run-time's own description of a number ("File not found"); "Application-defined or
    // object-defined error" for numbers without one.
    static std::string standardDescription(std::int32_t number);

  private:
    std::int32_t m_number;
};

// Which object an ENOENT concerns: the file itself (53) or a folder on the way to it (76).
enum class MissingIs { File, Path };

// Maps a POSIX errno to the program's number and description, in this one table only.
RunError errorFromErrno(int errnoValue, MissingIs missing = MissingIs::File);

// The same for a Windows system error code (GetLastError), in the table beside it. Windows tells
// a missing file (53) from a missing folder on the way (76) itself.
RunError errorFromWin32(std::uint32_t code);

// "Control array element 'N' doesn't exist" for an option index that names no option.
RunError missingControlElement(int index);

}  // namespace qm
