// Results that are not numbers. Input far outside what a pile can be (a pile length of 1E30)
// runs to the end, but its loads and movements overflow single precision: the report prints
// them as stars and the JSON as null. Such a run is no result, however normally it ended.
#pragma once

#include "RunResults.h"

namespace keldar {

bool isFiniteRow(const LoadSettlementRow& row);

// Load-settlement and load-controlled rows with a value that is not a finite number (the
// movements of a head load without a solution do not count: they are not results).
int nonFiniteRowCount(const RunResults& results);

// After a normal run with such rows, the message says how many: a caller that reads only the
// status and the message is told too.
void noteNonFiniteResults(RunResults& results);

}  // namespace keldar
