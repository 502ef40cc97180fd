#include "frame/bApplicationErrors.h"

#include "base/RunError.h"
#include "services/MessageBox.h"

namespace qm {

void bApplicationErrors::GetApplicationMessage(std::int32_t number, const std::string&,
                                               ErrorInfoRecord& info) {
    info.LogIt = false;
    const char* message = nullptr;
    switch (number) {
        case kNoFilesSelected:
            message = "No files are selected.";
            break;
        case kNoSearchText:
            message = "Please select text to replace.";
            break;
        case kIdenticalText:
            message = "You have chosen to replace text with identical text.";
            break;
        case kListCountMismatch:
            message =
                "There must be the same number of text strings to replace as there are "
                "replacements.";
            break;
        case kIllegalCharacters:
            message =
                "One or more characters entered are not legal for file names.\r\n"
                "These characters can not be used in file names:\r\n"
                "\r\n"
                "\\/*?\"<>|";
            break;
        default:
            return;
    }
    info.Message = message;
    info.Style = platform::kStyleOkCritical;
}

}  // namespace qm
