// The plain data table.
#pragma once

#include "ColumnTypes.h"
#include "GridTable.h"

namespace keldar {

using TGridTable = TGridTableT<PlainFamily>;
using TTableEvents = TTableEventsT<PlainFamily>;

}  // namespace keldar
