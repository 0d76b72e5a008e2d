// What a plot data file does not hold and the results summary needs: the pile as the run read
// it from the data file. The program reads its results back from the plot file; with the
// project's pile added, its summary is the one that keldar-run gives, to the plot file's digits.
#pragma once

#include <vector>

#include "RunResults.h"

namespace keldar {

// The data file's numbers as the analysis read them (single precision, the run's units).
struct PileData {
    float pileLength = 0, diameter = 0;
    int increments = 0;
    std::vector<float> aeDepth, ae;  // the AE table, row by row
    int settlementPoints = 0;        // above 0: a run with a soil settlement profile
};

// Adds the pile to results read from a plot file: the input's length, diameter, increments and
// settlement points, the pile's flexibility from its AE table, and for each case the nodes of
// its load distribution (the tip, the increments' middles, the head), signed as the report
// shows them.
void addPileData(RunResults& results, const PileData& pile);

}  // namespace keldar
