// The plain family's classes, instantiated from the shared definitions.
#include "Table.h"

#include "GridTableImpl.h"

namespace keldar {

template class TDataT<PlainFamily>;
template class TColumnT<PlainFamily>;
template class TEnumColumnT<PlainFamily>;
template class TIntColumnT<PlainFamily>;
template class TFloatColumnT<PlainFamily>;
template class TGridTableListT<PlainFamily>;
template class TTableColumnT<PlainFamily>;
template class TStringColumnT<PlainFamily>;
template class TColumnTypeRegistryT<PlainFamily>;
template class TGridTableT<PlainFamily>;

}  // namespace keldar
