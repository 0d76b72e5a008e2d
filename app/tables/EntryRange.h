// The values that a number column takes from the user. A value that the analysis refuses or
// cannot use is refused where it is typed, in the cell; values read from a data file are kept
// as they are, so that opening and saving a file never changes it.
#pragma once

#include <limits>

namespace keldar {

struct TEntryRange {
    long double Low = -std::numeric_limits<long double>::infinity();
    bool LowIncluded = true;
    long double High = std::numeric_limits<long double>::infinity();
    bool HighIncluded = true;
};

// Values above 0, values from 0 up, and values from 0 to below `high`.
TEntryRange AboveZero();
TEntryRange NotNegative();
TEntryRange FromZeroBelow(long double high);

// Raises EAssignError with "Entry must be greater than 0." and the like for a value outside.
void CheckEntryRange(const TEntryRange& range, long double value);

}  // namespace keldar
