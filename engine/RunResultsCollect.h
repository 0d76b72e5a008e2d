// Filling a RunResults during a run. The run driver sets the target for the duration of one
// run; every routine here does nothing when no target is set.
#pragma once

#include <cstdint>
#include <string_view>

#include "IncrementTable.h"
#include "PileSolution.h"
#include "RunResults.h"

namespace keldar {

void setResultsTarget(RunResults* results);
RunResults* resultsTarget();

// After the input stage: pile data, options and the final curves from the run store.
void collectInput();
// Once the increments are set up: the pile's elastic flexibility (from the AE table).
void collectPileFlexibility();
// The load distribution of one solved tip-movement case, signed as reported (made on the thread
// that solved the case), and its collection in case order.
CaseDistribution caseDistribution(const IncrementTable& table, const PileSolution& solution,
                                  bool uplift);
void collectCase(CaseDistribution&& distribution);
void collectLoadSettlementRow(const LoadSettlementRow& row);
void collectLoadControlledRow(const LoadSettlementRow& row);
void collectWarning(const RangeWarning& warning);
void collectError(std::int32_t status, std::string_view message);
// After the run: the status and which tables were finished.
void collectEnd(std::int32_t status);

}  // namespace keldar
