// The unit catalog. A unit code is a short text of unit symbols such as "F/L^2" or "F1/L2^2";
// it becomes a unit label for a unit system (1 English, 2 S.I., 3 dimension letters) and, in the
// data tables, a conversion factor when the project's system changes. Codes are UTF-8; characters
// that are not symbols ("/", "^", exponent digits, "²") are kept as they are.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace keldar {

struct UnitSymbol {
    std::string_view symbol;
    std::string_view names[3];  // systems 1, 2, 3
    long double factor;         // English units in one S.I. unit
};

// The ten symbols F, F1, F2, F4, F5, F6, L, L1, L2, L3.
std::span<const UnitSymbol> UnitSymbols();

// Table headings: every symbol is replaced by its name ("F1/L2^2" gives kips/ft^2, kN/m^2 or
// F/L^2). A system outside 1 .. 3 is taken as the nearest of them.
std::string UnitLabel(std::string_view code, int system);

// Numeric fields: in systems 1 and 2 one force symbol and one length symbol are replaced, each
// in all its occurrences ("L²" gives in² or m²); in system 3 the code is shown unchanged.
std::string FieldUnitLabel(std::string_view code, int system);

// The factor by which a value in unit system `from` is multiplied to be in system `to`: 1 unless
// converting between systems 1 and 2. Exponents are single digits after "^" (also "²" and "³").
long double ConversionFactor(std::string_view code, int from, int to);

}  // namespace keldar
