// The two unit systems of a project, by the numbers that the data file, the analysis and the
// plot data file give them, and the length factor between them. Shared by the analysis and the
// program; plain C++.
#pragma once

#include <cstdint>

namespace keldar {

// The unit system's number is what the files hold: 1 English (lb, in), 2 S.I. (kN, m). A file
// may hold any other number; the analysis labels it as S.I.
enum TUnitSystem : std::int32_t { usEnglish = 1, usSI = 2 };

// Inches in one metre: the length factor between the two systems.
inline constexpr long double kInchesPerMetre = 39.37007874L;
// Metres in one inch, in the analysis's single precision.
inline constexpr float kMetresPerInch = static_cast<float>(1.0L / kInchesPerMetre);
static_assert(kMetresPerInch == 0.0254f);

// The system of a number read from a file: English for 1, S.I. for every other number.
constexpr TUnitSystem UnitSystemOf(std::int32_t number) {
    return number == usEnglish ? usEnglish : usSI;
}

}  // namespace keldar
