// A quantity measured down a CPT, taken as varying linearly between readings and as constant
// above the first and below the last one.
#pragma once

#include <vector>

namespace keldar::cpt {

class DepthSeries {
  public:
    // Depths strictly increasing, as the readers deliver them; at least one point.
    DepthSeries(std::vector<double> depths, std::vector<double> values);

    double At(double depth) const;
    // Mean over [top, bottom] (the value at top when bottom ≤ top).
    double MeanOver(double top, double bottom) const;
    double FirstDepth() const { return fDepths.front(); }
    double LastDepth() const { return fDepths.back(); }

  private:
    std::vector<double> fDepths, fValues;
};

}  // namespace keldar::cpt
