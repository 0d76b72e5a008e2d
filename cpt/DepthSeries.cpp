#include "DepthSeries.h"

#include <algorithm>

namespace keldar::cpt {

DepthSeries::DepthSeries(std::vector<double> depths, std::vector<double> values)
    : fDepths(std::move(depths)), fValues(std::move(values)) {}

double DepthSeries::At(double depth) const {
    if (depth <= fDepths.front()) return fValues.front();
    if (depth >= fDepths.back()) return fValues.back();
    const auto above = std::upper_bound(fDepths.begin(), fDepths.end(), depth);
    const std::size_t i = static_cast<std::size_t>(above - fDepths.begin());
    const double share = (depth - fDepths[i - 1]) / (fDepths[i] - fDepths[i - 1]);
    return fValues[i - 1] + share * (fValues[i] - fValues[i - 1]);
}

double DepthSeries::MeanOver(double top, double bottom) const {
    if (bottom <= top) return At(top);
    // The exact integral of the piecewise-linear profile: trapezoids between the breakpoints.
    std::vector<double> points{top};
    for (double d : fDepths) {
        if (d > top && d < bottom) points.push_back(d);
    }
    points.push_back(bottom);
    double area = 0;
    for (std::size_t i = 1; i < points.size(); ++i)
        area += 0.5 * (At(points[i - 1]) + At(points[i])) * (points[i] - points[i - 1]);
    return area / (bottom - top);
}

}  // namespace keldar::cpt
