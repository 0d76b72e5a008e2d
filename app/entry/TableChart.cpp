// The chart family's classes, instantiated from the shared definitions.
#include "TableChart.h"

#include "GridTableImpl.h"

namespace keldar {

template class TDataT<ChartFamily>;
template class TColumnT<ChartFamily>;
template class TEnumColumnT<ChartFamily>;
template class TIntColumnT<ChartFamily>;
template class TFloatColumnT<ChartFamily>;
template class TGridTableListT<ChartFamily>;
template class TTableColumnT<ChartFamily>;
template class TStringColumnT<ChartFamily>;
template class TColumnTypeRegistryT<ChartFamily>;
template class TGridTableT<ChartFamily>;

}  // namespace keldar
