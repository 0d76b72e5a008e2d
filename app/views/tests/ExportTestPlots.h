// Plots filled as a run fills them, for the export tests.
#pragma once

#include "GraphPlot.h"

namespace keldar::test {

// curves lines of points each; point p of curve c is (c + p / 10, 100 c + p).
inline void FillPlot(TGraphPlot& plot, int curves, int points) {
    plot.SetCurveCount(curves);
    plot.SetPointCount(points);
    for (int c = 0; c < curves; ++c) {
        for (int p = 0; p < points; ++p) plot.Point(c, p) = {c + p / 10.0, 100.0 * c + p};
    }
}

}  // namespace keldar::test
