#include "GridColumns.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "EntryErrors.h"
#include "Evaluator.h"
#include "GridTable.h"
#include "NumberFormat.h"
#include "Units.h"

namespace keldar {

namespace {

std::string FormatMessage(const char* format, long long a, long long b) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, a, b);
    return buffer;
}

// Evaluates an entry; every rejection reaches the caller as EAssignError.
long double EvaluateEntry(std::string_view text) {
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

bool IsWhole(long double value) { return std::fabs(value - std::round(value)) <= 1e-10L; }

bool InInt32(long double value) {
    return value >= static_cast<long double>(INT32_MIN) &&
           value <= static_cast<long double>(INT32_MAX);
}

void WriteStrings(TDefinitionWriter& writer, const std::vector<std::string>& lines) {
    writer.WriteListBegin();
    for (const std::string& line : lines) writer.WriteString(line);
    writer.WriteListEnd();
}

std::vector<std::string> ReadStrings(TDefinitionReader& reader) {
    std::vector<std::string> lines;
    reader.ReadListBegin();
    while (!reader.EndOfList()) lines.push_back(reader.ReadString());
    reader.ReadListEnd();
    return lines;
}

}  // namespace

// ---- TData

int TData::Row() const {
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

TGridTable* TData::GetTable() const { return fColumn->GetTable(Row()); }
long double TData::GetFloat() const { return fColumn->GetFloat(Row()); }
std::int32_t TData::GetInteger() const { return fColumn->GetInteger(Row()); }
std::string TData::GetText() const { return fColumn->GetText(Row()); }
void TData::SetFloat(long double value) const { fColumn->SetFloat(Row(), value); }
void TData::SetInteger(std::int32_t value) const { fColumn->SetInteger(Row(), value); }
void TData::SetText(std::string_view text) const { fColumn->SetText(Row(), text); }

// ---- TColumn

namespace {

// A column of the kind numbered kind, without settings or rows; nullptr for an unknown number.
std::unique_ptr<TColumn> NewColumnOfKind(int kind, TGridTable& table) {
    switch (static_cast<TColumnKind>(kind)) {
        case TColumnKind::Enumeration:
            return std::make_unique<TEnumColumn>(table);
        case TColumnKind::Integer:
            return std::make_unique<TIntColumn>(table);
        case TColumnKind::Float:
            return std::make_unique<TFloatColumn>(table);
        case TColumnKind::Table:
            return std::make_unique<TTableColumn>(table);
        case TColumnKind::String:
            return std::make_unique<TStringColumn>(table);
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<TColumn> TColumn::FromDefinition(int kind, TGridTable& table,
                                                 TDefinitionReader& reader) {
    std::unique_ptr<TColumn> column = NewColumnOfKind(kind, table);
    if (column) column->ReadDefinition(reader);
    return column;
}

int TColumn::Index() const { return fTable->IndexOf(*this); }

void TColumn::CheckRow(int row) const { CheckIndex(row, RowCount()); }

TData& TColumn::Cell(int row) {
    CheckRow(row);
    fCells[row]->fRowHint = row;
    return *fCells[row];
}

void TColumn::InsertRows(int at, int count) {
    for (int i = 0; i < count; ++i)
        fCells.insert(fCells.begin() + at + i, std::make_unique<TData>(*this));
}

void TColumn::DeleteRow(int row) { fCells.erase(fCells.begin() + row); }

std::string TColumn::HeaderLine(int i) const {
    if (i < 0 || i >= HeaderLineCount()) return {};
    return fHeaders[i];
}

TGridTable* TColumn::GetTable(int) const { throw ETableError("Data of wrong type"); }

TRowObject* TColumn::GetObject(int) const { throw ETableError("Data of wrong type"); }

long double TColumn::GetFloat(int) const { throw ETableError("Data of wrong type"); }

void TColumn::SetFloat(int, long double) { throw ETableError("Data of wrong type"); }

std::int32_t TColumn::GetInteger(int) const { throw ETableError("Data of wrong type"); }

void TColumn::SetInteger(int, std::int32_t) { throw ETableError("Data of wrong type"); }

std::string TColumn::GetText(int) const { return {}; }

void TColumn::SetText(int, std::string_view) {}

int TColumn::RowGroup() const { return fTable->RowGroup(); }

std::pair<int, int> TColumn::TargetRows(int row) const {
    if (!fGroupShared) return {row, row + 1};
    const int group = RowGroup();
    const int first = group * (row / group);
    return {first, std::min(first + group, RowCount())};
}

void TColumn::StoreInTargetRows(int row, const std::function<void(int)>& store) {
    auto [first, end] = TargetRows(row);
    for (int r = first; r < end; ++r) {
        store(r);
        CellChanged(r);
    }
}

void TColumn::CellChanged(int row) { fTable->NotifyCellChanged(*this, row); }

TColumn* TColumn::NextColumn() const {
    const int i = Index();
    return i >= 0 && i + 1 < fTable->ColumnCount() ? &fTable->ColumnAt(i + 1) : nullptr;
}

TColumn* TColumn::PreviousColumn() const {
    const int i = Index();
    return i > 0 ? &fTable->ColumnAt(i - 1) : nullptr;
}

int TColumn::MinimumWidth(int) const { return 0; }

int TColumn::Width(const TTextWidth& textWidth, int pixelsPerInch) const {
    int widest = 0;
    for (int i = 0; i < HeaderLineCount(); ++i)
        widest = std::max(widest, textWidth(HeaderLine(i) + "  "));
    return std::max(widest, MinimumWidth(pixelsPerInch));
}

void TColumn::WriteDefinition(TDefinitionWriter& writer) const {
    WriteStrings(writer, fHeaders);
    writer.WriteBoolean(fVisible);
    writer.WriteBoolean(fGroupShared);
    WriteSettings(writer);
}

void TColumn::ReadDefinition(TDefinitionReader& reader) {
    fHeaders = ReadStrings(reader);
    fVisible = reader.ReadBoolean();
    fGroupShared = reader.ReadBoolean();
    ReadSettings(reader);
}

void TColumn::CopySettings(const TColumn& from) {
    fHeaders = from.fHeaders;
    fVisible = from.fVisible;
    fGroupShared = from.fGroupShared;
}

// ---- TWholeNumberColumn

void TWholeNumberColumn::InsertRows(int at, int count) {
    fValues.insert(fValues.begin() + at, count, NewRowValue());
    TColumn::InsertRows(at, count);
}

void TWholeNumberColumn::DeleteRow(int row) {
    fValues.erase(fValues.begin() + row);
    TColumn::DeleteRow(row);
}

std::int32_t TWholeNumberColumn::GetInteger(int row) const {
    CheckRow(row);
    return fValues[row];
}

std::string TWholeNumberColumn::GetText(int row) const { return std::to_string(GetInteger(row)); }

void TWholeNumberColumn::SetText(int row, std::string_view text) {
    CheckRow(row);
    SetInteger(row, ValueOfText(text));
}

void TWholeNumberColumn::CheckText(std::string_view text) const { ValueOfText(text); }

// ---- TEnumColumn

void TEnumColumn::SetItems(std::vector<std::string> items) {
    fItems = std::move(items);
    if (Index() == 0) fTable->ApplyTemplateListLength();
}

void TEnumColumn::SetInteger(int row, std::int32_t value) {
    CheckRow(row);
    CheckItem(value);
    auto [first, end] = TargetRows(row);
    for (int r = first; r < end; ++r) {
        if (fValues[r] == value) continue;
        fValues[r] = value;
        CellChanged(r);
        if (Index() == 0) fTable->ItemChanged(r);
    }
}

void TEnumColumn::CheckItem(std::int32_t value) const {
    // An item number with no item would select nothing and pick no template.
    if (value < 1 || value > static_cast<std::int64_t>(fItems.size()))
        throw EAssignError(FormatMessage("Entry must be between %lld and %lld.", 1,
                                         static_cast<long long>(fItems.size())));
}

std::int32_t TEnumColumn::ValueOfText(std::string_view text) const {
    const long double value = EvaluateEntry(text);
    if (!IsWhole(value) || !InInt32(std::round(value)))
        throw EAssignError("Value must be an integer.");
    const auto item = static_cast<std::int32_t>(std::lround(value));
    CheckItem(item);
    return item;
}

int TEnumColumn::MinimumWidth(int pixelsPerInch) const {
    return static_cast<int>(std::lround(1.5 * pixelsPerInch));
}

void TEnumColumn::ReadSettings(TDefinitionReader& reader) { fItems = ReadStrings(reader); }

void TEnumColumn::WriteSettings(TDefinitionWriter& writer) const { WriteStrings(writer, fItems); }

std::unique_ptr<TColumn> TEnumColumn::Clone(TGridTable& table) const {
    auto column = std::make_unique<TEnumColumn>(table);
    column->CopySettings(*this);
    column->fItems = fItems;
    return column;
}

// ---- TIntColumn

void TIntColumn::SetLimits(std::int32_t defaultValue, std::int32_t minimum, std::int32_t maximum) {
    fDefault = defaultValue;
    fMinimum = minimum;
    fMaximum = maximum;
}

void TIntColumn::SetInteger(int row, std::int32_t value) {
    CheckRow(row);
    StoreInTargetRows(row, [&](int r) { fValues[r] = value; });
}

std::int32_t TIntColumn::ValueOfText(std::string_view text) const {
    const long double value = EvaluateEntry(text);
    // Checked with or without an open editor: a value outside the limits is never stored.
    if (!IsWhole(value)) throw EAssignError("Entry must be an integer.");
    if (value < fMinimum || value > fMaximum)
        throw EAssignError(
            FormatMessage("Entry must be between %lld and %lld.", fMinimum, fMaximum));
    return static_cast<std::int32_t>(std::lround(value));
}

int TIntColumn::MinimumWidth(int pixelsPerInch) const { return pixelsPerInch / 2; }

void TIntColumn::ReadSettings(TDefinitionReader& reader) {
    fDefault = reader.ReadInteger();
    fMinimum = reader.ReadInteger();
    fMaximum = reader.ReadInteger();
}

void TIntColumn::WriteSettings(TDefinitionWriter& writer) const {
    writer.WriteInteger(fDefault);
    writer.WriteInteger(fMinimum);
    writer.WriteInteger(fMaximum);
}

std::unique_ptr<TColumn> TIntColumn::Clone(TGridTable& table) const {
    auto column = std::make_unique<TIntColumn>(table);
    column->CopySettings(*this);
    column->SetLimits(fDefault, fMinimum, fMaximum);
    return column;
}

// ---- TFloatColumn

TFloatColumn* TFloatColumn::BottomOf() const {
    return fTopDepth ? ColumnAs<TFloatColumn>(NextColumn()) : nullptr;
}

TFloatColumn* TFloatColumn::TopOf() const {
    auto* previous = ColumnAs<TFloatColumn>(PreviousColumn());
    return previous && previous->fTopDepth ? previous : nullptr;
}

long double TFloatColumn::NewRowValue(int row) const {
    // A new layer starts where the previous layer ends ...
    if (fTopDepth) {
        TFloatColumn* bottom = BottomOf();
        if (bottom && row >= 1 && row <= bottom->RowCount() - 1) return bottom->fValues[row - 1];
        return fDefault;
    }
    // ... and ends where the following layer starts.
    if (TFloatColumn* top = TopOf(); top && row + 1 < top->RowCount()) return top->fValues[row + 1];
    return fDefault;
}

void TFloatColumn::InsertRows(int at, int count) {
    for (int r = at; r < at + count; ++r) fValues.insert(fValues.begin() + r, NewRowValue(r));
    TColumn::InsertRows(at, count);
}

void TFloatColumn::DeleteRow(int row) {
    // The following layer's top moves up to the preceding layer's bottom.
    TFloatColumn* bottom = BottomOf();
    if (bottom && row > 0 && row < RowCount() - 1 && row - 1 < bottom->RowCount())
        fValues[row + 1] = bottom->fValues[row - 1];
    fValues.erase(fValues.begin() + row);
    TColumn::DeleteRow(row);
}

std::string TFloatColumn::HeaderLine(int i) const {
    std::string line = TColumn::HeaderLine(i);
    if (fUnitCode.empty() || i != HeaderLineCount() - 1) return line;
    return line + " (" + UnitLabel(fUnitCode, fTable->UnitSystem()) + ")  ";
}

long double TFloatColumn::GetFloat(int row) const {
    CheckRow(row);
    return fValues[row];
}

void TFloatColumn::Assign(int row, long double value) {
    CheckRow(row);
    fValues[row] = value;
}

void TFloatColumn::SetFloat(int row, long double value) {
    CheckRow(row);
    if (GroupShared()) {
        StoreInTargetRows(row, [&](int r) { fValues[r] = value; });
        return;
    }
    fValues[row] = value;
    if (TFloatColumn* bottom = BottomOf(); bottom && row >= 1 && row - 1 < bottom->RowCount()) {
        bottom->fValues[row - 1] = value;
        bottom->CellChanged(row - 1);
    } else if (TFloatColumn* top = TopOf(); top && row + 1 < top->RowCount()) {
        top->fValues[row + 1] = value;
        top->CellChanged(row + 1);
    }
    CellChanged(row);
}

std::string TFloatColumn::GetText(int row) const { return formatGeneral(GetFloat(row), 8); }

void TFloatColumn::SetText(int row, std::string_view text) {
    CheckRow(row);
    const long double value = EvaluateEntry(text);
    CheckEntryRange(fEntryRange, value);
    SetFloat(row, value);
}

void TFloatColumn::CheckText(std::string_view text) const {
    CheckEntryRange(fEntryRange, EvaluateEntry(text));
}

void TFloatColumn::SetUnits(int system) {
    const long double factor =
        fUnitCode.empty() ? 1.0L : ConversionFactor(fUnitCode, fTable->UnitSystem(), system);
    for (int r = 0; r < RowCount(); ++r) {
        fValues[r] *= factor;
        CellChanged(r);
    }
}

int TFloatColumn::MinimumWidth(int pixelsPerInch) const { return pixelsPerInch / 2; }

void TFloatColumn::ReadSettings(TDefinitionReader& reader) {
    fTopDepth = reader.ReadBoolean();
    std::string tag = reader.ReadString();
    if (tag == "FLOATCOLUMN2") {
        fUnitCode = reader.ReadString();
        fDefault = reader.ReadFloat();
    } else {
        // Older definitions: the tag is the unit code and the default is 0.
        fUnitCode = std::move(tag);
        fDefault = 0;
    }
}

void TFloatColumn::WriteSettings(TDefinitionWriter& writer) const {
    writer.WriteBoolean(fTopDepth);
    writer.WriteString("FLOATCOLUMN2");
    writer.WriteString(fUnitCode);
    writer.WriteFloat(fDefault);
}

std::unique_ptr<TColumn> TFloatColumn::Clone(TGridTable& table) const {
    auto column = std::make_unique<TFloatColumn>(table);
    column->CopySettings(*this);
    column->fTopDepth = fTopDepth;
    column->fUnitCode = fUnitCode;
    column->fDefault = fDefault;
    column->fEntryRange = fEntryRange;
    return column;
}

// ---- TStringColumn

void TStringColumn::InsertRows(int at, int count) {
    fValues.insert(fValues.begin() + at, count, fDefault);
    TColumn::InsertRows(at, count);
}

void TStringColumn::DeleteRow(int row) {
    fValues.erase(fValues.begin() + row);
    TColumn::DeleteRow(row);
}

std::string TStringColumn::GetText(int row) const {
    CheckRow(row);
    return fValues[row];
}

void TStringColumn::SetText(int row, std::string_view text) {
    CheckRow(row);
    StoreInTargetRows(row, [&](int r) { fValues[r] = std::string(text); });
}

int TStringColumn::MinimumWidth(int pixelsPerInch) const {
    const long double width = fWidthInches * pixelsPerInch;
    // A width from a damaged definition must not overflow the pixel count.
    if (!(width > 0)) return 0;
    return width >= INT_MAX ? INT_MAX : static_cast<int>(std::lround(width));
}

void TStringColumn::ReadSettings(TDefinitionReader& reader) {
    fDefault = reader.ReadString();
    fWidthInches = reader.ReadFloat();
}

void TStringColumn::WriteSettings(TDefinitionWriter& writer) const {
    writer.WriteString(fDefault);
    writer.WriteFloat(fWidthInches);
}

std::unique_ptr<TColumn> TStringColumn::Clone(TGridTable& table) const {
    auto column = std::make_unique<TStringColumn>(table);
    column->CopySettings(*this);
    column->fDefault = fDefault;
    column->fWidthInches = fWidthInches;
    return column;
}

}  // namespace keldar
