#include "UnifiedClay.h"

#include <algorithm>
#include <cmath>

namespace keldar::cpt {

double EquivalentDiameter(const PileGeometry& pile) {
    const double inner = pile.InnerDiameter();
    return std::sqrt(pile.diameter * pile.diameter - inner * inner);
}

double SensitiveClayIndex(double qt, double fs, double sigmaV0, double sigmaVEff) {
    const double net = qt - sigmaV0;
    const double normalisedResistance = net / sigmaVEff;
    const double frictionRatio = 100.0 * fs / net;
    return normalisedResistance - 12.0 * std::exp(-1.4 * frictionRatio);
}

double SensitivityFactor(double iz1) { return iz1 < 0 ? 0.5 : 1.0; }

double ClayShaftFriction(const ClayShaftInput& input, const PileGeometry& pile) {
    double factor = 1.0;
    if (!std::isnan(input.fs) && input.qt > input.sigmaV0 && input.sigmaVEff > 0) {
        factor = SensitivityFactor(
            SensitiveClayIndex(input.qt, input.fs, input.sigmaV0, input.sigmaVEff));
    }
    const double relativeHeight = input.heightAboveTip / EquivalentDiameter(pile);
    return 0.07 * factor * input.qt * std::pow(std::max(1.0, relativeHeight), -0.25);
}

double ClayBaseResistance(double qp, const PileGeometry& pile) {
    return (0.2 + 0.6 * EffectiveAreaRatio(pile)) * qp;
}

}  // namespace keldar::cpt
