// Dates, times and numbers in the user's locale formats: long date, long time, general date
// (short date then long time, the year always in four digits), whole numbers grouped in
// thousands, fixed decimals. This class formats through a C++ locale (the environment's on
// POSIX); a toolkit or a platform that keeps the user's own formats elsewhere (Windows) overrides
// the locale-dependent members.
#pragma once

#include <cstdint>
#include <ctime>
#include <locale>
#include <string>

#include "services/Clock.h"

namespace qm::platform {

class LocaleFormat {
  public:
    // The user's locale (LC_ALL/LC_TIME/LC_NUMERIC as the environment sets them).
    LocaleFormat();
    explicit LocaleFormat(const std::locale& locale);
    virtual ~LocaleFormat() = default;

    virtual std::string longDate(TimePoint t) const;     // "Sunday, 06 December 2026"
    virtual std::string longTime(TimePoint t) const;     // the locale's time, seconds included
    virtual std::string generalDate(TimePoint t) const;  // short date, a space, long time
    std::string timeOfDay(TimePoint t) const;            // "14:03:27" in every locale

    // "#,##0": whole number grouped in thousands.
    virtual std::string grouped(std::uint64_t value) const;
    // "0.00" and the like: `decimals` places, rounded, no grouping.
    virtual std::string fixed(double value, int decimals) const;

  protected:
    // The local calendar time of `t` in the system's time zone.
    static std::tm localTime(TimePoint t);

  private:
    std::string format(const std::tm& local, const char* pattern) const;
    std::string format(TimePoint t, const char* pattern) const;
    // The locale's short date with the year in four digits.
    std::string shortDate(TimePoint t) const;

    std::locale m_locale;
    std::string m_decimalPoint;
    std::string m_thousandsSeparator;
};

}  // namespace qm::platform
