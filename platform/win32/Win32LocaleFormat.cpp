#include "platform/win32/Win32LocaleFormat.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "base/Utf16.h"
#include "platform/win32/Win32Path.h"

namespace qm::platform {

namespace {

SYSTEMTIME systemTimeOf(const std::tm& local) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(local.tm_year + 1900);
    time.wMonth = static_cast<WORD>(local.tm_mon + 1);
    time.wDayOfWeek = static_cast<WORD>(local.tm_wday);
    time.wDay = static_cast<WORD>(local.tm_mday);
    time.wHour = static_cast<WORD>(local.tm_hour);
    time.wMinute = static_cast<WORD>(local.tm_min);
    time.wSecond = static_cast<WORD>(local.tm_sec);
    return time;
}

// A text the NLS functions write: asked for its length first, then written.
template <typename Call>
std::string nlsText(Call call) {
    const int length = call(nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring buffer(static_cast<std::size_t>(length), L'\0');
    if (call(buffer.data(), length) <= 0) {
        return {};
    }
    return narrowText(buffer.c_str());
}

std::wstring localeText(const wchar_t* locale, LCTYPE item) {
    wchar_t buffer[16] = {};
    return ::GetLocaleInfoEx(locale, item, buffer, 16) > 0 ? buffer : L"";
}

// The locale's grouping ("3;0", "3;2;0") as the number NUMBERFMTW wants (3, 32).
UINT groupingOf(const std::wstring& grouping) {
    std::wstring digits;
    for (const wchar_t c : grouping) {
        if (c >= L'0' && c <= L'9') {
            digits.push_back(c);
        }
    }
    if (!digits.empty() && digits.back() == L'0' && grouping.size() > 1) {
        digits.pop_back();  // "3;0": the last group repeats
    } else {
        digits.push_back(L'0');  // "3": one group, the rest unbroken
    }
    return digits.empty() ? 3 : static_cast<UINT>(std::stoul(digits));
}

}  // namespace

std::wstring withFourDigitYears(const std::wstring& picture) {
    std::wstring out;
    bool quoted = false;
    for (std::size_t i = 0; i < picture.size();) {
        if (picture[i] == L'\'') {
            quoted = !quoted;
        }
        if (quoted || picture[i] != L'y') {
            out.push_back(picture[i++]);
            continue;
        }
        std::size_t run = 0;
        while (i < picture.size() && picture[i] == L'y') {
            ++run, ++i;
        }
        out.append(std::max<std::size_t>(run, 4), L'y');
    }
    return out;
}

Win32LocaleFormat::Win32LocaleFormat() : LocaleFormat(std::locale::classic()) {}

Win32LocaleFormat::Win32LocaleFormat(const std::string& localeName)
    : LocaleFormat(std::locale::classic()) {
    if (const auto name = text::toUtf16(localeName); name && ::IsValidLocaleName(name->c_str())) {
        m_locale = *name;
    }
}

const wchar_t* Win32LocaleFormat::locale() const {
    return m_locale ? m_locale->c_str() : LOCALE_NAME_USER_DEFAULT;
}

std::string Win32LocaleFormat::longDate(TimePoint t) const {
    const SYSTEMTIME time = systemTimeOf(localTime(t));
    return nlsText([&](wchar_t* out, int size) {
        return ::GetDateFormatEx(locale(), DATE_LONGDATE, &time, nullptr, out, size, nullptr);
    });
}

std::string Win32LocaleFormat::longTime(TimePoint t) const {
    const SYSTEMTIME time = systemTimeOf(localTime(t));
    return nlsText([&](wchar_t* out, int size) {
        return ::GetTimeFormatEx(locale(), 0, &time, nullptr, out, size);
    });
}

std::string Win32LocaleFormat::generalDate(TimePoint t) const {
    const SYSTEMTIME time = systemTimeOf(localTime(t));
    wchar_t picture[80] = {};
    if (::GetLocaleInfoEx(locale(), LOCALE_SSHORTDATE, picture, 80) <= 0) {
        return LocaleFormat::generalDate(t);
    }
    const std::wstring shortDate = withFourDigitYears(picture);
    return nlsText([&](wchar_t* out, int size) {
               return ::GetDateFormatEx(locale(), 0, &time, shortDate.c_str(), out, size, nullptr);
           }) +
           " " + longTime(t);
}

std::string Win32LocaleFormat::number(const std::string& digits, int decimals,
                                      bool grouping) const {
    std::wstring decimalSeparator = localeText(locale(), LOCALE_SDECIMAL);
    std::wstring thousandsSeparator = localeText(locale(), LOCALE_STHOUSAND);
    NUMBERFMTW format{};
    format.NumDigits = static_cast<UINT>(decimals);
    format.LeadingZero = 1;
    format.Grouping = grouping ? groupingOf(localeText(locale(), LOCALE_SGROUPING)) : 0;
    format.lpDecimalSep = decimalSeparator.data();
    format.lpThousandSep = thousandsSeparator.data();
    format.NegativeOrder = 1;
    const std::wstring value(digits.begin(), digits.end());
    const std::string text = nlsText([&](wchar_t* out, int size) {
        return ::GetNumberFormatEx(locale(), 0, value.c_str(), &format, out, size);
    });
    return text.empty() ? digits : text;
}

std::string Win32LocaleFormat::grouped(std::uint64_t value) const {
    return number(std::to_string(value), 0, true);
}

std::string Win32LocaleFormat::fixed(double value, int decimals) const {
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.*f", decimals, value);
    return number(digits, decimals, false);
}

}  // namespace qm::platform
