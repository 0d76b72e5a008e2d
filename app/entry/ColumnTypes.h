// Column kinds of the plain data tables.
#pragma once

#include "GridColumns.h"

namespace keldar {

using TColumn = TColumnT<PlainFamily>;
using TEnumColumn = TEnumColumnT<PlainFamily>;
using TIntColumn = TIntColumnT<PlainFamily>;
using TFloatColumn = TFloatColumnT<PlainFamily>;
using TTableColumn = TTableColumnT<PlainFamily>;
using TStringColumn = TStringColumnT<PlainFamily>;
using TData = TDataT<PlainFamily>;
using TGridTableList = TGridTableListT<PlainFamily>;
using TColumnTypeStorage = TColumnTypeStorageT<PlainFamily>;
using TColumnTypeRegistry = TColumnTypeRegistryT<PlainFamily>;

}  // namespace keldar
