// The Unified CPT-based method for driven piles in clay: B. M. Lehane, Z. Liu, E. J. Bittar et
// al. (2022), "CPT-based axial capacity design method for driven piles in clay", J. Geotech.
// Geoenviron. Eng. 148(9), 04022069. Stresses in kPa, lengths in m.
#pragma once

#include "PileGeometry.h"

namespace keldar::cpt {

struct ClayShaftInput {
    double qt = 0;              // corrected cone resistance, kPa
    double fs = 0;              // sleeve friction, kPa; NaN when not measured
    double sigmaV0 = 0;         // total vertical stress, kPa
    double sigmaVEff = 0;       // effective vertical stress, kPa
    double heightAboveTip = 0;  // h, m
};

// Equivalent diameter of the pile's own displacement: D* = (D² − Di²)^0.5 (D when closed).
double EquivalentDiameter(const PileGeometry& pile);
// Index of the zone of sensitive clays on the normalised CPT chart: Iz1 = Qt − 12 exp(−1.4 Fr),
// with Qt = (qt − σv0)/σ'v0 and Fr = 100 fs/(qt − σv0) in %.
double SensitiveClayIndex(double qt, double fs, double sigmaV0, double sigmaVEff);
// Factor for the clay's sensitivity: 1 where Iz1 ≥ 0 (or fs is not measured), 0.5 where Iz1 < 0.
double SensitivityFactor(double iz1);
// Ultimate shaft friction τf = 0.07 Fst qt [max(1, h/D*)]^-0.25, the same in compression and
// tension.
double ClayShaftFriction(const ClayShaftInput& input, const PileGeometry& pile);
// Unit base resistance at a base movement of 0.1 D: qb0.1 = (0.2 + 0.6 Are) qp.
double ClayBaseResistance(double qp, const PileGeometry& pile);

}  // namespace keldar::cpt
