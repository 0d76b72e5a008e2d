// Member definitions of the column kinds; included by the two family units only.
#pragma once

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "EntryErrors.h"
#include "Evaluator.h"
#include "GridColumns.h"
#include "GridTable.h"
#include "NumberFormat.h"
#include "Units.h"

namespace keldar::detail {

inline std::string FormatMessage(const char* format, long long a, long long b) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, a, b);
    return buffer;
}

// Evaluates an entry; every rejection reaches the caller as EAssignError.
inline long double EvaluateEntry(std::string_view text) {
    try {
        return Evaluate(text);
    } catch (const EAssignError&) {
        throw;
    } catch (const EMathError& e) {
        throw EAssignError(e.what());
    } catch (const std::invalid_argument&) {
        if (text.empty()) throw EAssignError("Entry cannot be blank.");
        throw EAssignError(std::string(text) + " is not a valid number.");
    } catch (const std::out_of_range&) {
        throw EAssignError(std::string(text) + " is not a valid number.");
    }
}

inline bool IsWhole(long double value) { return std::fabs(value - std::round(value)) <= 1e-10L; }

inline bool InInt32(long double value) {
    return value >= static_cast<long double>(INT32_MIN) &&
           value <= static_cast<long double>(INT32_MAX);
}

inline void WriteStrings(TDefinitionWriter& writer, const std::vector<std::string>& lines) {
    writer.WriteListBegin();
    for (const std::string& line : lines) writer.WriteString(line);
    writer.WriteListEnd();
}

inline std::vector<std::string> ReadStrings(TDefinitionReader& reader) {
    std::vector<std::string> lines;
    reader.ReadListBegin();
    while (!reader.EndOfList()) lines.push_back(reader.ReadString());
    reader.ReadListEnd();
    return lines;
}

}  // namespace keldar::detail

namespace keldar {

// ---- TDataT

template <class F>
int TDataT<F>::Row() const {
    const auto& cells = fColumn->fCells;
    const auto count = static_cast<int>(cells.size());
    if (fRowHint >= 0 && fRowHint < count && cells[fRowHint].get() == this) return fRowHint;
    for (int i = 0; i < count; ++i) {
        if (cells[i].get() == this) {
            fRowHint = i;
            return i;
        }
    }
    return -1;
}

// ---- TColumnT

template <class F>
int TColumnT<F>::Index() const {
    return fTable->IndexOf(*this);
}

template <class F>
void TColumnT<F>::CheckRow(int row) const {
    if (row < 0 || row >= RowCount()) throw ETableError("Index out of bounds");
}

template <class F>
TDataT<F>& TColumnT<F>::Cell(int row) {
    CheckRow(row);
    fCells[row]->fRowHint = row;
    return *fCells[row];
}

template <class F>
void TColumnT<F>::InsertRows(int at, int count) {
    for (int i = 0; i < count; ++i)
        fCells.insert(fCells.begin() + at + i, std::make_unique<TDataT<F>>(*this));
}

template <class F>
void TColumnT<F>::DeleteRow(int row) {
    fCells.erase(fCells.begin() + row);
}

template <class F>
std::string TColumnT<F>::HeaderLine(int i) const {
    if (i < 0 || i >= HeaderLineCount()) return {};
    return fHeaders[i];
}

template <class F>
TGridTableT<F>* TColumnT<F>::GetTable(int) const {
    throw ETableError("Data of wrong type");
}

template <class F>
TRowObject* TColumnT<F>::GetObject(int) const {
    throw ETableError("Data of wrong type");
}

template <class F>
long double TColumnT<F>::GetFloat(int) const {
    throw ETableError("Data of wrong type");
}

template <class F>
void TColumnT<F>::SetFloat(int, long double) {
    throw ETableError("Data of wrong type");
}

template <class F>
std::int32_t TColumnT<F>::GetInteger(int) const {
    throw ETableError("Data of wrong type");
}

template <class F>
void TColumnT<F>::SetInteger(int, std::int32_t) {
    throw ETableError("Data of wrong type");
}

template <class F>
std::string TColumnT<F>::GetText(int) const {
    return {};
}

template <class F>
void TColumnT<F>::SetText(int, std::string_view) {}

template <class F>
int TColumnT<F>::RowGroup() const {
    return fTable->RowGroup();
}

template <class F>
std::pair<int, int> TColumnT<F>::GroupRows(int row) const {
    const int group = RowGroup();
    const int first = group * (row / group);
    return {first, std::min(first + group, RowCount())};
}

template <class F>
void TColumnT<F>::CellChanged(int row) {
    fTable->NotifyCellChanged(*this, row);
}

template <class F>
TColumnT<F>* TColumnT<F>::NextColumn() const {
    const int i = Index();
    return i >= 0 && i + 1 < fTable->ColumnCount() ? &fTable->ColumnAt(i + 1) : nullptr;
}

template <class F>
TColumnT<F>* TColumnT<F>::PreviousColumn() const {
    const int i = Index();
    return i > 0 ? &fTable->ColumnAt(i - 1) : nullptr;
}

template <class F>
int TColumnT<F>::MinimumWidth(int) const {
    return 0;
}

template <class F>
int TColumnT<F>::Width(const TTextWidth& textWidth, int pixelsPerInch) const {
    int widest = 0;
    for (int i = 0; i < HeaderLineCount(); ++i)
        widest = std::max(widest, textWidth(HeaderLine(i) + "  "));
    return std::max(widest, MinimumWidth(pixelsPerInch));
}

template <class F>
void TColumnT<F>::WriteDefinition(TDefinitionWriter& writer) const {
    detail::WriteStrings(writer, fHeaders);
    writer.WriteBoolean(fVisible);
    writer.WriteBoolean(fGroupShared);
}

template <class F>
void TColumnT<F>::ReadDefinition(TDefinitionReader& reader) {
    fHeaders = detail::ReadStrings(reader);
    fVisible = reader.ReadBoolean();
    fGroupShared = reader.ReadBoolean();
}

template <class F>
void TColumnT<F>::CopySettings(const TColumnT& from) {
    fHeaders = from.fHeaders;
    fVisible = from.fVisible;
    fGroupShared = from.fGroupShared;
}

// ---- TEnumColumnT

template <class F>
std::unique_ptr<TColumnT<F>> TEnumColumnT<F>::CreateFromDefinition(Table& table,
                                                                   TDefinitionReader& reader) {
    auto column = std::make_unique<TEnumColumnT>(table);
    column->ReadDefinition(reader);
    column->fItems = detail::ReadStrings(reader);
    return column;
}

template <class F>
void TEnumColumnT<F>::SetItems(std::vector<std::string> items) {
    fItems = std::move(items);
    if (this->Index() == 0) this->fTable->ApplyTemplateListLength();
}

template <class F>
void TEnumColumnT<F>::InsertRows(int at, int count) {
    fValues.insert(fValues.begin() + at, count, 1);
    TColumnT<F>::InsertRows(at, count);
}

template <class F>
void TEnumColumnT<F>::DeleteRow(int row) {
    fValues.erase(fValues.begin() + row);
    TColumnT<F>::DeleteRow(row);
}

template <class F>
std::int32_t TEnumColumnT<F>::GetInteger(int row) const {
    this->CheckRow(row);
    return fValues[row];
}

template <class F>
void TEnumColumnT<F>::SetInteger(int row, std::int32_t value) {
    this->CheckRow(row);
    CheckItem(value);
    auto [first, end] = this->GroupShared() ? this->GroupRows(row) : std::pair{row, row + 1};
    for (int r = first; r < end; ++r) {
        if (fValues[r] == value) continue;
        fValues[r] = value;
        this->CellChanged(r);
        if (this->Index() == 0) this->fTable->ItemChanged(r);
    }
}

template <class F>
std::string TEnumColumnT<F>::GetText(int row) const {
    return std::to_string(GetInteger(row));
}

template <class F>
void TEnumColumnT<F>::CheckItem(std::int32_t value) const {
    // An item number with no item would select nothing and pick no template.
    if (value < 1 || value > static_cast<std::int64_t>(fItems.size()))
        throw EAssignError(detail::FormatMessage("Entry must be between %lld and %lld.", 1,
                                                 static_cast<long long>(fItems.size())));
}

template <class F>
std::int32_t TEnumColumnT<F>::ItemOfText(std::string_view text) const {
    const long double value = detail::EvaluateEntry(text);
    if (!detail::IsWhole(value) || !detail::InInt32(std::round(value)))
        throw EAssignError("Value must be an integer.");
    return static_cast<std::int32_t>(std::lround(value));
}

template <class F>
void TEnumColumnT<F>::SetText(int row, std::string_view text) {
    this->CheckRow(row);
    SetInteger(row, ItemOfText(text));
}

template <class F>
void TEnumColumnT<F>::CheckText(std::string_view text) const {
    CheckItem(ItemOfText(text));
}

template <class F>
int TEnumColumnT<F>::MinimumWidth(int pixelsPerInch) const {
    return static_cast<int>(std::lround(1.5 * pixelsPerInch));
}

template <class F>
void TEnumColumnT<F>::WriteDefinition(TDefinitionWriter& writer) const {
    TColumnT<F>::WriteDefinition(writer);
    detail::WriteStrings(writer, fItems);
}

template <class F>
std::unique_ptr<TColumnT<F>> TEnumColumnT<F>::Clone(Table& table) const {
    auto column = std::make_unique<TEnumColumnT>(table);
    column->CopySettings(*this);
    column->fItems = fItems;
    return column;
}

// ---- TIntColumnT

template <class F>
std::unique_ptr<TColumnT<F>> TIntColumnT<F>::CreateFromDefinition(Table& table,
                                                                  TDefinitionReader& reader) {
    auto column = std::make_unique<TIntColumnT>(table);
    column->ReadDefinition(reader);
    column->fDefault = reader.ReadInteger();
    column->fMinimum = reader.ReadInteger();
    column->fMaximum = reader.ReadInteger();
    return column;
}

template <class F>
void TIntColumnT<F>::SetLimits(std::int32_t defaultValue, std::int32_t minimum,
                               std::int32_t maximum) {
    fDefault = defaultValue;
    fMinimum = minimum;
    fMaximum = maximum;
}

template <class F>
void TIntColumnT<F>::InsertRows(int at, int count) {
    fValues.insert(fValues.begin() + at, count, fDefault);
    TColumnT<F>::InsertRows(at, count);
}

template <class F>
void TIntColumnT<F>::DeleteRow(int row) {
    fValues.erase(fValues.begin() + row);
    TColumnT<F>::DeleteRow(row);
}

template <class F>
std::int32_t TIntColumnT<F>::GetInteger(int row) const {
    this->CheckRow(row);
    return fValues[row];
}

template <class F>
void TIntColumnT<F>::SetInteger(int row, std::int32_t value) {
    this->CheckRow(row);
    auto [first, end] = this->GroupShared() ? this->GroupRows(row) : std::pair{row, row + 1};
    for (int r = first; r < end; ++r) {
        fValues[r] = value;
        this->CellChanged(r);
    }
}

template <class F>
std::string TIntColumnT<F>::GetText(int row) const {
    return std::to_string(GetInteger(row));
}

template <class F>
std::int32_t TIntColumnT<F>::ValueOfText(std::string_view text) const {
    const long double value = detail::EvaluateEntry(text);
    // Checked with or without an open editor: a value outside the limits is never stored.
    if (!detail::IsWhole(value)) throw EAssignError("Entry must be an integer.");
    if (value < fMinimum || value > fMaximum)
        throw EAssignError(
            detail::FormatMessage("Entry must be between %lld and %lld.", fMinimum, fMaximum));
    return static_cast<std::int32_t>(std::lround(value));
}

template <class F>
void TIntColumnT<F>::SetText(int row, std::string_view text) {
    this->CheckRow(row);
    SetInteger(row, ValueOfText(text));
}

template <class F>
void TIntColumnT<F>::CheckText(std::string_view text) const {
    ValueOfText(text);
}

template <class F>
int TIntColumnT<F>::MinimumWidth(int pixelsPerInch) const {
    return pixelsPerInch / 2;
}

template <class F>
void TIntColumnT<F>::WriteDefinition(TDefinitionWriter& writer) const {
    TColumnT<F>::WriteDefinition(writer);
    writer.WriteInteger(fDefault);
    writer.WriteInteger(fMinimum);
    writer.WriteInteger(fMaximum);
}

template <class F>
std::unique_ptr<TColumnT<F>> TIntColumnT<F>::Clone(Table& table) const {
    auto column = std::make_unique<TIntColumnT>(table);
    column->CopySettings(*this);
    column->SetLimits(fDefault, fMinimum, fMaximum);
    return column;
}

// ---- TFloatColumnT

template <class F>
std::unique_ptr<TColumnT<F>> TFloatColumnT<F>::CreateFromDefinition(Table& table,
                                                                    TDefinitionReader& reader) {
    auto column = std::make_unique<TFloatColumnT>(table);
    column->ReadDefinition(reader);
    column->fTopDepth = reader.ReadBoolean();
    std::string tag = reader.ReadString();
    if (tag == "FLOATCOLUMN2") {
        column->fUnitCode = reader.ReadString();
        column->fDefault = reader.ReadFloat();
    } else {
        // Older definitions: the tag is the unit code and the default is 0.
        column->fUnitCode = std::move(tag);
        column->fDefault = 0;
    }
    return column;
}

template <class F>
TFloatColumnT<F>* TFloatColumnT<F>::BottomOf() const {
    return fTopDepth ? dynamic_cast<TFloatColumnT*>(this->NextColumn()) : nullptr;
}

template <class F>
TFloatColumnT<F>* TFloatColumnT<F>::TopOf() const {
    auto* previous = dynamic_cast<TFloatColumnT*>(this->PreviousColumn());
    return previous && previous->fTopDepth ? previous : nullptr;
}

template <class F>
long double TFloatColumnT<F>::NewRowValue(int row) const {
    // A new layer starts where the previous layer ends ...
    if (fTopDepth) {
        TFloatColumnT* bottom = BottomOf();
        if (bottom && row >= 1 && row <= bottom->RowCount() - 1) return bottom->fValues[row - 1];
        return fDefault;
    }
    // ... and ends where the following layer starts.
    if (TFloatColumnT* top = TopOf(); top && row + 1 < top->RowCount())
        return top->fValues[row + 1];
    return fDefault;
}

template <class F>
void TFloatColumnT<F>::InsertRows(int at, int count) {
    for (int r = at; r < at + count; ++r) fValues.insert(fValues.begin() + r, NewRowValue(r));
    TColumnT<F>::InsertRows(at, count);
}

template <class F>
void TFloatColumnT<F>::DeleteRow(int row) {
    // The following layer's top moves up to the preceding layer's bottom.
    TFloatColumnT* bottom = BottomOf();
    if (bottom && row > 0 && row < this->RowCount() - 1 && row - 1 < bottom->RowCount())
        fValues[row + 1] = bottom->fValues[row - 1];
    fValues.erase(fValues.begin() + row);
    TColumnT<F>::DeleteRow(row);
}

template <class F>
std::string TFloatColumnT<F>::HeaderLine(int i) const {
    std::string line = TColumnT<F>::HeaderLine(i);
    if (fUnitCode.empty() || i != this->HeaderLineCount() - 1) return line;
    return line + " (" + UnitLabel(fUnitCode, this->fTable->UnitSystem()) + ")  ";
}

template <class F>
long double TFloatColumnT<F>::GetFloat(int row) const {
    this->CheckRow(row);
    return fValues[row];
}

template <class F>
void TFloatColumnT<F>::Assign(int row, long double value) {
    this->CheckRow(row);
    fValues[row] = value;
}

template <class F>
void TFloatColumnT<F>::SetFloat(int row, long double value) {
    this->CheckRow(row);
    if (this->GroupShared()) {
        auto [first, end] = this->GroupRows(row);
        for (int r = first; r < end; ++r) {
            fValues[r] = value;
            this->CellChanged(r);
        }
        return;
    }
    fValues[row] = value;
    if (TFloatColumnT* bottom = BottomOf(); bottom && row >= 1 && row - 1 < bottom->RowCount()) {
        bottom->fValues[row - 1] = value;
        bottom->CellChanged(row - 1);
    } else if (TFloatColumnT* top = TopOf(); top && row + 1 < top->RowCount()) {
        top->fValues[row + 1] = value;
        top->CellChanged(row + 1);
    }
    this->CellChanged(row);
}

template <class F>
std::string TFloatColumnT<F>::GetText(int row) const {
    return formatGeneral(GetFloat(row), 8);
}

template <class F>
void TFloatColumnT<F>::SetText(int row, std::string_view text) {
    this->CheckRow(row);
    const long double value = detail::EvaluateEntry(text);
    CheckEntryRange(fEntryRange, value);
    SetFloat(row, value);
}

template <class F>
void TFloatColumnT<F>::CheckText(std::string_view text) const {
    CheckEntryRange(fEntryRange, detail::EvaluateEntry(text));
}

template <class F>
void TFloatColumnT<F>::SetUnits(int system) {
    const long double factor =
        fUnitCode.empty() ? 1.0L : ConversionFactor(fUnitCode, this->fTable->UnitSystem(), system);
    for (int r = 0; r < this->RowCount(); ++r) {
        fValues[r] *= factor;
        this->CellChanged(r);
    }
}

template <class F>
int TFloatColumnT<F>::MinimumWidth(int pixelsPerInch) const {
    return pixelsPerInch / 2;
}

template <class F>
void TFloatColumnT<F>::WriteDefinition(TDefinitionWriter& writer) const {
    TColumnT<F>::WriteDefinition(writer);
    writer.WriteBoolean(fTopDepth);
    writer.WriteString("FLOATCOLUMN2");
    writer.WriteString(fUnitCode);
    writer.WriteFloat(fDefault);
}

template <class F>
std::unique_ptr<TColumnT<F>> TFloatColumnT<F>::Clone(Table& table) const {
    auto column = std::make_unique<TFloatColumnT>(table);
    column->CopySettings(*this);
    column->fTopDepth = fTopDepth;
    column->fUnitCode = fUnitCode;
    column->fDefault = fDefault;
    column->fEntryRange = fEntryRange;
    return column;
}

// ---- TGridTableListT

template <class F>
std::int32_t TGridTableListT<F>::Identifier(int i) const {
    return i >= 0 && i < Count() ? fIdentifiers[i] : -1;
}

template <class F>
void TGridTableListT<F>::SetIdentifier(int i, std::int32_t identifier) {
    if (i < 0 || i >= Count()) throw ETableError("Index out of bounds");
    fIdentifiers[i] = identifier;
}

template <class F>
void TGridTableListT<F>::Resize(int count) {
    fIdentifiers.resize(static_cast<std::size_t>(std::max(count, 0)), -1);
}

template <class F>
TGridTableT<F>* TGridTableListT<F>::Template(int i) const {
    const std::int32_t identifier = Identifier(i);
    return identifier < 0 ? nullptr : TGridTableT<F>::FindByIdentifier(identifier);
}

// ---- TTableColumnT

template <class F>
std::unique_ptr<TColumnT<F>> TTableColumnT<F>::CreateFromDefinition(Table& table,
                                                                    TDefinitionReader& reader) {
    auto column = std::make_unique<TTableColumnT>(table);
    column->ReadDefinition(reader);
    const std::string tag = reader.ReadString();
    std::vector<std::int32_t> identifiers;
    if (tag == "FLEXCOLUMN2") {
        reader.ReadListBegin();
        while (!reader.EndOfList()) identifiers.push_back(reader.ReadInteger());
        reader.ReadListEnd();
    } else {
        // Older definitions name their template by registry position N.
        const std::int32_t position = reader.ReadInteger();
        const auto& registry = Table::Registry();
        const std::int32_t atPosition =
            position >= 0 && position < static_cast<std::int32_t>(registry.size())
                ? registry[position]->Identifier()
                : -1;
        auto* items =
            table.ColumnCount() > 0 ? dynamic_cast<TEnumColumnT<F>*>(&table.ColumnAt(0)) : nullptr;
        if (!items) {
            identifiers.push_back(atPosition);
        } else {
            for (std::size_t i = 0; i < items->Items().size(); ++i)
                identifiers.push_back(table.HardwiredButton() ? atPosition
                                                              : static_cast<std::int32_t>(i + 1));
        }
    }
    column->fTemplates.Assign(std::move(identifiers));
    return column;
}

template <class F>
std::unique_ptr<TRowObject> TTableColumnT<F>::NewRowObject(int row, TRowObject* previous) {
    Table& table = *this->fTable;
    int item = 1;
    if (table.ColumnCount() > 0) {
        if (auto* items = dynamic_cast<TEnumColumnT<F>*>(&table.ColumnAt(0));
            items && row < items->RowCount())
            item = items->GetInteger(row);
    }
    Table* source = fTemplates.Template(item - 1);
    if (source && !source->WouldNestInside(table)) {
        auto sub = source->CloneAsSubTable(table, row + 1);
        if constexpr (F::kChart) {
            // A row whose item changes keeps its numbers, column by column.
            if (auto* old = dynamic_cast<Table*>(previous)) sub->CarryNumbersFrom(*old);
        }
        return sub;
    }
    if (table.Events.OnInitRow) {
        auto object = table.Events.OnInitRow(table, this->Index(), row, item);
        if (object && table.Events.OnSetRow)
            table.Events.OnSetRow(table, this->Index(), row, object.get());
        return object;
    }
    return nullptr;
}

template <class F>
void TTableColumnT<F>::InsertRows(int at, int count) {
    for (int i = 0; i < count; ++i) fObjects.insert(fObjects.begin() + at + i, nullptr);
    TColumnT<F>::InsertRows(at, count);
    for (int r = at; r < at + count; ++r) fObjects[r] = NewRowObject(r, nullptr);
    Renumber(at + count);
}

template <class F>
void TTableColumnT<F>::DeleteRow(int row) {
    std::unique_ptr<TRowObject> freed = std::move(fObjects[row]);
    fObjects.erase(fObjects.begin() + row);
    TColumnT<F>::DeleteRow(row);
    freed.reset();
    Renumber(row);
}

template <class F>
void TTableColumnT<F>::RecreateRowObject(int row) {
    this->CheckRow(row);
    std::unique_ptr<TRowObject> fresh = NewRowObject(row, fObjects[row].get());
    fObjects[row] = std::move(fresh);
    this->CellChanged(row);
}

template <class F>
void TTableColumnT<F>::Renumber(int from) {
    Table& table = *this->fTable;
    for (int r = from; r < this->RowCount(); ++r) {
        if (auto* sub = dynamic_cast<Table*>(fObjects[r].get()))
            sub->SetIndexNumber(r + 1);
        else if (fObjects[r] && table.Events.OnSetRow)
            table.Events.OnSetRow(table, this->Index(), r, fObjects[r].get());
    }
}

template <class F>
std::string TTableColumnT<F>::ButtonCaption(int row) const {
    this->CheckRow(row);
    if (auto* sub = dynamic_cast<Table*>(fObjects[row].get()))
        return std::to_string(row + 1) + ": " + sub->Caption();
    Table& table = *this->fTable;
    if (table.Events.OnGetButtonCaption)
        return table.Events.OnGetButtonCaption(table, this->Index(), row, fObjects[row].get());
    return {};
}

template <class F>
TGridTableT<F>* TTableColumnT<F>::GetTable(int row) const {
    this->CheckRow(row);
    return dynamic_cast<Table*>(fObjects[row].get());
}

template <class F>
TRowObject* TTableColumnT<F>::GetObject(int row) const {
    this->CheckRow(row);
    return fObjects[row].get();
}

template <class F>
bool TTableColumnT<F>::IsChanged() const {
    Table& table = *this->fTable;
    for (int r = 0; r < this->RowCount(); ++r) {
        if (auto* sub = dynamic_cast<Table*>(fObjects[r].get())) {
            if (sub->IsChanged()) return true;
        } else if (fObjects[r] && table.Events.OnGetChanged &&
                   table.Events.OnGetChanged(table, this->Index(), r, fObjects[r].get())) {
            return true;
        }
    }
    return false;
}

template <class F>
void TTableColumnT<F>::CloseForms() {
    Table& table = *this->fTable;
    for (int r = 0; r < this->RowCount(); ++r) {
        if (auto* sub = dynamic_cast<Table*>(fObjects[r].get()))
            sub->CloseEditors();
        else if (fObjects[r] && table.Events.OnHide)
            table.Events.OnHide(table, this->Index(), r, fObjects[r].get());
    }
}

template <class F>
void TTableColumnT<F>::ResetChanged() {
    Table& table = *this->fTable;
    for (int r = 0; r < this->RowCount(); ++r) {
        if (auto* sub = dynamic_cast<Table*>(fObjects[r].get()))
            sub->SetChanged(false);
        else if (fObjects[r] && table.Events.OnResetChanged)
            table.Events.OnResetChanged(table, this->Index(), r, fObjects[r].get());
    }
}

template <class F>
void TTableColumnT<F>::SetUnits(int system) {
    Table& table = *this->fTable;
    for (int r = 0; r < this->RowCount(); ++r) {
        if (auto* sub = dynamic_cast<Table*>(fObjects[r].get()))
            sub->SetUnits(system);
        else if (fObjects[r] && table.Events.OnSetUnits)
            table.Events.OnSetUnits(table, this->Index(), r, fObjects[r].get(), system);
    }
}

template <class F>
int TTableColumnT<F>::MinimumWidth(int pixelsPerInch) const {
    return 2 * pixelsPerInch;
}

template <class F>
void TTableColumnT<F>::WriteDefinition(TDefinitionWriter& writer) const {
    TColumnT<F>::WriteDefinition(writer);
    writer.WriteString("FLEXCOLUMN2");
    writer.WriteListBegin();
    for (int i = 0; i < fTemplates.Count(); ++i)
        writer.WriteInteger(fTemplates.Template(i) ? fTemplates.Identifier(i) : -1);
    writer.WriteListEnd();
}

template <class F>
std::unique_ptr<TColumnT<F>> TTableColumnT<F>::Clone(Table& table) const {
    auto column = std::make_unique<TTableColumnT>(table);
    column->CopySettings(*this);
    column->fTemplates = fTemplates;
    return column;
}

// ---- TStringColumnT

template <class F>
std::unique_ptr<TColumnT<F>> TStringColumnT<F>::CreateFromDefinition(Table& table,
                                                                     TDefinitionReader& reader) {
    auto column = std::make_unique<TStringColumnT>(table);
    column->ReadDefinition(reader);
    column->fDefault = reader.ReadString();
    column->fWidthInches = reader.ReadFloat();
    return column;
}

template <class F>
void TStringColumnT<F>::InsertRows(int at, int count) {
    fValues.insert(fValues.begin() + at, count, fDefault);
    TColumnT<F>::InsertRows(at, count);
}

template <class F>
void TStringColumnT<F>::DeleteRow(int row) {
    fValues.erase(fValues.begin() + row);
    TColumnT<F>::DeleteRow(row);
}

template <class F>
std::string TStringColumnT<F>::GetText(int row) const {
    this->CheckRow(row);
    return fValues[row];
}

template <class F>
void TStringColumnT<F>::SetText(int row, std::string_view text) {
    this->CheckRow(row);
    auto [first, end] = this->GroupShared() ? this->GroupRows(row) : std::pair{row, row + 1};
    for (int r = first; r < end; ++r) {
        fValues[r] = std::string(text);
        this->CellChanged(r);
    }
}

template <class F>
int TStringColumnT<F>::MinimumWidth(int pixelsPerInch) const {
    const long double width = fWidthInches * pixelsPerInch;
    // A width from a damaged definition must not overflow the pixel count.
    if (!(width > 0)) return 0;
    return width >= INT_MAX ? INT_MAX : static_cast<int>(std::lround(width));
}

template <class F>
void TStringColumnT<F>::WriteDefinition(TDefinitionWriter& writer) const {
    TColumnT<F>::WriteDefinition(writer);
    writer.WriteString(fDefault);
    writer.WriteFloat(fWidthInches);
}

template <class F>
std::unique_ptr<TColumnT<F>> TStringColumnT<F>::Clone(Table& table) const {
    auto column = std::make_unique<TStringColumnT>(table);
    column->CopySettings(*this);
    column->fDefault = fDefault;
    column->fWidthInches = fWidthInches;
    return column;
}

// ---- TColumnTypeRegistryT

template <class F>
const std::vector<TColumnTypeStorageT<F>>& TColumnTypeRegistryT<F>::Kinds() {
    static const std::vector<TColumnTypeStorageT<F>> kinds = {
        {0, typeid(TEnumColumnT<F>), &TEnumColumnT<F>::CreateFromDefinition},
        {1, typeid(TIntColumnT<F>), &TIntColumnT<F>::CreateFromDefinition},
        {2, typeid(TFloatColumnT<F>), &TFloatColumnT<F>::CreateFromDefinition},
        {3, typeid(TTableColumnT<F>), &TTableColumnT<F>::CreateFromDefinition},
        {4, typeid(TStringColumnT<F>), &TStringColumnT<F>::CreateFromDefinition},
    };
    return kinds;
}

template <class F>
const TColumnTypeStorageT<F>* TColumnTypeRegistryT<F>::Find(int number) {
    for (const auto& kind : Kinds())
        if (kind.Number == number) return &kind;
    return nullptr;
}

template <class F>
int TColumnTypeRegistryT<F>::NumberOf(const TColumnT<F>& column) {
    for (const auto& kind : Kinds())
        if (kind.Type == std::type_index(typeid(column))) return kind.Number;
    return -1;
}

}  // namespace keldar
