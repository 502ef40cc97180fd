#include "mainwindow/CasePreferences.h"

#include <string>

#include "frame/NumberText.h"

namespace qm {

namespace {

constexpr const char* kSection = "Preferences";
constexpr const char* kFilenameCaseKey = "Filename Case";
constexpr const char* kExtensionCaseKey = "Extension Case";

}  // namespace

std::int32_t CasePreferences::GetFilenameCase() {
    return integerFromText(m_registry.GetSetting(kSection, kFilenameCaseKey, "0"));
}

std::int32_t CasePreferences::GetExtensionCase() {
    return integerFromText(m_registry.GetSetting(kSection, kExtensionCaseKey, "0"));
}

void CasePreferences::SaveFilenameCase(int index) {
    m_registry.SaveSetting(kSection, kFilenameCaseKey, std::to_string(index));
}

void CasePreferences::SaveExtensionCase(int index) {
    m_registry.SaveSetting(kSection, kExtensionCaseKey, std::to_string(index));
}

}  // namespace qm
