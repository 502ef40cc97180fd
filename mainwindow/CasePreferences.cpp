#include "mainwindow/CasePreferences.h"

#include <string>

#include "frame/NumberText.h"

namespace qm {

namespace {

constexpr const char* kSection = "Preferences";
constexpr const char* kFilenameCaseKey = "Filename Case";
constexpr const char* kExtensionCaseKey = "Extension Case";

}  // namespace

std::int32_t CasePreferences::read(const char* key, Remembered& remembered) {
    const std::uint64_t revision = m_registry.revision();
    if (!remembered.valid || remembered.revision != revision) {
        remembered.valid = false;
        remembered.value = integerFromText(m_registry.GetSetting(kSection, key, "0"));
        remembered.revision = revision;
        remembered.valid = true;
    }
    return remembered.value;
}

std::int32_t CasePreferences::GetFilenameCase() {
    return read(kFilenameCaseKey, m_filenameCase);
}

std::int32_t CasePreferences::GetExtensionCase() {
    return read(kExtensionCaseKey, m_extensionCase);
}

void CasePreferences::SaveFilenameCase(int index) {
    m_registry.SaveSetting(kSection, kFilenameCaseKey, std::to_string(index));
}

void CasePreferences::SaveExtensionCase(int index) {
    m_registry.SaveSetting(kSection, kExtensionCaseKey, std::to_string(index));
}

}  // namespace qm
