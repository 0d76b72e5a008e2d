// Generated t-z and Q-w curves from the soil layers (curve mode 2).
//
// The input stage places the curve depths XC and their soil codes KSOILC (five per layer) before
// calling these. Each routine writes its property warnings into the report and returns with
// status above 0 when a property is asked for beyond the soil data; the run then ends.
#pragma once

#include <cstdint>

namespace keldar {

// For every curve: SKINC and PHIC at its depth, CURVNO, NPTC = 10 and the ten points of the
// curve of its soil code.
void buildSideCurves(std::int32_t& status);

// Chooses the tip method from the layer holding the tip and builds the ten-point Q-w curve.
void buildTipCurve(std::int32_t& status);

}  // namespace keldar
