#include "frame/NumberText.h"

#include <string>

#include "base/RunError.h"

namespace qm {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isSpace(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::int32_t integerFromText(std::string_view text) {
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // The number is digits x 10^exponent, kept exactly: no floating point, so that 0.5 and
    // 2147483647.5 round the same way however they are written.
    std::string digits;
    std::int64_t exponent = 0;
    bool anyDigit = false;
    for (; pos < text.size() && isDigit(text[pos]); ++pos) {
        digits.push_back(text[pos]);
        anyDigit = true;
    }
    if (pos < text.size() && text[pos] == '.') {
        for (++pos; pos < text.size() && isDigit(text[pos]); ++pos) {
            digits.push_back(text[pos]);
            --exponent;
            anyDigit = true;
        }
    }
    if (!anyDigit) {
        throw RunError(kTypeMismatch);
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        bool negativeExponent = false;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            negativeExponent = text[pos] == '-';
            ++pos;
        }
        if (pos >= text.size() || !isDigit(text[pos])) {
            throw RunError(kTypeMismatch);
        }
        std::int64_t value = 0;
        for (; pos < text.size() && isDigit(text[pos]); ++pos) {
            // Anything past this is far outside 32 bits (or far below one half) already.
            if (value < 1'000'000'000) {
                value = value * 10 + (text[pos] - '0');
            }
        }
        exponent += negativeExponent ? -value : value;
    }
    if (pos != text.size()) {
        throw RunError(kTypeMismatch);
    }
    const auto firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos) {
        return 0;
    }
    digits.erase(0, firstNonZero);
    // Digits before the decimal point; more than ten cannot fit 32 bits.
    const std::int64_t wholeDigits = static_cast<std::int64_t>(digits.size()) + exponent;
    if (wholeDigits > 10) {
        throw RunError(kOverflow);
    }
    std::uint64_t magnitude = 0;
    for (std::int64_t i = 0; i < wholeDigits; ++i) {
        const auto at = static_cast<std::size_t>(i);
        magnitude = magnitude * 10 + (at < digits.size() ? digits[at] - '0' : 0);
    }
    if (wholeDigits >= 0 && static_cast<std::size_t>(wholeDigits) < digits.size()) {
        const auto first = static_cast<std::size_t>(wholeDigits);
        const char roundingDigit = digits[first];
        const bool beyondHalf = digits.find_first_not_of('0', first + 1) != std::string::npos;
        if (roundingDigit > '5' || (roundingDigit == '5' && (beyondHalf || magnitude % 2 == 1))) {
            ++magnitude;
        }
    }
    const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
    if (magnitude > limit) {
        throw RunError(kOverflow);
    }
    return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                    : static_cast<std::int32_t>(magnitude);
}

}  // namespace qm
