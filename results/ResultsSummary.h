// The numbers an engineer writes into a design note, taken from a run's results: per case the
// loads and movements at the head and the tip and what the side carries; the capacity by named
// criteria on the load-settlement curve; and, for a pile in settling soil, the neutral plane.
//
// Every front end (keldar-run, keldar-convert, the Python module) shows this one computation.
// A value that the curve does not reach, or that the results cannot give, is NaN: written as
// null, never as a number that could be read as a result. Units are the run's own.
#pragma once

#include <limits>
#include <vector>

#include "RunResults.h"

namespace keldar {

// One tip-movement case or one pile-head load, signed as the report shows it.
struct CaseSummary {
    float headLoad = 0, headSettlement = 0, tipLoad = 0, tipMovement = 0;
    float sideLoad = 0;   // head load minus tip load: what the shaft carries
    float sideShare = 0;  // sideLoad / headLoad; NaN at a zero head load
    bool converged = true;
    // Pile in settling soil only (NaN otherwise): the depth of the largest axial load, that
    // load, its excess over the head load, and the pile's settlement at that depth.
    float neutralPlaneDepth = 0, maxAxialLoad = 0, dragLoad = 0, neutralPlaneSettlement = 0;
};

// The settlement and the load that the user asks about; NaN takes the default (1 in or 25 mm,
// and the first pile-head load).
struct SummaryChoices {
    static constexpr float kUnset = std::numeric_limits<float>::quiet_NaN();
    float settlement = kUnset;
    float load = kUnset;
};

struct ResultsSummary {
    bool downDrag = false;
    std::vector<CaseSummary> cases;          // one per tip-movement case, in order
    std::vector<CaseSummary> headLoadCases;  // one per pile-head load, in order
    // Ultimate load: the head load at a head settlement of 10 % of the outer diameter.
    float settlement10PctDiameter = 0, capacity10PctDiameter = 0;
    // Davisson's offset limit load and the head settlement where the curve meets the line.
    float davissonFlexibility = 0, davissonOffset = 0;
    float davissonCapacity = 0, davissonSettlement = 0;
    float chosenSettlement = 0, loadAtChosenSettlement = 0;
    float chosenLoad = 0, settlementAtChosenLoad = 0;
};

ResultsSummary summarizeResults(const RunResults& results, SummaryChoices choices = {});

// A point where a curve meets a criterion: the load and head settlement there.
struct CurveCrossing {
    float load, settlement;
};

// The first point, walking the curve from its first computed point, where
// movement - (slope * load + offset) turns from below zero to zero or above, linear between
// computed points; NaN when the curve ends below, or starts above, the line.
CurveCrossing settlementLineCrossing(const std::vector<CurvePoint>& curve, float slope,
                                     float offset);
// The same for the load rising to `load`.
CurveCrossing loadCrossing(const std::vector<CurvePoint>& curve, float load);

// Largest axial load of a load distribution, refined between nodes: {depth, load}.
struct LoadPeak {
    float depth, load;
};
LoadPeak largestAxialLoad(const CaseDistribution& distribution);

}  // namespace keldar
