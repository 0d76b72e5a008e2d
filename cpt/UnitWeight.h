// Total unit weight from the cone: P. K. Robertson and K. L. Cabal (2010), "Estimating soil unit
// weight from CPT", Proc. 2nd Int. Symp. on Cone Penetration Testing, Huntington Beach:
// γ/γw = 0.27 log Rf + 0.36 log(qt/pa) + 1.236, Rf = fs/qt × 100 %.
#pragma once

#include <vector>

#include "CptRecord.h"
#include "InSituStress.h"

namespace keldar::cpt {

// kN/m³; nothing sensible where qt or fs is not positive: the caller's fallback then.
double UnitWeightFromCone(double qt, double fs, double fallback);
// One layer per reading, down to halfway to the next; the last goes on below.
std::vector<UnitWeightLayer> UnitWeightsFromCone(const CptRecord& record, double fallback);

}  // namespace keldar::cpt
