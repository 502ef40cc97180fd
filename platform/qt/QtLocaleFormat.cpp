#include "platform/qt/QtLocaleFormat.h"

#include <QDateTime>

#include "platform/qt/QtText.h"

namespace qm::platform {

namespace {

// `pattern` with every run of the field letter `field` outside quoted text replaced by
// `replacement`.
QString replaceField(const QString& pattern, QChar field, const QString& replacement) {
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        } else if (!quoted && c == field) {
            while (i + 1 < pattern.size() && pattern[i + 1] == field) {
                ++i;
            }
            out += replacement;
            continue;
        }
        out += c;
    }
    return out;
}

QDateTime localDateTime(TimePoint t) {
    return QDateTime::fromSecsSinceEpoch(std::chrono::system_clock::to_time_t(t));
}

}  // namespace

QtLocaleFormat::QtLocaleFormat() : QtLocaleFormat(QLocale::system()) {}

QtLocaleFormat::QtLocaleFormat(const QLocale& locale)
    : m_locale(locale),
      m_longTime(replaceField(locale.timeFormat(QLocale::LongFormat), QLatin1Char('t'), QString())
                     .trimmed()),
      m_shortDate(replaceField(locale.dateFormat(QLocale::ShortFormat), QLatin1Char('y'),
                               QStringLiteral("yyyy"))) {}

std::string QtLocaleFormat::longDate(TimePoint t) const {
    return fromQString(m_locale.toString(localDateTime(t).date(), QLocale::LongFormat));
}

std::string QtLocaleFormat::longTime(TimePoint t) const {
    return fromQString(m_locale.toString(localDateTime(t).time(), m_longTime));
}

std::string QtLocaleFormat::generalDate(TimePoint t) const {
    const QDateTime when = localDateTime(t);
    return fromQString(m_locale.toString(when.date(), m_shortDate) + QLatin1Char(' ') +
                       m_locale.toString(when.time(), m_longTime));
}

}  // namespace qm::platform
