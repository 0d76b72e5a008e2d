#include "EntryRange.h"

#include <string>

#include "EntryErrors.h"
#include "NumberFormat.h"

namespace keldar {

TEntryRange AboveZero() { return {0.0L, false}; }

TEntryRange NotNegative() { return {0.0L, true}; }

TEntryRange FromZeroBelow(long double high) { return {0.0L, true, high, false}; }

// The limit as the cells show numbers.
static std::string LimitText(long double limit) { return formatGeneral(limit, 8); }

void CheckEntryRange(const TEntryRange& range, long double value) {
    if (range.LowIncluded ? value < range.Low : !(value > range.Low)) {
        throw EAssignError(std::string("Entry must be greater than ") +
                           (range.LowIncluded ? "or equal to " : "") + LimitText(range.Low) + ".");
    }
    if (range.HighIncluded ? value > range.High : !(value < range.High)) {
        throw EAssignError(std::string("Entry must be less than ") +
                           (range.HighIncluded ? "or equal to " : "") + LimitText(range.High) +
                           ".");
    }
}

}  // namespace keldar
