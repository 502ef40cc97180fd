#include "platform/win32/Win32CaseRules.h"

#include <windows.h>

#include "base/Utf16.h"

namespace qm::platform {

std::shared_ptr<const Win32CaseRules> Win32CaseRules::user() {
    return std::shared_ptr<const Win32CaseRules>(new Win32CaseRules(std::nullopt));
}

std::shared_ptr<const Win32CaseRules> Win32CaseRules::invariant() {
    return std::shared_ptr<const Win32CaseRules>(new Win32CaseRules(std::wstring()));
}

std::shared_ptr<const Win32CaseRules> Win32CaseRules::named(const std::string& localeName) {
    const auto name = text::toUtf16(localeName);
    if (!name || !::IsValidLocaleName(name->c_str())) {
        return nullptr;
    }
    return std::shared_ptr<const Win32CaseRules>(new Win32CaseRules(*name));
}

text::Char Win32CaseRules::map(text::Char c, unsigned long flags) const {
    std::string utf8;
    text::append(utf8, c);
    const auto units = text::toUtf16(utf8);
    if (!units) {
        return c;
    }
    wchar_t mapped[8] = {};
    const int length = ::LCMapStringEx(
        m_locale ? m_locale->c_str() : LOCALE_NAME_USER_DEFAULT, flags | LCMAP_LINGUISTIC_CASING,
        units->c_str(), static_cast<int>(units->size()), mapped, 8, nullptr, nullptr, 0);
    if (length <= 0) {
        return c;
    }
    const std::string result = text::fromUtf16({mapped, static_cast<std::size_t>(length)});
    std::size_t used = 0;
    const text::Char single = result.empty() ? c : text::decodeAt(result, 0, used);
    return used == result.size() && !text::isRawByte(single) ? single : c;
}

text::Char Win32CaseRules::lower(text::Char c) const {
    return map(c, LCMAP_LOWERCASE);
}

text::Char Win32CaseRules::upper(text::Char c) const {
    return map(c, LCMAP_UPPERCASE);
}

}  // namespace qm::platform
