#include "SoilBehaviourType.h"

#include <algorithm>
#include <cmath>

#include "PileGeometry.h"

namespace keldar::cpt {

BehaviourType SoilBehaviourIndex(double qt, double fs, double sigmaV0, double sigmaVEff) {
    BehaviourType result;
    const double net = qt - sigmaV0;
    if (!(net > 0) || !(fs > 0) || !(sigmaVEff > 0)) return result;
    const double pa = kAtmosphericPressure;
    result.fr = fs / net * 100.0;
    // The exponent converges in a few steps; the bound only guards against oscillation.
    for (int step = 0; step < 100; ++step) {
        result.qtn = net / pa * std::pow(pa / sigmaVEff, result.n);
        const double a = 3.47 - std::log10(result.qtn);
        const double b = std::log10(result.fr) + 1.22;
        result.ic = std::sqrt(a * a + b * b);
        const double next = std::min(1.0, 0.381 * result.ic + 0.05 * sigmaVEff / pa - 0.15);
        const bool settled = std::abs(next - result.n) < 0.01;
        result.n = next;
        if (settled) break;
    }
    result.qtn = net / pa * std::pow(pa / sigmaVEff, result.n);
    const double a = 3.47 - std::log10(result.qtn);
    const double b = std::log10(result.fr) + 1.22;
    result.ic = std::sqrt(a * a + b * b);
    result.valid = true;
    return result;
}

}  // namespace keldar::cpt
