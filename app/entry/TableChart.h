// The chart-preview data table. Besides the plain table's behaviour it streams six chart
// parameters after its columns and, when a row's item changes, carries the row's numbers into
// the new sub-table instead of discarding them.
#pragma once

#include "ColumnTypesChart.h"
#include "GridTable.h"

namespace keldar {

using TGridTableChart = TGridTableT<ChartFamily>;
using TTableChartEvents = TTableEventsT<ChartFamily>;

}  // namespace keldar
