// Column kinds of the data tables, the same for plain and chart-preview tables. A column keeps
// one value per row; the table keeps its columns and tells them when rows come and go.
#pragma once

#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "DefinitionStream.h"
#include "EntryRange.h"
#include "TableErrors.h"

namespace keldar {

class TGridTable;

// Whatever a button cell holds: a sub-table, or an object handed in by the table's OnInitRow.
class TRowObject {
  public:
    virtual ~TRowObject() = default;
    // The object as a table, or nullptr when it is something else.
    virtual TGridTable* AsTable() { return nullptr; }
};

// Pixel width of a text in the editor's font.
using TTextWidth = std::function<int(const std::string&)>;

// The kinds, by the number each is streamed under in a column definition.
enum class TColumnKind { Enumeration = 0, Integer = 1, Float = 2, Table = 3, String = 4 };

class TColumn;

// Handle of one cell. It knows only its column; its row is its current place among the
// column's handles, so it follows its row when rows are inserted or deleted before it.
class TData {
  public:
    explicit TData(TColumn& column) : fColumn(&column) {}

    int Row() const;
    TGridTable* GetTable() const;
    long double GetFloat() const;
    std::int32_t GetInteger() const;
    std::string GetText() const;
    void SetFloat(long double value) const;
    void SetInteger(std::int32_t value) const;
    void SetText(std::string_view text) const;

  private:
    friend class TColumn;

    TColumn* fColumn;
    // Where the cell was last found. Rows move when rows are inserted or deleted above them, so
    // this is only a first guess, checked before use; it makes the usual Cell(row) then Get or Set
    // constant time instead of a search of the column, which made reading a long table quadratic.
    mutable int fRowHint = -1;
};

class TColumn {
  public:
    virtual ~TColumn() = default;
    TColumn(const TColumn&) = delete;
    TColumn& operator=(const TColumn&) = delete;

    // Reads a column of the kind numbered kind for table; nullptr for an unknown number.
    static std::unique_ptr<TColumn> FromDefinition(int kind, TGridTable& table,
                                                   TDefinitionReader& reader);

    virtual TColumnKind Kind() const = 0;
    TGridTable& OwnerTable() const { return *fTable; }
    // Place in the owning table, hidden columns counted; -1 while not yet attached.
    int Index() const;

    int RowCount() const { return static_cast<int>(fCells.size()); }
    TData& Cell(int row);
    virtual void InsertRows(int at, int count);
    virtual void DeleteRow(int row);

    const std::vector<std::string>& Headers() const { return fHeaders; }
    void SetHeaders(std::vector<std::string> lines) { fHeaders = std::move(lines); }
    int HeaderLineCount() const { return static_cast<int>(fHeaders.size()); }
    virtual std::string HeaderLine(int i) const;
    bool Visible() const { return fVisible; }
    void SetVisible(bool visible) { fVisible = visible; }
    bool GroupShared() const { return fGroupShared; }
    void SetGroupShared(bool shared) { fGroupShared = shared; }

    virtual TGridTable* GetTable(int row) const;
    virtual TRowObject* GetObject(int row) const;
    virtual long double GetFloat(int row) const;
    virtual void SetFloat(int row, long double value);
    virtual std::int32_t GetInteger(int row) const;
    virtual void SetInteger(int row, std::int32_t value);
    virtual std::string GetText(int row) const;
    // Text typed by the user; a rejected entry raises EAssignError with the text to show.
    virtual void SetText(int row, std::string_view text);
    // Raises the EAssignError that SetText would raise for this text; stores nothing.
    virtual void CheckText(std::string_view text) const { (void)text; }

    virtual bool IsChanged() const { return false; }
    virtual void CloseForms() {}
    virtual void ResetChanged() {}
    virtual void SetUnits(int system) { (void)system; }
    // Enumeration and button cells are shown by controls and never typed into.
    virtual bool UsesControls() const { return false; }
    int RowGroup() const;
    // Grid width: the widest heading line and two spaces, at least the kind's minimum.
    int Width(const TTextWidth& textWidth, int pixelsPerInch) const;

    // The part every kind shares (headings, visibility, group sharing), then the kind's own.
    void WriteDefinition(TDefinitionWriter& writer) const;
    // A column of the same kind and settings for another table, without rows.
    virtual std::unique_ptr<TColumn> Clone(TGridTable& table) const = 0;

  protected:
    explicit TColumn(TGridTable& table) : fTable(&table) {}
    void CopySettings(const TColumn& from);
    void ReadDefinition(TDefinitionReader& reader);
    // The kind's own part of the definition, in the same order both ways.
    virtual void ReadSettings(TDefinitionReader& reader) = 0;
    virtual void WriteSettings(TDefinitionWriter& writer) const = 0;
    virtual int MinimumWidth(int pixelsPerInch) const;
    void CheckRow(int row) const;
    // Rows [first, end) that a value set in row goes to: its group when shared, else itself.
    std::pair<int, int> TargetRows(int row) const;
    // Stores a value set in row with store(r) in each row it reaches, and tells the table of each.
    void StoreInTargetRows(int row, const std::function<void(int)>& store);
    void CellChanged(int row);
    // Neighbouring columns of the owning table, or nullptr.
    TColumn* NextColumn() const;
    TColumn* PreviousColumn() const;

    TGridTable* fTable;

  private:
    friend class TData;

    std::vector<std::string> fHeaders;
    bool fVisible = true;
    bool fGroupShared = false;
    std::vector<std::unique_ptr<TData>> fCells;
};

// The column as kind C, or nullptr when it is of another kind.
template <class C>
C* ColumnAs(TColumn* column) {
    return column && column->Kind() == C::kKind ? static_cast<C*>(column) : nullptr;
}
template <class C>
const C* ColumnAs(const TColumn* column) {
    return column && column->Kind() == C::kKind ? static_cast<const C*>(column) : nullptr;
}
// The column as kind C; raises "Data of wrong type" when it is of another kind.
template <class C>
C& ColumnAs(TColumn& column) {
    if (C* typed = ColumnAs<C>(&column)) return *typed;
    throw ETableError("Data of wrong type");
}
template <class C>
const C& ColumnAs(const TColumn& column) {
    if (const C* typed = ColumnAs<C>(&column)) return *typed;
    throw ETableError("Data of wrong type");
}

// One 32-bit whole number per row, typed as an entry: the item number of an enumeration column
// and the value of an integer column.
class TWholeNumberColumn : public TColumn {
  public:
    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    std::int32_t GetInteger(int row) const override;
    std::string GetText(int row) const override;
    void SetText(int row, std::string_view text) override;
    void CheckText(std::string_view text) const override;

  protected:
    explicit TWholeNumberColumn(TGridTable& table) : TColumn(table) {}
    virtual std::int32_t NewRowValue() const = 0;
    // The value an entry stands for; raises EAssignError when the column would refuse it.
    virtual std::int32_t ValueOfText(std::string_view text) const = 0;

    std::vector<std::int32_t> fValues;
};

// A choice among item strings, stored as the 1-based item number.
class TEnumColumn : public TWholeNumberColumn {
  public:
    static constexpr TColumnKind kKind = TColumnKind::Enumeration;
    explicit TEnumColumn(TGridTable& table) : TWholeNumberColumn(table) {}

    TColumnKind Kind() const override { return kKind; }
    const std::vector<std::string>& Items() const { return fItems; }
    void SetItems(std::vector<std::string> items);

    void SetInteger(int row, std::int32_t value) override;
    bool UsesControls() const override { return true; }
    std::unique_ptr<TColumn> Clone(TGridTable& table) const override;

  protected:
    int MinimumWidth(int pixelsPerInch) const override;
    void ReadSettings(TDefinitionReader& reader) override;
    void WriteSettings(TDefinitionWriter& writer) const override;
    // A new row selects the first item.
    std::int32_t NewRowValue() const override { return 1; }
    std::int32_t ValueOfText(std::string_view text) const override;

  private:
    void CheckItem(std::int32_t value) const;

    std::vector<std::string> fItems;
};

// A whole number within limits.
class TIntColumn : public TWholeNumberColumn {
  public:
    static constexpr TColumnKind kKind = TColumnKind::Integer;
    explicit TIntColumn(TGridTable& table) : TWholeNumberColumn(table) {}

    TColumnKind Kind() const override { return kKind; }
    std::int32_t Default() const { return fDefault; }
    std::int32_t Minimum() const { return fMinimum; }
    std::int32_t Maximum() const { return fMaximum; }
    void SetLimits(std::int32_t defaultValue, std::int32_t minimum, std::int32_t maximum);

    void SetInteger(int row, std::int32_t value) override;
    std::unique_ptr<TColumn> Clone(TGridTable& table) const override;

  protected:
    int MinimumWidth(int pixelsPerInch) const override;
    void ReadSettings(TDefinitionReader& reader) override;
    void WriteSettings(TDefinitionWriter& writer) const override;
    std::int32_t NewRowValue() const override { return fDefault; }
    std::int32_t ValueOfText(std::string_view text) const override;

  private:
    std::int32_t fDefault = 0;
    std::int32_t fMinimum = INT32_MIN;
    std::int32_t fMaximum = INT32_MAX;
};

// An extended number with a unit code. A top-depth column and the number column after it hold
// the top and the bottom of a layer, kept joined to the neighbouring layers.
class TFloatColumn : public TColumn {
  public:
    static constexpr TColumnKind kKind = TColumnKind::Float;
    explicit TFloatColumn(TGridTable& table) : TColumn(table) {}

    TColumnKind Kind() const override { return kKind; }
    bool TopDepth() const { return fTopDepth; }
    void SetTopDepth(bool topDepth) { fTopDepth = topDepth; }
    const std::string& UnitCode() const { return fUnitCode; }
    void SetUnitCode(std::string code) { fUnitCode = std::move(code); }
    long double Default() const { return fDefault; }
    void SetDefault(long double value) { fDefault = value; }
    // What SetText and CheckText accept; not part of the column definition. Clones keep it.
    const TEntryRange& EntryRange() const { return fEntryRange; }
    void SetEntryRange(const TEntryRange& range) { fEntryRange = range; }
    // Stores a value with no links to other columns and no notification.
    void Assign(int row, long double value);

    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    std::string HeaderLine(int i) const override;
    long double GetFloat(int row) const override;
    void SetFloat(int row, long double value) override;
    std::string GetText(int row) const override;
    void SetText(int row, std::string_view text) override;
    void CheckText(std::string_view text) const override;
    void SetUnits(int system) override;
    std::unique_ptr<TColumn> Clone(TGridTable& table) const override;

  protected:
    int MinimumWidth(int pixelsPerInch) const override;
    void ReadSettings(TDefinitionReader& reader) override;
    void WriteSettings(TDefinitionWriter& writer) const override;

  private:
    long double NewRowValue(int row) const;
    // The number column after a top-depth column, or nullptr.
    TFloatColumn* BottomOf() const;
    // The top-depth number column before this one, or nullptr.
    TFloatColumn* TopOf() const;

    bool fTopDepth = false;
    std::string fUnitCode;
    long double fDefault = 0;
    TEntryRange fEntryRange;
    std::vector<long double> fValues;
};

// The template identifiers of a button column: one per item of the table's first column when
// that is an enumeration, else one. Resolved among the tables of the owner's set each time they
// are used, so a template that is gone names nothing.
class TGridTableList {
  public:
    explicit TGridTableList(const TGridTable& owner) : fOwner(&owner) {}

    int Count() const { return static_cast<int>(fIdentifiers.size()); }
    const std::vector<std::int32_t>& Identifiers() const { return fIdentifiers; }
    std::int32_t Identifier(int i) const;
    void SetIdentifier(int i, std::int32_t identifier);
    void Resize(int count);
    // The table of the owner's set and family named by entry i, or nullptr.
    TGridTable* Template(int i) const;
    void Assign(std::vector<std::int32_t> identifiers) { fIdentifiers = std::move(identifiers); }

  private:
    const TGridTable* fOwner;
    std::vector<std::int32_t> fIdentifiers;
};

// A button per row that opens the row's sub-table.
class TTableColumn : public TColumn {
  public:
    static constexpr TColumnKind kKind = TColumnKind::Table;
    explicit TTableColumn(TGridTable& table) : TColumn(table), fTemplates(table) {}

    TColumnKind Kind() const override { return kKind; }
    TGridTableList& Templates() { return fTemplates; }
    const TGridTableList& Templates() const { return fTemplates; }
    // "%d: %s" from the row number and the sub-table's caption.
    std::string ButtonCaption(int row) const;
    // Builds the row's object anew from the template of its item (the row's item changed).
    void RecreateRowObject(int row);

    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    TGridTable* GetTable(int row) const override;
    TRowObject* GetObject(int row) const override;
    bool IsChanged() const override;
    void CloseForms() override;
    void ResetChanged() override;
    void SetUnits(int system) override;
    bool UsesControls() const override { return true; }
    std::unique_ptr<TColumn> Clone(TGridTable& table) const override;

  protected:
    int MinimumWidth(int pixelsPerInch) const override;
    void ReadSettings(TDefinitionReader& reader) override;
    void WriteSettings(TDefinitionWriter& writer) const override;

  private:
    // Older definitions name one template by its place among the tables of the family.
    static std::vector<std::int32_t> TemplatesByPosition(TGridTable& table, std::int32_t position);
    std::unique_ptr<TRowObject> NewRowObject(int row, TRowObject* previous);
    void Renumber(int from);
    // Hands each row's object, from row `from` on, to `onTable(row, sub)` when it is a sub-table
    // and to `onObject(row, object)` when the owner's events made it.
    template <typename OnTable, typename OnObject>
    void ForEachRowObject(int from, OnTable onTable, OnObject onObject) const;

    TGridTableList fTemplates;
    std::vector<std::unique_ptr<TRowObject>> fObjects;
};

// Free text.
class TStringColumn : public TColumn {
  public:
    static constexpr TColumnKind kKind = TColumnKind::String;
    explicit TStringColumn(TGridTable& table) : TColumn(table) {}

    TColumnKind Kind() const override { return kKind; }
    const std::string& DefaultText() const { return fDefault; }
    void SetDefaultText(std::string text) { fDefault = std::move(text); }
    long double WidthInches() const { return fWidthInches; }
    void SetWidthInches(long double inches) { fWidthInches = inches; }

    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    std::string GetText(int row) const override;
    void SetText(int row, std::string_view text) override;
    std::unique_ptr<TColumn> Clone(TGridTable& table) const override;

  protected:
    int MinimumWidth(int pixelsPerInch) const override;
    void ReadSettings(TDefinitionReader& reader) override;
    void WriteSettings(TDefinitionWriter& writer) const override;

  private:
    std::string fDefault;
    long double fWidthInches = 0;
    std::vector<std::string> fValues;
};

}  // namespace keldar
