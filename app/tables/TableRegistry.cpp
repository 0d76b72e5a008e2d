#include "TableRegistry.h"

#include <algorithm>

#include "GridTable.h"

namespace keldar {

const std::vector<TGridTable*>& TTableRegistry::Tables(TTableFamily family) const {
    return Of(family).Tables;
}

TGridTable* TTableRegistry::Find(TTableFamily family, std::int32_t identifier) const {
    for (TGridTable* table : Of(family).Tables)
        if (table->Identifier() == identifier) return table;
    return nullptr;
}

std::int32_t TTableRegistry::NextFreeIdentifier(TTableFamily family) {
    std::int32_t& counter = Of(family).Counter;
    while (Find(family, counter)) ++counter;
    return counter++;
}

void TTableRegistry::Add(TTableFamily family, TGridTable& table) {
    Of(family).Tables.push_back(&table);
}

void TTableRegistry::Remove(TTableFamily family, const TGridTable& table) {
    auto& tables = Of(family).Tables;
    tables.erase(std::remove(tables.begin(), tables.end(), &table), tables.end());
}

}  // namespace keldar
