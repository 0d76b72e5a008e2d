// The results that a plot data file (.kd3p) holds, read back into a RunResults: the t-z and
// Q-w curves as listed, the load distribution (middle depth, average load and movement), the
// load-settlement rows and the load-controlled rows. The status and message come from the
// report (.kd3o) beside it when that shows a stopped run.
#pragma once

#include <string>

#include "RunResults.h"

namespace keldar {

// False when the plot file cannot be opened (message set); a file that ends early or holds a
// word that is not a number is read as far as it goes and gets a status above 0.
bool readPlotFileResults(const std::string& plotFile, const std::string& reportFile,
                         RunResults& results, std::string& message);

}  // namespace keldar
