// Column kinds of the chart-preview tables: the same kinds as the plain tables, in a family of
// their own that finds its templates only among chart tables.
#pragma once

#include "GridColumns.h"

namespace keldar {

using TColumnChart = TColumnT<ChartFamily>;
using TEnumColumnChart = TEnumColumnT<ChartFamily>;
using TIntColumnChart = TIntColumnT<ChartFamily>;
using TFloatColumnChart = TFloatColumnT<ChartFamily>;
using TTableColumnChart = TTableColumnT<ChartFamily>;
using TStringColumnChart = TStringColumnT<ChartFamily>;
using TDataChart = TDataT<ChartFamily>;
using TGridTableListChart = TGridTableListT<ChartFamily>;
using TColumnChartTypeStorage = TColumnTypeStorageT<ChartFamily>;
using TColumnChartTypeRegistry = TColumnTypeRegistryT<ChartFamily>;

}  // namespace keldar
