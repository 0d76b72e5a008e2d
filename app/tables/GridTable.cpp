#include "GridTable.h"

#include <algorithm>
#include <cstdio>

namespace keldar {

// Creation serials are never reused, unlike identifiers and addresses.
static std::uint64_t NextTableSerial() {
    static std::uint64_t serial = 0;
    return ++serial;
}

TGridTable::TGridTable(TTableRegistry& registry, TTableFamily family)
    : fRegistry(&registry),
      fFamily(family),
      fIdentifier(registry.NextFreeIdentifier(family)),
      fSerial(NextTableSerial()) {
    registry.Add(family, *this);
}

TGridTable::~TGridTable() {
    if (fEditor) fEditor->TableDestroyed();
    fEditor = nullptr;
    fCellChanged = nullptr;
    fStructureChanged = nullptr;
    SetRowCount(0);
    fColumns.clear();
    fRegistry->Remove(fFamily, *this);
}

TGridTable* TGridTable::FindByIdentifier(std::int32_t identifier) const {
    return fRegistry->Find(fFamily, identifier);
}

void TGridTable::SetIdentifier(std::int32_t identifier) {
    if (identifier < 0 || identifier == fIdentifier) return;
    if (TGridTable* other = FindByIdentifier(identifier)) other->fIdentifier = fIdentifier;
    fIdentifier = identifier;
}

void TGridTable::SetMinRows(int rows) {
    if (rows <= 0) {
        if (!fLoading) throw ETableError("Value must be greater than 0");
        rows = 1;
    }
    fMinRows = rows;
}

TColumn& TGridTable::ColumnAt(int i) const {
    CheckIndex(i, ColumnCount());
    return *fColumns[i];
}

int TGridTable::IndexOf(const TColumn& column) const {
    for (std::size_t i = 0; i < fColumns.size(); ++i)
        if (fColumns[i].get() == &column) return static_cast<int>(i);
    return -1;
}

TColumn& TGridTable::AddColumn(std::unique_ptr<TColumn> column) {
    if (!column || &column->OwnerTable() != this)
        throw ETableError("Column does not belong to this table");
    TColumn& added = *column;
    fColumns.push_back(std::move(column));
    while (added.RowCount() < fRowCount)
        added.InsertRows(added.RowCount(), std::min(fRowGroup, fRowCount - added.RowCount()));
    ApplyTemplateListLength();
    NotifyStructureChanged();
    return added;
}

void TGridTable::ClearColumns() {
    // Sub-tables go first, while the columns they depend on still exist.
    const int rows = fRowCount;
    SetRowCount(0);
    fColumns.clear();
    fRowCount = rows;
    NotifyStructureChanged();
}

int TGridTable::VisibleColumnCount() const {
    return static_cast<int>(std::count_if(fColumns.begin(), fColumns.end(),
                                          [](const auto& c) { return c->Visible(); }));
}

TColumn& TGridTable::VisibleColumn(int i) const {
    if (i >= 0) {
        for (const auto& column : fColumns)
            if (column->Visible() && i-- == 0) return *column;
    }
    throw ETableError(kIndexOutOfBounds);
}

int TGridTable::HeaderRowCount() const {
    int rows = 0;
    for (const auto& column : fColumns)
        if (column->Visible()) rows = std::max(rows, column->HeaderLineCount());
    return rows;
}

void TGridTable::SetRowCount(int rows) {
    rows = std::max(rows, 0);
    for (const auto& column : fColumns) {
        while (column->RowCount() > rows) column->DeleteRow(column->RowCount() - 1);
        // Appended in row-group steps, never past the requested count.
        while (column->RowCount() < rows)
            column->InsertRows(column->RowCount(), std::min(fRowGroup, rows - column->RowCount()));
    }
    fRowCount = rows;
}

void TGridTable::AppendGroup() {
    const int at = fRowCount;
    for (const auto& column : fColumns) column->InsertRows(at, fRowGroup);
    fRowCount += fRowGroup;
    NotifyStructureChanged();
}

void TGridTable::InsertGroup(int row) {
    CheckIndex(row, fRowCount + 1);  // a group may go in after the last row
    const int at = std::min(fRowGroup * (row / fRowGroup), fRowCount);
    for (const auto& column : fColumns) column->InsertRows(at, fRowGroup);
    fRowCount += fRowGroup;
    NotifyStructureChanged();
}

void TGridTable::DeleteGroup(int row) {
    CheckIndex(row, fRowCount);
    const int first = fRowGroup * (row / fRowGroup);
    const int count = std::min(fRowGroup, fRowCount - first);
    for (const auto& column : fColumns)
        for (int i = 0; i < count; ++i) column->DeleteRow(first);
    fRowCount -= count;
    NotifyStructureChanged();
}

TData& TGridTable::Cell(int column, int row) const { return ColumnAt(column).Cell(row); }

void TGridTable::SetUnits(int system) {
    system = std::clamp(system, 1, 2);
    if (system == fUnitSystem) return;
    // Each column converts from the system still stored in the table.
    for (const auto& column : fColumns) column->SetUnits(system);
    fUnitSystem = system;
    NotifyStructureChanged();
}

void TGridTable::SetIndexNumber(int number) {
    fIndexNumber = number;
    if (fEditor) fEditor->ResetCaption();
}

bool TGridTable::IsChanged() const {
    if (fChanged) return true;
    return std::any_of(fColumns.begin(), fColumns.end(),
                       [](const auto& column) { return column->IsChanged(); });
}

void TGridTable::SetChanged(bool changed) {
    if (changed) {
        fChanged = true;
        return;
    }
    fChanged = false;
    for (const auto& column : fColumns) column->ResetChanged();
}

void TGridTable::WriteDefinition(TDefinitionWriter& writer) const {
    writer.WriteInteger(ColumnCount());
    writer.BreakLine();
    for (const auto& column : fColumns) {
        writer.WriteInteger(static_cast<int>(column->Kind()));
        column->WriteDefinition(writer);
        writer.BreakLine();
    }
    WriteTrailer(writer);
}

void TGridTable::ReadDefinition(TDefinitionReader& reader) {
    ClearColumns();
    std::int32_t count = 0;
    try {
        count = reader.ReadInteger();
    } catch (const EDefinitionError&) {
        throw ETableError("Error reading column count");
    }
    if (count < 0) throw ETableError("Error reading column count");

    for (std::int32_t i = 0; i < count; ++i) {
        const auto fail = [i](const char* message) {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "Error occured when creating column %d: ", i);
            return ETableError(buffer + std::string(message));
        };
        std::int32_t kind = -1;
        try {
            kind = reader.ReadInteger();
        } catch (const EDefinitionError& e) {
            throw fail(e.what());
        }
        std::unique_ptr<TColumn> column;
        try {
            column = TColumn::FromDefinition(kind, *this, reader);
        } catch (const std::exception& e) {
            throw fail(e.what());
        }
        if (!column) throw ETableError("Error Column Class not defined");
        // A top-depth column pairs with the number column after it.
        const auto* previous = i > 0 ? ColumnAs<TFloatColumn>(fColumns.back().get()) : nullptr;
        const auto* current = ColumnAs<TFloatColumn>(column.get());
        const bool unpaired = (previous && previous->TopDepth() && !current) ||
                              (current && current->TopDepth() && i == count - 1);
        if (unpaired)
            throw fail("If column if a topdepth then the next column must be a float column");
        AddColumn(std::move(column));
    }
    ReadTrailer(reader);
    NotifyStructureChanged();
}

std::string TGridTable::DefinitionText() const {
    TDefinitionWriter writer;
    WriteDefinition(writer);
    return writer.Text();
}

void TGridTable::SetDefinitionText(std::string_view text) {
    TDefinitionReader reader(text);
    ReadDefinition(reader);
}

bool TGridTable::WouldNestInside(const TGridTable& target) const {
    for (const TGridTable* t = &target; t; t = t->fOwner)
        if (t->fSerial == fSerial || t->fTemplateSerial == fSerial) return true;
    return false;
}

std::unique_ptr<TGridTable> TGridTable::NewOfSameKind() const {
    return std::make_unique<TGridTable>(*fRegistry);
}

std::unique_ptr<TGridTable> TGridTable::CloneAsSubTable(TGridTable& owner, int indexNumber) const {
    std::unique_ptr<TGridTable> sub = NewOfSameKind();
    sub->fOwner = &owner;
    sub->fTemplateSerial = fSerial;
    sub->fUnitSystem = owner.fUnitSystem;
    sub->fCaption = fCaption;
    sub->fComments = fComments;
    sub->fTopLeft = fTopLeft;
    sub->fHelpPicture = fHelpPicture;
    sub->fMinRows = fMinRows;
    sub->fMaxRows = fMaxRows;
    for (const auto& column : fColumns) sub->AddColumn(column->Clone(*sub));
    sub->fIndexNumber = indexNumber;
    sub->SetRowCount(sub->fMinRows);
    return sub;
}

void TGridTable::CarryNumbersFrom(const TGridTable& from) {
    const int rows = std::min(fRowCount, from.fRowCount);
    const int columns = std::min(ColumnCount(), from.ColumnCount());
    for (int c = 0; c < columns; ++c) {
        auto* target = ColumnAs<TFloatColumn>(fColumns[c].get());
        const auto* source = ColumnAs<TFloatColumn>(from.fColumns[c].get());
        if (!target || !source) continue;
        for (int r = 0; r < rows; ++r) target->Assign(r, source->GetFloat(r));
    }
}

void TGridTable::SetNotifications(CellChangedFn cellChanged, StructureChangedFn structureChanged) {
    fCellChanged = std::move(cellChanged);
    fStructureChanged = std::move(structureChanged);
}

void TGridTable::ClearNotifications() {
    fCellChanged = nullptr;
    fStructureChanged = nullptr;
}

void TGridTable::CloseEditors() {
    if (fEditor) fEditor->CloseEditor();
    for (const auto& column : fColumns) column->CloseForms();
}

void TGridTable::NotifyCellChanged(const TColumn& column, int row) {
    if (!fCellChanged) return;
    const int index = IndexOf(column);
    if (index >= 0) fCellChanged(index, row);
}

void TGridTable::NotifyStructureChanged() {
    if (fStructureChanged) fStructureChanged();
}

void TGridTable::ItemChanged(int row) {
    for (const auto& column : fColumns) {
        if (auto* buttons = ColumnAs<TTableColumn>(column.get())) {
            buttons->RecreateRowObject(row);
            return;
        }
    }
}

const TEnumColumn* TGridTable::ItemColumn() const {
    return fColumns.empty() ? nullptr : ColumnAs<TEnumColumn>(fColumns.front().get());
}

void TGridTable::ApplyTemplateListLength() {
    const TEnumColumn* items = ItemColumn();
    const int length = items ? static_cast<int>(items->Items().size()) : 1;
    for (const auto& column : fColumns)
        if (auto* buttons = ColumnAs<TTableColumn>(column.get()))
            buttons->Templates().Resize(length);
}

}  // namespace keldar
