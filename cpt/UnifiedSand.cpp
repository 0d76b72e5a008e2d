#include "UnifiedSand.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace keldar::cpt {

double SandStationaryRadialStress(double qt, double areaRatio, double heightAboveTip,
                                  double diameter) {
    return qt / 44.0 * std::pow(areaRatio, 0.3) *
           std::pow(std::max(1.0, heightAboveTip / diameter), -0.4);
}

double SandDilatantRadialStress(double qt, double sigmaVEff, double diameter, double coneDiameter) {
    // At the ground surface σ'v0 is 0 and so is the dilatant term: (qt/σ'v0)^-0.33 → 0.
    if (qt <= 0 || sigmaVEff <= 0) return 0;
    return qt / 10.0 * std::pow(qt / sigmaVEff, -0.33) * (coneDiameter / diameter);
}

double SandShaftFriction(const SandShaftInput& input, const PileGeometry& pile) {
    const double loading = input.direction == LoadDirection::Tension ? 0.75 : 1.0;
    const double areaRatio = EffectiveAreaRatio(pile, input.coneDiameter);
    const double radial =
        SandStationaryRadialStress(input.qt, areaRatio, input.heightAboveTip, pile.diameter) +
        SandDilatantRadialStress(input.qt, input.sigmaVEff, pile.diameter, input.coneDiameter);
    return loading * radial * std::tan(input.interfaceFriction * std::numbers::pi / 180.0);
}

double SandBaseResistance(double qp, const PileGeometry& pile, double coneDiameter) {
    return (0.12 + 0.38 * EffectiveAreaRatio(pile, coneDiameter)) * qp;
}

}  // namespace keldar::cpt
