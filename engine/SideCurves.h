// The six generated t-z curve shapes, one per soil code of the layer table.
//
// Each builder fills the ten points TC(j, 1..10), ZC(j, 1..10) of curve j from the ultimate side
// friction SKINC(j), the friction angle PHIC(j), DIAM and IUNIT. Point 1 is always (0, 0).
// Movements given in inches by a method are converted to metres in SI runs.
#pragma once

#include "SoilCode.h"

namespace keldar {

inline constexpr float kPi = 3.1416f;

// Sets the ten points of curve j to zero.
void clearTzCurve(int j);

// Fills curve j with the shape of the method of its soil code.
void buildTzCurve(TSoilCode code, int j);

// Mosher's initial modulus of driven piles in sand, lb/ft^2 per inch, from phi in degrees.
float mosherModulus(float phi);

}  // namespace keldar
