// The generated Q-w (tip) curve: the tip method, the ultimate tip load and the six shapes.
#pragma once

#include <cstdint>

namespace keldar {

// Soil code of the first layer whose bottom is at or below the tip (PLEN); the last layer's code
// when the tip lies below every layer; 0 when there are no layers.
std::int32_t tipSoilCode();

// Bearing capacity factor Nq = exp(pi tan phi) tan^2(45 + phi / 2), phi in degrees.
float bearingFactorNq(float phi);

// Qult = q x ATIP at the tip depth PLEN. Clay codes (1, 3, 5): q = 9 cu unless TIP > 0.00001;
// sand codes (2, 4, 6): q = PLEN x GAMAVG(PLEN) x Nq unless TIP > 0.0001. Returns 0 with the
// status above 0 when a property lookup fails.
float ultimateTipLoad(std::int32_t soilCode, std::int32_t& status);

// NQW = 10 and the points QTIP, WTIP of the shape of soilCode for Qult. The Coyle & Reese clay
// parabola needs e50 > 0 at the tip: otherwise a warning and status 9, and no curve.
void buildQwCurve(std::int32_t soilCode, float qult, std::int32_t& status);

}  // namespace keldar
