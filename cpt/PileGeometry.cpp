#include "PileGeometry.h"

#include <cmath>
#include <numbers>

namespace keldar::cpt {

double PileGeometry::InnerDiameter() const {
    if (closedEnd || wall <= 0 || 2 * wall >= diameter) return 0;
    return diameter - 2 * wall;
}

double PileGeometry::SectionArea() const {
    if (wall <= 0 || 2 * wall >= diameter) return GrossTipArea();
    const double inner = diameter - 2 * wall;
    return std::numbers::pi / 4 * (diameter * diameter - inner * inner);
}

double PileGeometry::GrossTipArea() const { return std::numbers::pi / 4 * diameter * diameter; }

double PlugLengthRatio(double innerDiameter, double coneDiameter) {
    return std::tanh(0.3 * std::sqrt(innerDiameter / coneDiameter));
}

double EffectiveAreaRatio(const PileGeometry& pile, double coneDiameter) {
    const double inner = pile.InnerDiameter();
    if (inner <= 0) return 1.0;
    const double ratio = inner / pile.diameter;
    return 1.0 - PlugLengthRatio(inner, coneDiameter) * ratio * ratio;
}

}  // namespace keldar::cpt
