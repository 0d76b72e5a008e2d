#include "BaseAveraging.h"

#include <algorithm>
#include <limits>

namespace keldar::cpt {
namespace {

// The profile is sampled at Deq/20: fine against the cone's own 2 cm readings, coarse enough to
// keep the search over y cheap.
constexpr int kSamplesPerDiameter = 20;

double DutchForDepthBelow(const DepthSeries& qt, double tip, double deq, double y, double step) {
    const int below = std::max(1, static_cast<int>(y / step + 0.5));
    double sum1 = 0;
    double sum2 = 0;
    double least = std::numeric_limits<double>::infinity();
    for (int i = below; i >= 0; --i) {
        const double q = qt.At(tip + i * step);
        sum1 += q;
        least = std::min(least, q);
        sum2 += least;
    }
    const double qc1 = sum1 / (below + 1);
    const double qc2 = sum2 / (below + 1);
    const int above = std::max(1, static_cast<int>(std::min(8 * deq, tip) / step + 0.5));
    double sum3 = 0;
    for (int i = 0; i <= above; ++i) {
        least = std::min(least, qt.At(tip - i * step));
        sum3 += least;
    }
    const double qc3 = sum3 / (above + 1);
    return ((qc1 + qc2) / 2 + qc3) / 2;
}

}  // namespace

double OnePointFiveDiameterAverage(const DepthSeries& qt, double tipDepth, double diameter) {
    return qt.MeanOver(std::max(0.0, tipDepth - 1.5 * diameter), tipDepth + 1.5 * diameter);
}

double DutchAverage(const DepthSeries& qt, double tipDepth, double equivalentDiameter) {
    const double step = equivalentDiameter / kSamplesPerDiameter;
    double best = std::numeric_limits<double>::infinity();
    for (int k = 7; k <= 40; ++k) {
        const double y = k / 10.0 * equivalentDiameter;
        best = std::min(best, DutchForDepthBelow(qt, tipDepth, equivalentDiameter, y, step));
    }
    return best;
}

}  // namespace keldar::cpt
