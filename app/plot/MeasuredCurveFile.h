// Keeping a measured load test between sessions: the design's files have no place for it, so
// it lives in a file of its own beside the project, NAME.measured.csv for NAME.kd3d, in the same
// text form that the reader takes. The file is written when a curve is loaded or the project is
// saved under a new name, removed with the curve, and read again with the project's results.
#pragma once

#include <QString>

#include "GraphPlot.h"

namespace keldar {

// NAME.measured.csv beside NAME.kd3d; empty for an unnamed project.
QString MeasuredFileName(const QString& projectFile);

// Writes the plot's measured curve to its MeasuredFile, or removes that file when the plot has
// no curve. Nothing happens without a file name. Raises EInputOutputError when the file cannot
// be written or removed; an earlier file then stays as it was.
void KeepMeasuredCurve(const TGraphPlot& plot);

// Points the plot at the project's file and takes the curve kept there; without such a file the
// plot has no measured curve. Raises EInputOutputError for a file that cannot be read: the plot
// then has no curve either.
void RestoreMeasuredCurve(TGraphPlot& plot, const QString& projectFile);

}  // namespace keldar
