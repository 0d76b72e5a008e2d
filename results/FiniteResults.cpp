#include "FiniteResults.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace keldar {

bool isFiniteRow(const LoadSettlementRow& row) {
    if (!std::isfinite(row.topLoad)) return false;
    if (!row.converged) return true;
    return std::isfinite(row.topMovement) && std::isfinite(row.tipMovement) &&
           std::isfinite(row.tipLoad);
}

int nonFiniteRowCount(const RunResults& results) {
    const auto count = [](const std::vector<LoadSettlementRow>& rows) {
        return static_cast<int>(std::count_if(rows.begin(), rows.end(),
                                              [](const auto& row) { return !isFiniteRow(row); }));
    };
    return count(results.loadSettlement) + count(results.loadControlled);
}

void noteNonFiniteResults(RunResults& results) {
    const int rows = nonFiniteRowCount(results);
    if (results.status > 0 || rows == 0) return;
    results.message = std::to_string(rows) + (rows == 1 ? " row" : " rows") +
                      " of results are not finite numbers (stars in the report): the input is " +
                      "outside what the analysis can compute.";
}

}  // namespace keldar
