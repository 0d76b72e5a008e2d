// The input stage of a run: reads the data file record by record, echoes every section into the
// report (and the curves into the plot data file), places and builds the curves in generated
// mode, and applies the t-z and Q-w multipliers.
#pragma once

#include <cstdint>

#include "DataFileReader.h"

namespace keldar {

// Fills the run store from `in`. A problem with the data (a word that is not a number, a
// premature end, a count outside its range, an unknown soil code) or a curve-building failure
// leaves status above 0; input problems are reported by an error block in the report and on
// standard error.
void readInput(DataFileReader& in, std::int32_t& status);

// The five generated curve depths XC and soil codes KSOILC of every layer, NCURV = 5 x NLAYER.
void placeGeneratedCurves();

// The nine default tip movements (inches, or metres when IUNIT is 2); NTM = 9.
void setDefaultTipMovements();

}  // namespace keldar
