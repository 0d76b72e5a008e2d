// Column kinds of the data tables, written once for both table families: the plain tables
// (ColumnTypes.h) and the chart-preview tables (ColumnTypesChart.h) are separate instantiations
// with their own registries, so a table of one family never finds a table of the other.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <utility>
#include <vector>

#include "DefinitionStream.h"
#include "EntryRange.h"
#include "TableErrors.h"

namespace keldar {

// Tag types of the two families.
struct PlainFamily {
    static constexpr bool kChart = false;
};
struct ChartFamily {
    static constexpr bool kChart = true;
};

// Whatever a button cell holds: a sub-table, or an object handed in by the table's OnInitRow.
class TRowObject {
  public:
    virtual ~TRowObject() = default;
};

// Pixel width of a text in the editor's font.
using TTextWidth = std::function<int(const std::string&)>;

template <class F>
class TGridTableT;
template <class F>
class TColumnT;

// Handle of one cell. It knows only its column; its row is its current place among the
// column's handles, so it follows its row when rows are inserted or deleted before it.
template <class F>
class TDataT {
  public:
    explicit TDataT(TColumnT<F>& column) : fColumn(&column) {}

    int Row() const;
    TGridTableT<F>* GetTable() const { return fColumn->GetTable(Row()); }
    long double GetFloat() const { return fColumn->GetFloat(Row()); }
    std::int32_t GetInteger() const { return fColumn->GetInteger(Row()); }
    std::string GetText() const { return fColumn->GetText(Row()); }
    void SetFloat(long double value) const { fColumn->SetFloat(Row(), value); }
    void SetInteger(std::int32_t value) const { fColumn->SetInteger(Row(), value); }
    void SetText(std::string_view text) const { fColumn->SetText(Row(), text); }

  private:
    friend class TColumnT<F>;

    TColumnT<F>* fColumn;
    // Where the cell was last found. Rows move when rows are inserted or deleted above them, so
    // this is only a first guess, checked before use; it makes the usual Cell(row) then Get or Set
    // constant time instead of a search of the column, which made reading a long table quadratic.
    mutable int fRowHint = -1;
};

template <class F>
class TColumnT {
  public:
    using Table = TGridTableT<F>;

    virtual ~TColumnT() = default;
    TColumnT(const TColumnT&) = delete;
    TColumnT& operator=(const TColumnT&) = delete;

    Table& OwnerTable() const { return *fTable; }
    // Place in the owning table, hidden columns counted; -1 while not yet attached.
    int Index() const;

    int RowCount() const { return static_cast<int>(fCells.size()); }
    TDataT<F>& Cell(int row);
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

    virtual Table* GetTable(int row) const;
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

    virtual void WriteDefinition(TDefinitionWriter& writer) const;
    // A column of the same kind and settings for another table, without rows.
    virtual std::unique_ptr<TColumnT> Clone(Table& table) const = 0;

  protected:
    explicit TColumnT(Table& table) : fTable(&table) {}
    void CopySettings(const TColumnT& from);
    void ReadDefinition(TDefinitionReader& reader);
    virtual int MinimumWidth(int pixelsPerInch) const;
    void CheckRow(int row) const;
    // Rows [first, end) of the row group that holds row.
    std::pair<int, int> GroupRows(int row) const;
    void CellChanged(int row);
    // Neighbouring columns of the owning table, or nullptr.
    TColumnT* NextColumn() const;
    TColumnT* PreviousColumn() const;

    Table* fTable;

  private:
    friend class TDataT<F>;

    std::vector<std::string> fHeaders;
    bool fVisible = true;
    bool fGroupShared = false;
    std::vector<std::unique_ptr<TDataT<F>>> fCells;
};

// Kind 0: a choice among item strings, stored as the 1-based item number.
template <class F>
class TEnumColumnT : public TColumnT<F> {
  public:
    using Table = TGridTableT<F>;

    explicit TEnumColumnT(Table& table) : TColumnT<F>(table) {}
    static std::unique_ptr<TColumnT<F>> CreateFromDefinition(Table& table,
                                                             TDefinitionReader& reader);

    const std::vector<std::string>& Items() const { return fItems; }
    void SetItems(std::vector<std::string> items);

    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    std::int32_t GetInteger(int row) const override;
    void SetInteger(int row, std::int32_t value) override;
    std::string GetText(int row) const override;
    void SetText(int row, std::string_view text) override;
    void CheckText(std::string_view text) const override;
    bool UsesControls() const override { return true; }
    void WriteDefinition(TDefinitionWriter& writer) const override;
    std::unique_ptr<TColumnT<F>> Clone(Table& table) const override;

  protected:
    int MinimumWidth(int pixelsPerInch) const override;

  private:
    std::int32_t ItemOfText(std::string_view text) const;
    void CheckItem(std::int32_t value) const;

    std::vector<std::string> fItems;
    std::vector<std::int32_t> fValues;
};

// Kind 1: a whole number within limits.
template <class F>
class TIntColumnT : public TColumnT<F> {
  public:
    using Table = TGridTableT<F>;

    explicit TIntColumnT(Table& table) : TColumnT<F>(table) {}
    static std::unique_ptr<TColumnT<F>> CreateFromDefinition(Table& table,
                                                             TDefinitionReader& reader);

    std::int32_t Default() const { return fDefault; }
    std::int32_t Minimum() const { return fMinimum; }
    std::int32_t Maximum() const { return fMaximum; }
    void SetLimits(std::int32_t defaultValue, std::int32_t minimum, std::int32_t maximum);

    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    std::int32_t GetInteger(int row) const override;
    void SetInteger(int row, std::int32_t value) override;
    std::string GetText(int row) const override;
    void SetText(int row, std::string_view text) override;
    void CheckText(std::string_view text) const override;
    void WriteDefinition(TDefinitionWriter& writer) const override;
    std::unique_ptr<TColumnT<F>> Clone(Table& table) const override;

  protected:
    int MinimumWidth(int pixelsPerInch) const override;

  private:
    std::int32_t ValueOfText(std::string_view text) const;

    std::int32_t fDefault = 0;
    std::int32_t fMinimum = INT32_MIN;
    std::int32_t fMaximum = INT32_MAX;
    std::vector<std::int32_t> fValues;
};

// Kind 2: an extended number with a unit code. A top-depth column and the number column after
// it hold the top and the bottom of a layer, kept joined to the neighbouring layers.
template <class F>
class TFloatColumnT : public TColumnT<F> {
  public:
    using Table = TGridTableT<F>;

    explicit TFloatColumnT(Table& table) : TColumnT<F>(table) {}
    static std::unique_ptr<TColumnT<F>> CreateFromDefinition(Table& table,
                                                             TDefinitionReader& reader);

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
    void WriteDefinition(TDefinitionWriter& writer) const override;
    std::unique_ptr<TColumnT<F>> Clone(Table& table) const override;

  protected:
    int MinimumWidth(int pixelsPerInch) const override;

  private:
    long double NewRowValue(int row) const;
    // The number column after a top-depth column, or nullptr.
    TFloatColumnT* BottomOf() const;
    // The top-depth number column before this one, or nullptr.
    TFloatColumnT* TopOf() const;

    bool fTopDepth = false;
    std::string fUnitCode;
    long double fDefault = 0;
    TEntryRange fEntryRange;
    std::vector<long double> fValues;
};

// The template identifiers of a button column: one per item of the table's first column when
// that is an enumeration, else one. Resolved through the registry each time they are used.
template <class F>
class TGridTableListT {
  public:
    int Count() const { return static_cast<int>(fIdentifiers.size()); }
    std::int32_t Identifier(int i) const;
    void SetIdentifier(int i, std::int32_t identifier);
    void Resize(int count);
    // The registered table named by entry i, or nullptr.
    TGridTableT<F>* Template(int i) const;
    void Assign(std::vector<std::int32_t> identifiers) { fIdentifiers = std::move(identifiers); }

  private:
    std::vector<std::int32_t> fIdentifiers;
};

// Kind 3: a button per row that opens the row's sub-table.
template <class F>
class TTableColumnT : public TColumnT<F> {
  public:
    using Table = TGridTableT<F>;

    explicit TTableColumnT(Table& table) : TColumnT<F>(table) {}
    static std::unique_ptr<TColumnT<F>> CreateFromDefinition(Table& table,
                                                             TDefinitionReader& reader);

    TGridTableListT<F>& Templates() { return fTemplates; }
    const TGridTableListT<F>& Templates() const { return fTemplates; }
    // "%d: %s" from the row number and the sub-table's caption.
    std::string ButtonCaption(int row) const;
    // Builds the row's object anew from the template of its item (the row's item changed).
    void RecreateRowObject(int row);

    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    Table* GetTable(int row) const override;
    TRowObject* GetObject(int row) const override;
    bool IsChanged() const override;
    void CloseForms() override;
    void ResetChanged() override;
    void SetUnits(int system) override;
    bool UsesControls() const override { return true; }
    void WriteDefinition(TDefinitionWriter& writer) const override;
    std::unique_ptr<TColumnT<F>> Clone(Table& table) const override;

  protected:
    int MinimumWidth(int pixelsPerInch) const override;

  private:
    std::unique_ptr<TRowObject> NewRowObject(int row, TRowObject* previous);
    void Renumber(int from);

    TGridTableListT<F> fTemplates;
    std::vector<std::unique_ptr<TRowObject>> fObjects;
};

// Kind 4: free text.
template <class F>
class TStringColumnT : public TColumnT<F> {
  public:
    using Table = TGridTableT<F>;

    explicit TStringColumnT(Table& table) : TColumnT<F>(table) {}
    static std::unique_ptr<TColumnT<F>> CreateFromDefinition(Table& table,
                                                             TDefinitionReader& reader);

    const std::string& DefaultText() const { return fDefault; }
    void SetDefaultText(std::string text) { fDefault = std::move(text); }
    long double WidthInches() const { return fWidthInches; }
    void SetWidthInches(long double inches) { fWidthInches = inches; }

    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    std::string GetText(int row) const override;
    void SetText(int row, std::string_view text) override;
    void WriteDefinition(TDefinitionWriter& writer) const override;
    std::unique_ptr<TColumnT<F>> Clone(Table& table) const override;

  protected:
    int MinimumWidth(int pixelsPerInch) const override;

  private:
    std::string fDefault;
    long double fWidthInches = 0;
    std::vector<std::string> fValues;
};

// Kind registry entry: the number a column kind is streamed under and how to read one.
template <class F>
struct TColumnTypeStorageT {
    int Number;
    std::type_index Type;
    std::unique_ptr<TColumnT<F>> (*CreateFromDefinition)(TGridTableT<F>&, TDefinitionReader&);
};

template <class F>
class TColumnTypeRegistryT {
  public:
    // nullptr for an unknown number.
    static const TColumnTypeStorageT<F>* Find(int number);
    // -1 for a class that is not registered.
    static int NumberOf(const TColumnT<F>& column);

  private:
    static const std::vector<TColumnTypeStorageT<F>>& Kinds();
};

}  // namespace keldar
