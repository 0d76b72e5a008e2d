// The results summary as fixed-pitch text, for the program's Results Summary window, its copy
// and its print: one block after another, each a few lines with the units named. A number that
// the curve does not reach reads "not reached"; one that the results cannot give reads "-".
#pragma once

#include <string>
#include <vector>

#include "ResultsSummary.h"

namespace keldar {

using SummaryLines = std::vector<std::string>;

// unitSystem 1 (in, lb) or 2 (m, kN), as RunResults::unitSystem. The blocks, in order: the
// capacity by named criteria, the chosen settlement and load, the tip-movement cases, the
// pile-head loads (when there are any), the neutral plane (a run in settling soil only).
SummaryLines summaryText(const ResultsSummary& summary, int unitSystem);

// A number in at most 4 significant digits, fixed or with an exponent ("1.235E+07") beyond
// 1E7 and below 1E-4; "-" for NaN or infinity. Never depends on the locale.
std::string summaryNumber(float value);

}  // namespace keldar
