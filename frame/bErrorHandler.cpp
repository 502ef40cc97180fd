#include "frame/bErrorHandler.h"

#include <cmath>

#include "base/LogText.h"
#include "base/RunError.h"
#include "frame/ErrorTail.h"
#include "frame/bFileHandler.h"
#include "services/FileSystem.h"
#include "services/LocaleFormat.h"
#include "services/MessageBox.h"
#include "services/Shell.h"

namespace qm {

namespace {

const std::string kUnderscores(60, '_');

// The message and style of the numbers that have their own.
void chooseMessage(std::int32_t number, const std::string& description,
                   const std::string& fileObject, ErrorInfoRecord& info) {
    using namespace platform;
    const std::string quoted = "\"" + fileObject + "\"";
    switch (number) {
        case kBadFileName:
            info.Message = "Bad file name or number.";
            info.Style = kStyleRetryCancelCritical;
            if (description != RunError::standardDescription(kBadFileName)) {
                // A name the file system refuses, and why: no Retry could change that.
                info.Message += "\r\n" + description;
                info.Style = kStyleOkCritical;
            }
            return;
        case kFileNotFound:
            info.Message = "File " + quoted + " not found.";
            break;
        case kBadFileMode:
            info.Message = "Can't open file " + quoted + " for access.";
            break;
        case kFileAlreadyOpen:
            info.Message = "This file is already open.";
            break;
        case kDeviceIoError:
            info.Message = "Internal Disk Error.";
            break;
        case kDiskFull:
            info.Message = "Disk is full.  Free some disk space and try again.";
            break;
        case kInputPastEnd:
            info.Message =
                "This file has a non-standard end-of-file marker, or an attempt was made to read "
                "beyond the end-of-file marker.";
            break;
        case kDeviceUnavailable:
            info.Message = "Device is currently unavailable.";
            break;
        case kPermissionDenied:
            info.Message = description + "\r\nTry again?";
            break;
        case kDiskNotReady:
            info.Message =
                "There appears to be no disk in the drive.\r\nInsert a disk in the drive and close "
                "the drive door.";
            break;
        case kPathFileAccessError:
            info.Message =
                "Could not access path. The drive or path specified is not available for the "
                "requested operation.";
            break;
        case kPathNotFound:
            info.Message = "The specified path does not exist.";
            break;
        case kPrinterError:
            info.Message = "An error has occurred with your printer.";
            break;
        default:
            if (number >= 2000 && number <= 4000) {
                return;  // the description, with the exclamation icon
            }
            if (number >= 40000) {
                bApplicationErrors::GetApplicationMessage(number, fileObject, info);
                return;
            }
            info.Style = kStyleOkInformation;
            return;
    }
    info.Style = kStyleRetryCancel;
}

}  // namespace

bErrorHandler::bErrorHandler(platform::Services& services, const AppState& state,
                             const AppIdentity& identity)
    : m_services(services), m_state(state), m_log(services.files, identity) {}

platform::MessageResult bErrorHandler::HandleError(const std::string& description,
                                                   std::int32_t number,
                                                   const std::string& fileObject,
                                                   const std::string& source) {
    const auto record = [&](const std::string& object) {
        ErrorInfoRecord info{number, "", platform::kStyleOkExclamation, true};
        chooseMessage(number, description, object, info);
        if (info.Message.empty()) {
            info.Message = description;
        }
        return info;
    };
    m_errorInfo = record(fileObject);
    const platform::MessageResult answer =
        m_services.messages.show(m_errorInfo.Message, m_errorInfo.Style,
                                 m_state.AppTitle + ": Error " + std::to_string(number));
    if (m_errorInfo.LogIt) {
        // A message that quotes the file object quotes it in the form the log holds names in.
        const std::string logged = logName(fileObject);
        LogError(logged == fileObject ? m_errorInfo.Message : record(logged).Message, number,
                 fileObject, source);
    }
    return answer;
}

void bErrorHandler::LogError(const std::string& message, std::int32_t number,
                             const std::string& fileObject, const std::string& source) {
    std::string entry;
    try {
        entry = "     " + message + ", error number: " + std::to_string(number) + " occurred in " +
                source + " on machine " + logName(m_state.MachineName) + " on " +
                m_services.format.generalDate(m_services.clock.now()) + ".  " + m_state.AppTitle +
                " " + AppIdentity::GetVersionString() + kCrLf +
                "Associated file object: " + logName(fileObject) + kCrLf;
        if (!m_log.exists()) {
            CreateLogFile();
        }
        m_log.append(entry);
    } catch (const std::exception&) {
        // The log is the last resort: an entry that cannot be written is never reported; it
        // waits for the next write that gets through (another program may hold the file). When
        // not even that memory is there, it is lost.
        bestEffort([&] {
            if (!entry.empty()) {
                m_log.keep(entry);
            }
        });
    }
}

void bErrorHandler::CreateLogFile() {
    try {
        const std::string header =
            logName(m_log.path()) +
            " logs system and critical application errors.  Entries are logged chronologically "
            "from the beginning to the end of the file.  "
            "This file will grow very large over time and should be purged periodically.  "
            "If you are having problems using " +
            m_state.AppTitle + ", please attach a copy of this file " +
            "to an e-mail and send it to the developer, " + kContactAddress + kCrLf + kCrLf +
            kUnderscores + kCrLf + kCrLf;
        // Published whole or not at all; another instance that created it first keeps its file.
        m_log.create(header);
    } catch (const std::exception&) {
        // As for LogError: the log cannot report its own failure; the entries that follow say
        // what they can.
    }
}

std::string bErrorHandler::sessionLine(const char* what, platform::TimePoint when) const {
    return std::string("Session ") + what + " on machine " + logName(m_state.MachineName) + ":   " +
           m_services.format.longDate(when) + " @" + m_services.format.longTime(when);
}

void bErrorHandler::OpenLogFile() {
    try {
        CheckLogFileSize();
        if (!m_log.exists()) {
            CreateLogFile();
        }
        m_log.append(sessionLine("started", m_state.AppStartTime) + kCrLf + kCrLf);
    } catch (const std::exception& e) {
        logError(*this, e, m_log.path(), "bErrorHandler.OpenLogFile");
    }
}

void bErrorHandler::CloseLogFile() {
    try {
        m_log.append(sessionLine("ended", m_services.clock.now()) + kCrLf + kUnderscores + kCrLf);
    } catch (const std::exception& e) {
        logError(*this, e, m_log.path(), "bErrorHandler.CloseLogFile");
    }
}

void bErrorHandler::CheckLogFileSize() {
    const std::string path = m_log.path();
    try {
        const auto info =
            m_services.files.isFile(path) ? m_services.files.info(path) : std::nullopt;
        const std::uint64_t size = info ? info->size : 0;
        if (size < kLogSizeWarning) {
            return;
        }
        const std::string& title = m_state.AppTitle;
        const long long kilobytes = std::llround(static_cast<double>(size) / 1000.0);
        const std::string text =
            "The " + title + " log file:  " + path + "\r\n\r\nhas reached " +
            std::to_string(kilobytes) + " Kb in size.  If " + title +
            " does not seem to be working properly you should attach this file to an e-mail and "
            "send it to the Author (See E-mail Author in the Help menu).\r\n\r\n" +
            title +
            " can delete this file now to free space on your hard drive.  A new log file will be "
            "generated next time you start the application.\r\n\r\nIf you would like to view the "
            "contents of this file, click \"No\" to cancel this dialog and select View Log File "
            "from the View Menu.\r\n\r\nWould you like to delete the file now?";
        if (m_services.messages.show(text, platform::kStyleYesNoQuestion, title) !=
            platform::MessageResult::No) {
            bFileHandler(m_services.files, m_services.trash, *this).ShellDelete({path});
        }
    } catch (const std::exception& e) {
        m_services.messages.show(asRunError(e).description(), platform::kStyleOk, m_state.AppTitle);
    }
}

void bErrorHandler::ViewLogFile() {
    try {
        if (!m_services.shell.execute("open", m_log.path())) {
            throw RunError(kNoAssociation);
        }
    } catch (const std::exception& e) {
        m_services.messages.show(asRunError(e).description(), platform::kStyleOk, m_state.AppTitle);
    }
}

}  // namespace qm
