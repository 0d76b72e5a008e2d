// Load-transfer curves from the CPT peaks: unit shaft friction t (kPa) or unit base resistance q
// (kPa) against the local pile movement z (m), each as points from the origin.
//
// Sand: B. M. Lehane, L. Li, E. J. Bittar (2020), "Cone penetration test-based load-transfer
// formulations for driven piles in sand", Géotechnique Letters 10(4), 568-574.
// Clay, and where no CPT-based curve is published: the normalised t-z and Q-z curves of
// API RP 2GEO (2011), scaled to the CPT-derived peaks.
#pragma once

#include <vector>

#include "UnifiedSand.h"

namespace keldar::cpt {

struct CurvePoint {
    double t = 0;  // unit load transfer (shaft) or unit base resistance, kPa
    double z = 0;  // pile movement, m
};

using Curve = std::vector<CurvePoint>;

// Movement at which the sand shaft friction peaks: zf/D = qc^0.5 σ'v0^0.25 / (A pa^0.75), A = 1250
// in compression and 625 in tension.
double SandShaftPeakMovement(double qc, double sigmaVEff, double diameter, LoadDirection direction);
// τ/τf = (G/τf)(z/2D)[1 − z/(2 zf)] with G/τf = 4D/zf, that is 2 z/zf − (z/zf)², up to zf;
// τf beyond.
double SandShaftTransfer(double tauF, double peakMovement, double z);
Curve SandShaftCurve(double tauF, double peakMovement);
// Base: zb/D = 0.01 (qb/qb0.1) / (1 − 0.9 qb/qb0.1), so qb = qb0.1 at zb = 0.1 D; points to 0.2 D.
double SandBaseMovement(double qb, double qb01, double diameter);
Curve SandBaseCurve(double qb01, double diameter);

// API RP 2GEO t-z curve for clay: t/tmax 0.30, 0.50, 0.75, 0.90, 1.00 at z/D 0.0016, 0.0031,
// 0.0057, 0.0080, 0.0100, then the residual ratio (0.70 to 0.90) from z/D = 0.02.
Curve ApiClayShaftCurve(double tauMax, double diameter, double residualRatio);
// API RP 2GEO Q-z curve: Q/Qp 0.25, 0.50, 0.75, 0.90, 1.00 at z/D 0.002, 0.013, 0.042, 0.073, 0.10.
Curve ApiBaseCurve(double qp, double diameter);

}  // namespace keldar::cpt
