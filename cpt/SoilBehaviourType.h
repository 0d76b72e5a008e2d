// Soil behaviour type index Ic from the normalised cone resistance and friction ratio, with the
// stress exponent found by iteration: P. K. Robertson (2009), "Interpretation of cone
// penetration tests - a unified approach", Can. Geotech. J. 46(11), 1337-1355.
#pragma once

namespace keldar::cpt {

struct BehaviourType {
    double ic = 0;       // soil behaviour type index
    double n = 1;        // stress exponent used
    double qtn = 0;      // normalised cone resistance Qtn
    double fr = 0;       // normalised friction ratio F, %
    bool valid = false;  // false where qt ≤ σv0, fs ≤ 0 or σ'v0 ≤ 0: no index
};

// Qtn = [(qt − σv0)/pa](pa/σ'v0)^n, F = fs/(qt − σv0) × 100 %,
// Ic = [(3.47 − log Qtn)² + (log F + 1.22)²]^0.5, n = 0.381 Ic + 0.05 (σ'v0/pa) − 0.15 ≤ 1,
// starting from n = 1 until n changes by less than 0.01. All stresses in kPa.
BehaviourType SoilBehaviourIndex(double qt, double fs, double sigmaV0, double sigmaVEff);

// Ic below 2.6 behaves as sand (drained penetration), above as clay.
inline constexpr double kSandClayBoundary = 2.6;

}  // namespace keldar::cpt
