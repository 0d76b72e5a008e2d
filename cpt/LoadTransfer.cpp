#include "LoadTransfer.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace keldar::cpt {
namespace {

// σ'v0 in the peak movement is floored at 1 kPa so that a curve at the ground surface keeps a
// finite stiffness instead of none.
constexpr double kLeastStressForStiffness = 1.0;

Curve Scaled(std::span<const double> ratios, std::span<const double> movements, double peak,
             double diameter) {
    Curve curve{{0, 0}};
    for (std::size_t i = 0; i < ratios.size(); ++i)
        curve.push_back({ratios[i] * peak, movements[i] * diameter});
    return curve;
}

}  // namespace

double SandShaftPeakMovement(double qc, double sigmaVEff, double diameter,
                             LoadDirection direction) {
    const double a = direction == LoadDirection::Tension ? 625.0 : 1250.0;
    const double stress = std::max(sigmaVEff, kLeastStressForStiffness);
    return diameter * std::sqrt(qc) * std::pow(stress, 0.25) /
           (a * std::pow(kAtmosphericPressure, 0.75));
}

double SandShaftTransfer(double tauF, double peakMovement, double z) {
    if (z >= peakMovement) return tauF;
    const double x = z / peakMovement;
    return tauF * (2 * x - x * x);
}

Curve SandShaftCurve(double tauF, double peakMovement) {
    static constexpr double kFractions[] = {0.02, 0.05, 0.1, 0.15, 0.2, 0.3, 0.4,
                                            0.5,  0.6,  0.7, 0.8,  0.9, 1.0};
    Curve curve{{0, 0}};
    for (double f : kFractions) {
        const double z = f * peakMovement;
        curve.push_back({SandShaftTransfer(tauF, peakMovement, z), z});
    }
    return curve;
}

double SandBaseMovement(double qb, double qb01, double diameter) {
    const double r = qb / qb01;
    return diameter * 0.01 * r / (1.0 - 0.9 * r);
}

Curve SandBaseCurve(double qb01, double diameter) {
    Curve curve;
    for (int i = 0; i <= 10; ++i) {
        const double r = i / 10.0;
        curve.push_back({r * qb01, SandBaseMovement(r * qb01, qb01, diameter)});
    }
    // Past 0.1 D the hyperbola goes on rising towards qb/qb0.1 = 1/0.9.
    for (double zOverD : {0.15, 0.2}) {
        curve.push_back({qb01 * zOverD / (0.01 + 0.9 * zOverD), zOverD * diameter});
    }
    return curve;
}

Curve ApiClayShaftCurve(double tauMax, double diameter, double residualRatio) {
    static constexpr double kMovements[] = {0.0016, 0.0031, 0.0057, 0.0080, 0.0100, 0.0200};
    const double ratios[] = {0.30, 0.50, 0.75, 0.90, 1.00, residualRatio};
    return Scaled(ratios, kMovements, tauMax, diameter);
}

Curve ApiBaseCurve(double qp, double diameter) {
    static constexpr double kMovements[] = {0.002, 0.013, 0.042, 0.073, 0.100};
    static constexpr double kRatios[] = {0.25, 0.50, 0.75, 0.90, 1.00};
    return Scaled(kRatios, kMovements, qp, diameter);
}

}  // namespace keldar::cpt
