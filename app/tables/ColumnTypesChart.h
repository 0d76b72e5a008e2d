// The chart-preview tables use the same column kinds as the plain tables; these names say so
// where code reads the columns of a chart table.
#pragma once

#include "GridColumns.h"

namespace keldar {

using TColumnChart = TColumn;
using TEnumColumnChart = TEnumColumn;
using TIntColumnChart = TIntColumn;
using TFloatColumnChart = TFloatColumn;
using TTableColumnChart = TTableColumn;
using TStringColumnChart = TStringColumn;
using TDataChart = TData;
using TGridTableListChart = TGridTableList;

}  // namespace keldar
