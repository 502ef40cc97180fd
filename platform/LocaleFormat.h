// Dates, times and numbers in the user's locale formats: long date, long time, general date
// (short date then long time), whole numbers grouped in thousands, fixed decimals.
#pragma once

#include <cstdint>
#include <locale>
#include <string>

#include "platform/Clock.h"

namespace qm::platform {

class LocaleFormat {
  public:
    // The user's locale (LC_ALL/LC_TIME/LC_NUMERIC as the environment sets them).
    LocaleFormat();
    explicit LocaleFormat(const std::locale& locale);

    std::string longDate(TimePoint t) const;     // "Sunday, 06 December 2026"
    std::string longTime(TimePoint t) const;     // the locale's time, seconds included
    std::string generalDate(TimePoint t) const;  // short date, a space, long time
    std::string timeOfDay(TimePoint t) const;    // "14:03:27" in every locale

    // "#,##0": whole number grouped in thousands.
    std::string grouped(std::uint64_t value) const;
    // "0.00" and the like: `decimals` places, rounded, no grouping.
    std::string fixed(double value, int decimals) const;

  private:
    std::string format(TimePoint t, const char* pattern) const;

    std::locale m_locale;
    std::string m_decimalPoint;
    std::string m_thousandsSeparator;
};

}  // namespace qm::platform
