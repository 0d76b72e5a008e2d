// The results that the Results Summary shows: the plot data file of the project's last run,
// with the pile as the project holds it (the data file that run read), so that the capacity
// criteria, Davisson's elastic line and the neutral plane can be computed as keldar-run does.
#pragma once

#include <QString>

#include "PlotFilePileData.h"
#include "RunResults.h"

namespace keldar {

class TProgramData;

// The project's pile in the numbers the analysis reads from its data file: each value written
// as the data file writes it and read back in single precision.
PileData PileDataOf(const TProgramData& project);

// The results of the project's plot data file (.kd3p) and report (.kd3o) with its pile added;
// false with a message when the plot file cannot be read.
bool ReadSummaryResults(const TProgramData& project, RunResults& results, QString& message);

}  // namespace keldar
