// The general number format, shared by the data file (8 significant digits), the entry evaluator
// and the numeric edit field (18), table cells (8) and plot labels (4 and 5).
//
// The value is rounded to `precision` significant digits (from its 18-digit decimal value, half
// away from zero) and written in fixed notation unless it
// is below 0.0001 in magnitude or has more than `precision` digits before the point; then in
// exponent notation. Trailing zeros are removed, a whole value has no decimal point, zero is "0",
// and the exponent has no "+" and no leading zeros:
//     formatGeneral(1e-5, 8)       -> "1E-5"
//     formatGeneral(0.0001, 8)     -> "0.0001"
//     formatGeneral(123456789, 8)  -> "1.2345679E8"
//     formatGeneral(2.5e10, 8)     -> "2.5E10"
#pragma once

#include <string>
#include <string_view>

namespace keldar {

// precision is taken in 1 .. 18 (an extended value holds no more). Infinite and NaN values, which
// the program never stores, come out as "INF", "-INF" and "NAN".
std::string formatGeneral(long double value, int precision, char decimalPoint = '.');

// The decimal separator of the current C locale (LC_NUMERIC); the program sets it to ".".
char localeDecimalPoint();

enum class DecimalRead { Ok, Invalid, Overflow };

// Reads a whole text as a decimal number: optional sign, digits with at most one decimalPoint
// (".5" and "5." are numbers), optional exponent E or e with optional sign and at least one
// digit. Nothing else is accepted: no blanks, thousands separators, "inf", "nan" or hexadecimal.
// A number beyond the extended range gives Overflow; one too small to represent reads as zero or
// its nearest denormal.
DecimalRead readDecimal(std::string_view text, char decimalPoint, long double& value);

}  // namespace keldar
