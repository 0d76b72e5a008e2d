// The six generated t-z curve shapes (soil codes 1 to 6 of the layer table).
//
// Each builder fills the ten points TC(j, 1..10), ZC(j, 1..10) of curve j from the ultimate side
// friction SKINC(j), the friction angle PHIC(j), DIAM and IUNIT. Point 1 is always (0, 0).
// Movements given in inches by a method are converted to metres in SI runs.
#pragma once

#include <cstdint>

namespace keldar {

inline constexpr float kPi = 3.1416f;

// Fills curve j with the shape of its soil code; a code outside 1..6 leaves every point at zero.
void buildTzCurve(std::int32_t soilCode, int j);

// Mosher's initial modulus of driven piles in sand, lb/ft^2 per inch, from phi in degrees.
float mosherModulus(float phi);

}  // namespace keldar
