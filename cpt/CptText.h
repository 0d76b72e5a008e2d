// Text helpers shared by the CPT readers: fields, numbers (always with "."), units and the
// column quantities that the readers look for.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keldar::cpt {

std::string Trim(std::string_view text);
std::string Lower(std::string_view text);
// Fields separated by one character; a blank separator splits at runs of blanks and tabs.
std::vector<std::string> SplitFields(std::string_view line, char separator);
// A whole field as a number in the C locale, or nothing.
std::optional<double> ParseNumber(std::string_view field);

enum class Dimension { Length, Stress };

// The factor that turns a value in unit into metres or kPa; nothing for an unknown unit.
std::optional<double> UnitFactor(std::string_view unit, Dimension dimension);

// The quantities the record holds, told apart by a column's name.
enum class Quantity { Depth, ConeResistance, SleeveFriction, PorePressureU2, Other };
Quantity QuantityNamed(std::string_view name);

// The lines of a text file, without their line ends (CR LF, LF or CR).
std::vector<std::string> ReadLines(const std::string& fileName);

}  // namespace keldar::cpt
