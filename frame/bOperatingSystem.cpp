#include "frame/bOperatingSystem.h"

#include "base/RunError.h"
#include "base/Text.h"
#include "frame/ErrorTail.h"
#include "frame/bFileHandler.h"

namespace qm {

namespace {

std::string cleanedFolder(std::string folder) {
    bFileHandler::TrimCharacter(folder, std::string(1, '\0'));
    folder = std::string(text::trimSpaces(folder));
    return folder.empty() ? folder : bFileHandler::QualifyPath(folder);
}

}  // namespace

bOperatingSystem::bOperatingSystem(const platform::SystemFacts& facts, ErrorReporter& errors)
    : m_facts(facts), m_errors(errors) {}

std::string bOperatingSystem::ReadComputerName() const {
    const auto name = m_facts.computerName();
    if (!name) {
        return "Unknown";
    }
    std::string cleaned = *name;
    bFileHandler::TrimCharacter(cleaned, std::string(1, '\0'));
    return std::string(text::trimSpaces(cleaned));
}

std::string bOperatingSystem::machineNameFrom(const std::string& name) {
    return text::trimSpaces(name).empty() ? "Unknown" : name;
}

std::string bOperatingSystem::GetOS(const platform::SystemInformation* info) const {
    try {
        if (info == nullptr) {
            throw RunError(kObjectNotSet);
        }
        const std::string versionAndBuild = info->osVersion() + "(" + info->osBuild() + ")";
        switch (info->osPlatform()) {
            case 1:
                return "Windows 95, ver. " + versionAndBuild;
            case 2:
                return "Windows NT, ver. " + versionAndBuild;
            default:
                break;
        }
        return info->osName().empty() ? std::string()
                                      : info->osName() + ", ver. " + versionAndBuild;
    } catch (const std::exception& e) {
        logError(m_errors, e, "", "bOperatingSystem.GetOS");
        return {};
    }
}

std::string bOperatingSystem::GetWindowsFolder() const {
    return cleanedFolder(m_facts.osFolder());
}

std::string bOperatingSystem::GetSystemFolder() const {
    return cleanedFolder(m_facts.osLibraryFolder());
}

}  // namespace qm
