// A static load test beside the prediction: the loads at the summary's criteria read off the
// measured head load-settlement curve, by the very rules that read them off the computed curve
// (linear between readings, never extrapolated, "not reached" where the test stopped short).
#pragma once

#include <string>
#include <vector>

#include "ResultsSummary.h"

namespace keldar {

// The measured values; NaN where the measured curve does not reach the criterion.
struct MeasuredComparison {
    float capacity10PctDiameter = 0;
    float davissonCapacity = 0, davissonSettlement = 0;
    float loadAtChosenSettlement = 0;
    float settlementAtChosenLoad = 0;
};

// measured: the readings in the order of the test, x the head settlement and y the head load,
// in the run's units (in and lb, or m and kN). The criteria are the summary's own: 10 % of the
// diameter, Davisson's line with the pile's flexibility, and the chosen settlement and load.
MeasuredComparison compareMeasured(const ResultsSummary& summary,
                                   const std::vector<CurvePoint>& measured);

// The comparison as fixed-column text lines: a heading, a column header, and one line per
// criterion that the summary could define, computed beside measured.
std::vector<std::string> measuredComparisonText(const ResultsSummary& summary,
                                                const MeasuredComparison& measured, int unitSystem);

}  // namespace keldar
