// The user's date, time and number formats as Windows keeps them: GetDateFormatEx with the long
// and the short date (its year always in four digits), GetTimeFormatEx with the long time,
// GetNumberFormatEx with the locale's separators and grouping.
#pragma once

#include <optional>
#include <string>

#include "services/LocaleFormat.h"

namespace qm::platform {

// A date picture ("M/d/yy") with every year of fewer than four digits in four ("M/d/yyyy");
// quoted text stays as it is.
std::wstring withFourDigitYears(const std::wstring& picture);

class Win32LocaleFormat : public LocaleFormat {
  public:
    // The user's formats.
    Win32LocaleFormat();
    // A named locale's formats ("de-DE"); the user's when the system does not know it.
    explicit Win32LocaleFormat(const std::string& localeName);

    std::string longDate(TimePoint t) const override;
    std::string longTime(TimePoint t) const override;
    std::string generalDate(TimePoint t) const override;
    std::string grouped(std::uint64_t value) const override;
    std::string fixed(double value, int decimals) const override;

  private:
    const wchar_t* locale() const;
    std::string number(const std::string& digits, int decimals, bool grouping) const;

    std::optional<std::wstring> m_locale;  // nullopt: the user's
};

}  // namespace qm::platform
