// One point of a plotted curve.
#pragma once

namespace keldar {

struct TFloatPoint {
    double X = 0.0;
    double Y = 0.0;

    friend bool operator==(const TFloatPoint&, const TFloatPoint&) = default;
};

}  // namespace keldar
