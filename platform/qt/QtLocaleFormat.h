// Dates and times in the user's own formats as Qt knows them: the locale's long date, its long
// time (without the time zone, as a log line has no room for it) and its short date with the
// year always in four digits. Numbers stay with the C++ locale of the base class.
#pragma once

#include <QLocale>
#include <QString>

#include "services/LocaleFormat.h"

namespace qm::platform {

class QtLocaleFormat : public LocaleFormat {
  public:
    // The user's locale as the environment sets it.
    QtLocaleFormat();
    explicit QtLocaleFormat(const QLocale& locale);

    std::string longDate(TimePoint t) const override;
    std::string longTime(TimePoint t) const override;
    std::string generalDate(TimePoint t) const override;

  private:
    QLocale m_locale;
    QString m_longTime;   // the locale's long time pattern without the time zone
    QString m_shortDate;  // the locale's short date pattern with a four-digit year
};

}  // namespace qm::platform
