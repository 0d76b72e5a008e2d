// The button column: one sub-table (or event-made object) per row, built from the template that
// the row's item names among the tables of the owner's set.
#include <algorithm>

#include "GridColumns.h"
#include "GridTable.h"

namespace keldar {

// ---- TGridTableList

std::int32_t TGridTableList::Identifier(int i) const {
    return i >= 0 && i < Count() ? fIdentifiers[i] : -1;
}

void TGridTableList::SetIdentifier(int i, std::int32_t identifier) {
    CheckIndex(i, Count());
    fIdentifiers[i] = identifier;
}

void TGridTableList::Resize(int count) {
    fIdentifiers.resize(static_cast<std::size_t>(std::max(count, 0)), -1);
}

TGridTable* TGridTableList::Template(int i) const {
    const std::int32_t identifier = Identifier(i);
    return identifier < 0 ? nullptr : fOwner->FindByIdentifier(identifier);
}

// ---- TTableColumn

std::vector<std::int32_t> TTableColumn::TemplatesByPosition(TGridTable& table,
                                                            std::int32_t position) {
    const auto& tables = table.Registry().Tables(table.Family());
    const std::int32_t atPosition =
        position >= 0 && position < static_cast<std::int32_t>(tables.size())
            ? tables[position]->Identifier()
            : -1;
    const TEnumColumn* items = table.ItemColumn();
    if (!items) return {atPosition};
    // One template per item: the same one for a hardwired button, else the item's number.
    std::vector<std::int32_t> identifiers;
    for (std::size_t i = 0; i < items->Items().size(); ++i)
        identifiers.push_back(table.HardwiredButton() ? atPosition
                                                      : static_cast<std::int32_t>(i + 1));
    return identifiers;
}

std::unique_ptr<TRowObject> TTableColumn::NewRowObject(int row, TRowObject* previous) {
    TGridTable& table = *fTable;
    const TEnumColumn* items = table.ItemColumn();
    const int item = items && row < items->RowCount() ? items->GetInteger(row) : 1;
    const TGridTable* source = fTemplates.Template(item - 1);
    if (source && !source->WouldNestInside(table)) {
        auto sub = source->CloneAsSubTable(table, row + 1);
        // A chart row whose item changes keeps its numbers, column by column.
        if (const TGridTable* old = previous ? previous->AsTable() : nullptr;
            old && table.KeepsNumbersOnNewItem())
            sub->CarryNumbersFrom(*old);
        return sub;
    }
    if (table.Events.OnInitRow) {
        auto object = table.Events.OnInitRow(table, Index(), row, item);
        if (object && table.Events.OnSetRow)
            table.Events.OnSetRow(table, Index(), row, object.get());
        return object;
    }
    return nullptr;
}

void TTableColumn::InsertRows(int at, int count) {
    for (int i = 0; i < count; ++i) fObjects.insert(fObjects.begin() + at + i, nullptr);
    TColumn::InsertRows(at, count);
    for (int r = at; r < at + count; ++r) fObjects[r] = NewRowObject(r, nullptr);
    Renumber(at + count);
}

void TTableColumn::DeleteRow(int row) {
    std::unique_ptr<TRowObject> freed = std::move(fObjects[row]);
    fObjects.erase(fObjects.begin() + row);
    TColumn::DeleteRow(row);
    freed.reset();
    Renumber(row);
}

void TTableColumn::RecreateRowObject(int row) {
    CheckRow(row);
    std::unique_ptr<TRowObject> fresh = NewRowObject(row, fObjects[row].get());
    fObjects[row] = std::move(fresh);
    CellChanged(row);
}

template <typename OnTable, typename OnObject>
void TTableColumn::ForEachRowObject(int from, OnTable onTable, OnObject onObject) const {
    for (int r = from; r < RowCount(); ++r) {
        if (!fObjects[r]) continue;
        if (TGridTable* sub = fObjects[r]->AsTable())
            onTable(r, *sub);
        else
            onObject(r, *fObjects[r]);
    }
}

void TTableColumn::Renumber(int from) {
    TGridTable& table = *fTable;
    ForEachRowObject(
        from, [](int row, TGridTable& sub) { sub.SetIndexNumber(row + 1); },
        [&](int row, TRowObject& object) {
            if (table.Events.OnSetRow) table.Events.OnSetRow(table, Index(), row, &object);
        });
}

std::string TTableColumn::ButtonCaption(int row) const {
    if (const TGridTable* sub = GetTable(row))
        return std::to_string(row + 1) + ": " + sub->Caption();
    TGridTable& table = *fTable;
    if (table.Events.OnGetButtonCaption)
        return table.Events.OnGetButtonCaption(table, Index(), row, fObjects[row].get());
    return {};
}

TGridTable* TTableColumn::GetTable(int row) const {
    CheckRow(row);
    return fObjects[row] ? fObjects[row]->AsTable() : nullptr;
}

TRowObject* TTableColumn::GetObject(int row) const {
    CheckRow(row);
    return fObjects[row].get();
}

bool TTableColumn::IsChanged() const {
    TGridTable& table = *fTable;
    // Once one row is changed the others are not asked.
    bool changed = false;
    ForEachRowObject(
        0, [&](int, TGridTable& sub) { changed = changed || sub.IsChanged(); },
        [&](int row, TRowObject& object) {
            changed = changed || (table.Events.OnGetChanged &&
                                  table.Events.OnGetChanged(table, Index(), row, &object));
        });
    return changed;
}

void TTableColumn::CloseForms() {
    TGridTable& table = *fTable;
    ForEachRowObject(
        0, [](int, TGridTable& sub) { sub.CloseEditors(); },
        [&](int row, TRowObject& object) {
            if (table.Events.OnHide) table.Events.OnHide(table, Index(), row, &object);
        });
}

void TTableColumn::ResetChanged() {
    TGridTable& table = *fTable;
    ForEachRowObject(
        0, [](int, TGridTable& sub) { sub.SetChanged(false); },
        [&](int row, TRowObject& object) {
            if (table.Events.OnResetChanged)
                table.Events.OnResetChanged(table, Index(), row, &object);
        });
}

void TTableColumn::SetUnits(int system) {
    TGridTable& table = *fTable;
    ForEachRowObject(
        0, [system](int, TGridTable& sub) { sub.SetUnits(system); },
        [&](int row, TRowObject& object) {
            if (table.Events.OnSetUnits)
                table.Events.OnSetUnits(table, Index(), row, &object, system);
        });
}

int TTableColumn::MinimumWidth(int pixelsPerInch) const { return 2 * pixelsPerInch; }

void TTableColumn::ReadSettings(TDefinitionReader& reader) {
    const std::string tag = reader.ReadString();
    std::vector<std::int32_t> identifiers;
    if (tag == "FLEXCOLUMN2") {
        reader.ReadListBegin();
        while (!reader.EndOfList()) identifiers.push_back(reader.ReadInteger());
        reader.ReadListEnd();
    } else {
        identifiers = TemplatesByPosition(*fTable, reader.ReadInteger());
    }
    fTemplates.Assign(std::move(identifiers));
}

void TTableColumn::WriteSettings(TDefinitionWriter& writer) const {
    writer.WriteString("FLEXCOLUMN2");
    writer.WriteListBegin();
    for (int i = 0; i < fTemplates.Count(); ++i)
        writer.WriteInteger(fTemplates.Template(i) ? fTemplates.Identifier(i) : -1);
    writer.WriteListEnd();
}

std::unique_ptr<TColumn> TTableColumn::Clone(TGridTable& table) const {
    auto column = std::make_unique<TTableColumn>(table);
    column->CopySettings(*this);
    column->fTemplates.Assign(fTemplates.Identifiers());
    return column;
}

}  // namespace keldar
