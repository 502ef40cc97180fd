#include "sysinfo/AboutInfo.h"

#include <chrono>
#include <cmath>

#include "base/RunError.h"
#include "frame/ErrorTail.h"

namespace qm {

namespace {

constexpr const char* kCrLf = "\r\n";

long long wholePixels(double twips, double twipsPerPixel) {
    const long long divisor = std::llround(twipsPerPixel);
    if (divisor == 0) {
        throw RunError(11, "Division by zero");
    }
    return std::llround(twips) / divisor;
}

}  // namespace

std::string GetAboutInfo(CDriveInfo& drive, const platform::SystemInformation* systemInfo,
                         const AboutSources& sources) {
    try {
        if (systemInfo == nullptr) {
            throw RunError(kObjectNotSet);
        }
        const std::string programFile = sources.identity.shownProgramFile();
        std::string text = programFile + kCrLf;
        text += AppIdentity::GetVersionString();
        const auto info =
            sources.files.isFile(programFile) ? sources.files.info(programFile) : std::nullopt;
        if (info) {
            const auto modified = std::chrono::system_clock::from_time_t(
                static_cast<std::time_t>(info->modifiedSeconds));
            text += "   Compile Date: " + sources.format.generalDate(modified);
        } else {
            text += "   Compile Date: Unknown";
        }
        text += std::string(kCrLf) + kCrLf;
        const platform::SystemWording wording = sources.os.wording();
        text += wording.application + kCrLf + kCrLf;
        text +=
            "Screen Resolution: " +
            std::to_string(wholePixels(systemInfo->workAreaWidth(), systemInfo->twipsPerPixelX())) +
            " X " +
            std::to_string(
                wholePixels(systemInfo->workAreaHeight(), systemInfo->twipsPerPixelY())) +
            kCrLf;
        text += sources.os.GetOS(systemInfo) + kCrLf;
        text += wording.osFolderLabel + ": " + sources.os.GetWindowsFolder() + kCrLf;
        text += wording.osLibraryFolderLabel + ": " + sources.os.GetSystemFolder() + kCrLf + kCrLf;
        if (drive.Present()) {
            text += "Volume Label: " + drive.Label() +
                    "  Serial number: " + drive.SerialNumberEx() + kCrLf;
            text +=
                "Total Space: " + drive.FormatSize(drive.TotalSpace(), SizeDisplay::Long) + kCrLf;
            text +=
                "Available Space: " + drive.FormatSize(drive.AvailableSpace(), SizeDisplay::Long) +
                kCrLf;
            text += "Maximum Filename Length: " + std::to_string(drive.MaxFilenameLength()) + kCrLf;
            text += "File System: " + drive.FileSystem() + kCrLf;
            text += "Drive Type: " + sources.driveKinds.GetDriveTypeName(drive.Drive()) + kCrLf;
            text += "Compressed Drive: " + drive.FileSystemFlag(platform::kFlagVolumeIsCompressed);
        } else {
            text += "Drive Type: " + sources.driveKinds.GetDriveTypeName(drive.Drive()) + kCrLf;
            switch (drive.DriveTypeName()) {
                case platform::kDriveNoRootDir:
                    text += "[Drive Not Mapped]";
                    break;
                case platform::kDriveRemovable:
                    text += "[Disk Not Present]";
                    break;
                case platform::kDriveCdRom:
                    text += "[Disc Not Present]";
                    break;
                default:
                    break;
            }
        }
        return text;
    } catch (const std::exception& e) {
        logError(sources.errors, e, "", "bApplication_GetAboutInfo");
        return {};
    }
}

}  // namespace qm
