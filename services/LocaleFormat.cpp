#include "services/LocaleFormat.h"

#include <time.h>

#include <cmath>
#include <cstdio>
#include <iomanip>
#include <sstream>

#include "base/Text.h"

namespace qm::platform {

namespace {

std::locale environmentLocale() {
    try {
        return std::locale("");
    } catch (const std::runtime_error&) {
        return std::locale::classic();
    }
}

std::string utf8(wchar_t c) {
    std::string out;
    text::append(out, static_cast<text::Char>(c));
    return out;
}

}  // namespace

LocaleFormat::LocaleFormat() : LocaleFormat(environmentLocale()) {}

LocaleFormat::LocaleFormat(const std::locale& locale) : m_locale(locale) {
    const auto& punct = std::use_facet<std::numpunct<wchar_t>>(m_locale);
    m_decimalPoint = utf8(punct.decimal_point());
    // A locale without grouping (C, POSIX) still shows byte counts grouped, with commas.
    m_thousandsSeparator = punct.grouping().empty() ? "," : utf8(punct.thousands_sep());
}

std::string LocaleFormat::format(const std::tm& local, const char* pattern) const {
    std::ostringstream out;
    out.imbue(m_locale);
    out << std::put_time(&local, pattern);
    return out.str();
}

std::tm LocaleFormat::localTime(TimePoint t) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(t);
    std::tm local{};
#ifdef _WIN32
    ::localtime_s(&local, &seconds);
#else
    ::localtime_r(&seconds, &local);
#endif
    return local;
}

std::string LocaleFormat::format(TimePoint t, const char* pattern) const {
    return format(localTime(t), pattern);
}

std::string LocaleFormat::shortDate(TimePoint t) const {
    const std::tm local = localTime(t);
    std::string date = format(local, "%x");
    // Some locales (C among them) write the year in two digits, and a C++ locale does not tell
    // its pattern. The year's place is where the text changes when only the year moves on by
    // eleven, which changes both of its last digits; a two-digit number there becomes the year.
    std::tm later = local;
    later.tm_year += 11;
    const std::string moved = format(later, "%x");
    if (moved.size() != date.size()) {
        return date;
    }
    std::size_t first = 0;
    while (first < date.size() && date[first] == moved[first]) {
        ++first;
    }
    if (first == date.size()) {
        return date;
    }
    std::size_t end = date.size();
    while (date[end - 1] == moved[end - 1]) {
        --end;
    }
    const auto digit = [&](std::size_t i) { return date[i] >= '0' && date[i] <= '9'; };
    while (first > 0 && digit(first - 1)) {
        --first;
    }
    while (end < date.size() && digit(end)) {
        ++end;
    }
    if (end - first == 2) {
        date.replace(first, 2, std::to_string(local.tm_year + 1900));
    }
    return date;
}

std::string LocaleFormat::longDate(TimePoint t) const {
    return format(t, "%A, %d %B %Y");
}

std::string LocaleFormat::longTime(TimePoint t) const {
    return format(t, "%X");
}

std::string LocaleFormat::generalDate(TimePoint t) const {
    return shortDate(t) + " " + longTime(t);
}

std::string LocaleFormat::timeOfDay(TimePoint t) const {
    // Written for every file a run renames: the text is made once per second.
    const std::time_t seconds = std::chrono::system_clock::to_time_t(t);
    thread_local std::time_t lastSeconds = -1;
    thread_local std::string lastText;
    if (seconds != lastSeconds) {
        const std::tm local = localTime(t);
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", local.tm_hour, local.tm_min,
                      local.tm_sec);
        lastText = text;
        lastSeconds = seconds;
    }
    return lastText;
}

std::string LocaleFormat::grouped(std::uint64_t value) const {
    const std::string digits = std::to_string(value);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += m_thousandsSeparator;
        }
        out += digits[i];
    }
    return out;
}

std::string LocaleFormat::fixed(double value, int decimals) const {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string out(buffer);
    if (const auto dot = out.find('.'); dot != std::string::npos) {
        out.replace(dot, 1, m_decimalPoint);
    }
    return out;
}

}  // namespace qm::platform
