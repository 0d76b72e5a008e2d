#include "NumberFormat.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace keldar {

// The most significant digits written: all that an extended value holds reliably.
static constexpr int kMaxDigits = 18;

// A decimal value as its significant digits d.ddd and the exponent of the first.
struct DecimalDigits {
    std::string digits;
    int exponent = 0;
};

// The 18 significant digits of a nonzero magnitude, correctly rounded. An extended value holds a
// little more than 18 digits, so a typed decimal such as 0.15 shows here exactly, without the
// error of its binary form. The separator that printf writes depends on the locale, so only the
// digits are taken from it.
static DecimalDigits SignificantDigits(long double magnitude) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Le", kMaxDigits - 1, magnitude);
    DecimalDigits decimal;
    const char* p = buf;
    for (; *p != '\0' && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') decimal.digits += *p;
    }
    decimal.exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    return decimal;
}

// Fewer digits are rounded from those, half away from zero (0.15 -> 0.2, 2.5 -> 3); trailing
// zeros go.
static void RoundDigits(DecimalDigits& decimal, int precision) {
    std::string& digits = decimal.digits;
    if (precision < static_cast<int>(digits.size())) {
        const bool up = digits[static_cast<std::size_t>(precision)] >= '5';
        digits.resize(static_cast<std::size_t>(precision));
        if (up) {
            std::size_t i = digits.size();
            while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
            if (i > 0) {
                ++digits[i - 1];
            } else {
                digits.insert(digits.begin(), '1');  // 9.99 -> 10.0
                digits.pop_back();
                ++decimal.exponent;
            }
        }
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
}

// The digits in fixed notation, or in exponent notation when fixed would need more than
// `precision` digits before the point or more than three zeros after it.
static std::string WrittenDigits(const DecimalDigits& decimal, int precision, char decimalPoint) {
    const std::string& digits = decimal.digits;
    const int ndigits = static_cast<int>(digits.size());
    // Digits before the point in fixed notation (zero or negative for a value below 1).
    const int before = decimal.exponent + 1;
    std::string text;
    if (before > precision || before < -3) {
        text += digits[0];
        if (ndigits > 1) {
            text += decimalPoint;
            text.append(digits, 1);
        }
        text += 'E';
        text += std::to_string(decimal.exponent);
    } else if (before <= 0) {
        text += '0';
        text += decimalPoint;
        text.append(static_cast<std::size_t>(-before), '0');
        text += digits;
    } else if (ndigits <= before) {
        text += digits;
        text.append(static_cast<std::size_t>(before - ndigits), '0');
    } else {
        text.append(digits, 0, static_cast<std::size_t>(before));
        text += decimalPoint;
        text.append(digits, static_cast<std::size_t>(before));
    }
    return text;
}

std::string formatGeneral(long double value, int precision, char decimalPoint) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";
    precision = std::clamp(precision, 1, kMaxDigits);
    DecimalDigits decimal = SignificantDigits(std::fabs(value));
    RoundDigits(decimal, precision);
    return (value < 0 ? "-" : "") + WrittenDigits(decimal, precision, decimalPoint);
}

char localeDecimalPoint() {
    const std::lconv* conv = std::localeconv();
    const char* point = conv != nullptr ? conv->decimal_point : nullptr;
    if (point == nullptr || point[0] == '\0' || point[1] != '\0') return '.';
    return point[0];
}

static bool isDigit(char c) { return c >= '0' && c <= '9'; }

DecimalRead readDecimal(std::string_view text, char decimalPoint, long double& value) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '-' || text[i] == '+')) ++i;
    std::size_t mantissaDigits = 0;
    while (i < n && isDigit(text[i])) ++i, ++mantissaDigits;
    if (i < n && text[i] == decimalPoint) {
        ++i;
        while (i < n && isDigit(text[i])) ++i, ++mantissaDigits;
    }
    if (mantissaDigits == 0) return DecimalRead::Invalid;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < n && (text[i] == '-' || text[i] == '+')) ++i;
        std::size_t exponentDigits = 0;
        while (i < n && isDigit(text[i])) ++i, ++exponentDigits;
        if (exponentDigits == 0) return DecimalRead::Invalid;
    }
    if (i != n) return DecimalRead::Invalid;

    // strtold reads the separator of the current locale.
    std::string copy(text);
    std::replace(copy.begin(), copy.end(), decimalPoint, localeDecimalPoint());
    errno = 0;
    char* end = nullptr;
    const long double v = std::strtold(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size()) return DecimalRead::Invalid;
    if (std::isinf(v)) return DecimalRead::Overflow;
    value = v;
    return DecimalRead::Ok;
}

}  // namespace keldar
