// The number forms of the data file. Every form uses "." whatever the locale.
#pragma once

#include <string>
#include <string_view>

namespace keldar {

// Stands for a value that a record's layout needs but the project does not have.
inline constexpr char kPlaceholder[] = "0.0";

// General form: at most 8 significant digits, "1E-5", "0.0001", "1.2345679E8", "12345678".
std::string FormatDataReal(long double value);

// Fixed scientific form of the layer depths: exactly 23 characters, a blank or "-", one digit,
// ".", 14 digits, "E", the exponent's sign and 4 exponent digits: " 1.00000000000000E+0001".
std::string FormatFixedScientific(long double value);

// A number as the analysis reads it from the data file: single precision, with an exponent
// introduced by E or D and an optional sign; a value below the smallest single-precision number
// reads as zero. False for a word that the analysis would not take as a number.
bool AnalysisReal(std::string_view word, float& value);

// True when the analysis reads the two words as the same number (a zero of either sign counts
// as the same). A word that the analysis does not read equals nothing.
bool SameForTheAnalysis(std::string_view a, std::string_view b);

}  // namespace keldar
