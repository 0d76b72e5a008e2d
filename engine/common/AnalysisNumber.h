// A real number as the analysis reads it from the data file. The analysis and the program's own
// check of what it saved both take their numbers through this one rule. Plain C++.
#pragma once

#include <string_view>

namespace keldar {

enum class TNumberReading { Read, NotANumber, OutOfRange };

// The free-form rule: an optional sign, digits with an optional point (at least one digit), then
// an optional exponent introduced by E or D; at most 64 characters. Texts such as "inf", "nan"
// or hexadecimal forms are not numbers. The value is single precision; a value below the
// smallest single-precision number reads as zero, one above the largest is out of range. The
// value is set only when the word is read.
TNumberReading ReadAnalysisReal(std::string_view word, float& value);

}  // namespace keldar
