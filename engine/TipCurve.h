// The generated Q-w (tip) curve: the tip method, the ultimate tip load and the six shapes.
#pragma once

#include <cstdint>
#include <optional>

#include "SoilCode.h"

namespace keldar {

// The layer that supplies the tip method: the first layer whose bottom is at or below the tip
// (PLEN); the last layer when the tip lies below every layer; 0 when there are no layers.
int tipLayer();

// Soil code of the tip layer; none when there are no layers or its number names no method.
std::optional<TSoilCode> tipSoilCode();

// The property rows that the tip reads: those down to the bottom of the tip layer. A tip ending
// exactly at the bottom of a layer so takes that layer's bottom row, not the top row of the
// layer below, whose soil does not belong to the tip method.
int tipPropertyRows();

// Bearing capacity factor Nq = exp(pi tan phi) tan^2(45 + phi / 2), phi in degrees.
float bearingFactorNq(float phi);

// The unit tip resistance q at the tip depth PLEN; entered when the TIP value was used, with
// the bearing factor Nq of the sand methods (0 for clay).
struct TipResistance {
    float unit = 0.0f;
    bool entered = false;
    float nq = 0.0f;
};
TipResistance unitTipResistance(TSoilCode code, std::int32_t& status);

// Qult = q x ATIP at the tip depth PLEN. Clay methods: q = 9 cu unless TIP > 0.00001; sand
// methods: q = PLEN x GAMAVG(PLEN) x Nq unless TIP > 0.0001. Returns 0 with the
// status above 0 when a property lookup fails.
float ultimateTipLoad(TSoilCode code, std::int32_t& status);

// NQW = 10 and the points QTIP, WTIP of the shape of the method for Qult. The Coyle & Reese clay
// parabola needs e50 > 0 at the tip: otherwise a warning and status 9, and no curve.
void buildQwCurve(TSoilCode code, float qult, std::int32_t& status);

}  // namespace keldar
