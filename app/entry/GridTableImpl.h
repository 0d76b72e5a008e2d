// Member definitions of the data table; included by the two family units only.
#pragma once

#include <algorithm>
#include <cstdio>

#include "GridColumnsImpl.h"
#include "GridTable.h"

namespace keldar {

namespace detail {

// Creation serials are never reused, unlike identifiers and addresses.
inline std::uint64_t NextTableSerial() {
    static std::uint64_t serial = 0;
    return ++serial;
}

}  // namespace detail

template <class F>
std::vector<TGridTableT<F>*>& TGridTableT<F>::MutableRegistry() {
    static std::vector<TGridTableT*> registry;
    return registry;
}

template <class F>
const std::vector<TGridTableT<F>*>& TGridTableT<F>::Registry() {
    return MutableRegistry();
}

template <class F>
TGridTableT<F>* TGridTableT<F>::FindByIdentifier(std::int32_t identifier) {
    for (TGridTableT* table : MutableRegistry())
        if (table->fIdentifier == identifier) return table;
    return nullptr;
}

template <class F>
std::int32_t TGridTableT<F>::NextFreeIdentifier() {
    static std::int32_t counter = 0;
    // The counter skips identifiers that declared tables took, so identifiers stay unique.
    while (FindByIdentifier(counter)) ++counter;
    return counter++;
}

template <class F>
TGridTableT<F>::TGridTableT()
    : fIdentifier(NextFreeIdentifier()), fSerial(detail::NextTableSerial()) {
    MutableRegistry().push_back(this);
}

template <class F>
TGridTableT<F>::~TGridTableT() {
    if (fEditor) fEditor->TableDestroyed();
    fEditor = nullptr;
    fCellChanged = nullptr;
    fStructureChanged = nullptr;
    SetRowCount(0);
    fColumns.clear();
    auto& registry = MutableRegistry();
    registry.erase(std::remove(registry.begin(), registry.end(), this), registry.end());
}

template <class F>
void TGridTableT<F>::SetIdentifier(std::int32_t identifier) {
    if (identifier < 0 || identifier == fIdentifier) return;
    if (TGridTableT* other = FindByIdentifier(identifier)) other->fIdentifier = fIdentifier;
    fIdentifier = identifier;
}

template <class F>
void TGridTableT<F>::SetMinRows(int rows) {
    if (rows <= 0) {
        if (!fLoading) throw ETableError("Value must be greater than 0");
        rows = 1;
    }
    fMinRows = rows;
}

template <class F>
TColumnT<F>& TGridTableT<F>::ColumnAt(int i) const {
    if (i < 0 || i >= ColumnCount()) throw ETableError("Index out of bounds");
    return *fColumns[i];
}

template <class F>
int TGridTableT<F>::IndexOf(const Column& column) const {
    for (std::size_t i = 0; i < fColumns.size(); ++i)
        if (fColumns[i].get() == &column) return static_cast<int>(i);
    return -1;
}

template <class F>
TColumnT<F>& TGridTableT<F>::AddColumn(std::unique_ptr<Column> column) {
    if (!column || &column->OwnerTable() != this)
        throw ETableError("Column does not belong to this table");
    Column& added = *column;
    fColumns.push_back(std::move(column));
    while (added.RowCount() < fRowCount)
        added.InsertRows(added.RowCount(), std::min(fRowGroup, fRowCount - added.RowCount()));
    ApplyTemplateListLength();
    NotifyStructureChanged();
    return added;
}

template <class F>
void TGridTableT<F>::ClearColumns() {
    // Sub-tables go first, while the columns they depend on still exist.
    const int rows = fRowCount;
    SetRowCount(0);
    fColumns.clear();
    fRowCount = rows;
    NotifyStructureChanged();
}

template <class F>
int TGridTableT<F>::VisibleColumnCount() const {
    return static_cast<int>(std::count_if(fColumns.begin(), fColumns.end(),
                                          [](const auto& c) { return c->Visible(); }));
}

template <class F>
TColumnT<F>& TGridTableT<F>::VisibleColumn(int i) const {
    if (i >= 0) {
        for (const auto& column : fColumns)
            if (column->Visible() && i-- == 0) return *column;
    }
    throw ETableError("Index out of bounds");
}

template <class F>
int TGridTableT<F>::HeaderRowCount() const {
    int rows = 0;
    for (const auto& column : fColumns)
        if (column->Visible()) rows = std::max(rows, column->HeaderLineCount());
    return rows;
}

template <class F>
void TGridTableT<F>::SetRowCount(int rows) {
    rows = std::max(rows, 0);
    for (const auto& column : fColumns) {
        while (column->RowCount() > rows) column->DeleteRow(column->RowCount() - 1);
        // Appended in row-group steps, never past the requested count.
        while (column->RowCount() < rows)
            column->InsertRows(column->RowCount(), std::min(fRowGroup, rows - column->RowCount()));
    }
    fRowCount = rows;
}

template <class F>
void TGridTableT<F>::AppendGroup() {
    const int at = fRowCount;
    for (const auto& column : fColumns) column->InsertRows(at, fRowGroup);
    fRowCount += fRowGroup;
    NotifyStructureChanged();
}

template <class F>
void TGridTableT<F>::InsertGroup(int row) {
    if (row < 0 || row > fRowCount) throw ETableError("Index out of bounds");
    const int at = std::min(fRowGroup * (row / fRowGroup), fRowCount);
    for (const auto& column : fColumns) column->InsertRows(at, fRowGroup);
    fRowCount += fRowGroup;
    NotifyStructureChanged();
}

template <class F>
void TGridTableT<F>::DeleteGroup(int row) {
    if (row < 0 || row >= fRowCount) throw ETableError("Index out of bounds");
    const int first = fRowGroup * (row / fRowGroup);
    const int count = std::min(fRowGroup, fRowCount - first);
    for (const auto& column : fColumns)
        for (int i = 0; i < count; ++i) column->DeleteRow(first);
    fRowCount -= count;
    NotifyStructureChanged();
}

template <class F>
TDataT<F>& TGridTableT<F>::Cell(int column, int row) const {
    return ColumnAt(column).Cell(row);
}

template <class F>
void TGridTableT<F>::SetUnits(int system) {
    system = std::clamp(system, 1, 2);
    if (system == fUnitSystem) return;
    // Each column converts from the system still stored in the table.
    for (const auto& column : fColumns) column->SetUnits(system);
    fUnitSystem = system;
    NotifyStructureChanged();
}

template <class F>
void TGridTableT<F>::SetIndexNumber(int number) {
    fIndexNumber = number;
    if (fEditor) fEditor->ResetCaption();
}

template <class F>
bool TGridTableT<F>::IsChanged() const {
    if (fChanged) return true;
    return std::any_of(fColumns.begin(), fColumns.end(),
                       [](const auto& column) { return column->IsChanged(); });
}

template <class F>
void TGridTableT<F>::SetChanged(bool changed) {
    if (changed) {
        fChanged = true;
        return;
    }
    fChanged = false;
    for (const auto& column : fColumns) column->ResetChanged();
}

template <class F>
void TGridTableT<F>::WriteDefinition(TDefinitionWriter& writer) const {
    writer.WriteInteger(ColumnCount());
    writer.BreakLine();
    for (const auto& column : fColumns) {
        writer.WriteInteger(TColumnTypeRegistryT<F>::NumberOf(*column));
        column->WriteDefinition(writer);
        writer.BreakLine();
    }
    if constexpr (F::kChart) {
        writer.WriteBoolean(fChart.ShowChart);
        writer.WriteBoolean(fChart.SegmentDrawing);
        writer.WriteInteger(fChart.XColumn);
        writer.WriteInteger(fChart.YColumn);
        writer.WriteInteger(fChart.SecondXColumn);
        writer.WriteInteger(fChart.SecondYColumn);
        writer.BreakLine();
    }
}

template <class F>
void TGridTableT<F>::ReadDefinition(TDefinitionReader& reader) {
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
        const TColumnTypeStorageT<F>* storage = TColumnTypeRegistryT<F>::Find(kind);
        if (!storage) throw ETableError("Error Column Class not defined");
        std::unique_ptr<Column> column;
        try {
            column = storage->CreateFromDefinition(*this, reader);
        } catch (const std::exception& e) {
            throw fail(e.what());
        }
        // A top-depth column pairs with the number column after it.
        auto* previous = i > 0 ? dynamic_cast<TFloatColumnT<F>*>(fColumns.back().get()) : nullptr;
        auto* current = dynamic_cast<TFloatColumnT<F>*>(column.get());
        const bool unpaired = (previous && previous->TopDepth() && !current) ||
                              (current && current->TopDepth() && i == count - 1);
        if (unpaired)
            throw fail("If column if a topdepth then the next column must be a float column");
        AddColumn(std::move(column));
    }

    if constexpr (F::kChart) {
        try {
            TChartParameters chart;
            chart.ShowChart = reader.ReadBoolean();
            chart.SegmentDrawing = reader.ReadBoolean();
            chart.XColumn = reader.ReadInteger();
            chart.YColumn = reader.ReadInteger();
            chart.SecondXColumn = reader.ReadInteger();
            chart.SecondYColumn = reader.ReadInteger();
            fChart = chart;
        } catch (const EDefinitionError&) {
            throw ETableError("Error reading graphic parameters");
        }
    }
    NotifyStructureChanged();
}

template <class F>
std::string TGridTableT<F>::DefinitionText() const {
    TDefinitionWriter writer;
    WriteDefinition(writer);
    return writer.Text();
}

template <class F>
void TGridTableT<F>::SetDefinitionText(std::string_view text) {
    TDefinitionReader reader(text);
    ReadDefinition(reader);
}

template <class F>
bool TGridTableT<F>::WouldNestInside(const TGridTableT& target) const {
    for (const TGridTableT* t = &target; t; t = t->fOwner)
        if (t->fSerial == fSerial || t->fTemplateSerial == fSerial) return true;
    return false;
}

template <class F>
std::unique_ptr<TGridTableT<F>> TGridTableT<F>::CloneAsSubTable(TGridTableT& owner,
                                                                int indexNumber) const {
    auto sub = std::make_unique<TGridTableT>();
    sub->fOwner = &owner;
    sub->fTemplateSerial = fSerial;
    sub->fUnitSystem = owner.fUnitSystem;
    sub->fCaption = fCaption;
    sub->fComments = fComments;
    sub->fTopLeft = fTopLeft;
    sub->fHelpPicture = fHelpPicture;
    sub->fMinRows = fMinRows;
    sub->fMaxRows = fMaxRows;
    if constexpr (F::kChart) {
        sub->fChart = fChart;
        sub->fGetDataFromFile = fGetDataFromFile;
        sub->fOKCancelButtons = fOKCancelButtons;
        sub->fInvertedXAxis = fInvertedXAxis;
        sub->fInvertedYAxis = fInvertedYAxis;
    }
    for (const auto& column : fColumns) sub->AddColumn(column->Clone(*sub));
    sub->fIndexNumber = indexNumber;
    sub->SetRowCount(sub->fMinRows);
    return sub;
}

template <class F>
void TGridTableT<F>::CarryNumbersFrom(const TGridTableT& from) {
    const int rows = std::min(fRowCount, from.fRowCount);
    const int columns = std::min(ColumnCount(), from.ColumnCount());
    for (int c = 0; c < columns; ++c) {
        auto* target = dynamic_cast<TFloatColumnT<F>*>(fColumns[c].get());
        auto* source = dynamic_cast<TFloatColumnT<F>*>(from.fColumns[c].get());
        if (!target || !source) continue;
        for (int r = 0; r < rows; ++r) target->Assign(r, source->GetFloat(r));
    }
}

template <class F>
void TGridTableT<F>::SetNotifications(CellChangedFn cellChanged,
                                      StructureChangedFn structureChanged) {
    fCellChanged = std::move(cellChanged);
    fStructureChanged = std::move(structureChanged);
}

template <class F>
void TGridTableT<F>::ClearNotifications() {
    fCellChanged = nullptr;
    fStructureChanged = nullptr;
}

template <class F>
void TGridTableT<F>::CloseEditors() {
    if (fEditor) fEditor->CloseEditor();
    for (const auto& column : fColumns) column->CloseForms();
}

template <class F>
void TGridTableT<F>::NotifyCellChanged(const Column& column, int row) {
    if (!fCellChanged) return;
    const int index = IndexOf(column);
    if (index >= 0) fCellChanged(index, row);
}

template <class F>
void TGridTableT<F>::NotifyStructureChanged() {
    if (fStructureChanged) fStructureChanged();
}

template <class F>
void TGridTableT<F>::ItemChanged(int row) {
    for (const auto& column : fColumns) {
        if (auto* buttons = dynamic_cast<TTableColumnT<F>*>(column.get())) {
            buttons->RecreateRowObject(row);
            return;
        }
    }
}

template <class F>
void TGridTableT<F>::ApplyTemplateListLength() {
    int length = 1;
    if (!fColumns.empty())
        if (auto* items = dynamic_cast<TEnumColumnT<F>*>(fColumns.front().get()))
            length = static_cast<int>(items->Items().size());
    for (const auto& column : fColumns)
        if (auto* buttons = dynamic_cast<TTableColumnT<F>*>(column.get()))
            buttons->Templates().Resize(length);
}

}  // namespace keldar
