// The data table. A table keeps typed columns of rows in memory, converts its numbers between
// unit systems, gives the headings with unit labels and links rows to sub-tables cloned from
// template tables of its set. Editors observe it through the two notifications and never reach
// into its storage. The chart-preview table (TableChart.h) derives from it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "GridColumns.h"
#include "TableRegistry.h"
#include "UnitSystem.h"

namespace keldar {

class TGridTableChart;

// What the table needs from its open editor window.
class TTableEditorLink {
  public:
    virtual ~TTableEditorLink() = default;
    // The table is being destroyed; the editor must forget it.
    virtual void TableDestroyed() = 0;
    virtual void CloseEditor() = 0;
    // The index number changed; the window caption shows it.
    virtual void ResetCaption() = 0;
};

// Events for button cells whose object is not a sub-table; each gets the table, the column index
// and the row. The project assigns none of them.
struct TTableEvents {
    using Table = TGridTable;
    std::function<void(Table&, int, int, TRowObject*)> OnButtonClick;
    std::function<std::string(Table&, int, int, TRowObject*)> OnGetButtonCaption;
    std::function<bool(Table&, int, int, TRowObject*)> OnGetChanged;
    std::function<void(Table&, int, int, TRowObject*)> OnHide;
    // Returns the object for a row whose item (last argument) has no template.
    std::function<std::unique_ptr<TRowObject>(Table&, int, int, int)> OnInitRow;
    std::function<void(Table&, int, int, TRowObject*)> OnResetChanged;
    std::function<void(Table&, int, int, TRowObject*)> OnSetRow;
    std::function<void(Table&, int, int, TRowObject*, int)> OnSetUnits;
    std::function<void(Table&)> OnResize;
};

class TGridTable : public TRowObject {
  public:
    using CellChangedFn = std::function<void(int column, int row)>;
    using StructureChangedFn = std::function<void()>;

    // A table of the set that registry keeps; the registry must outlive it.
    explicit TGridTable(TTableRegistry& registry) : TGridTable(registry, TTableFamily::Plain) {}
    ~TGridTable() override;
    TGridTable(const TGridTable&) = delete;
    TGridTable& operator=(const TGridTable&) = delete;

    TGridTable* AsTable() override { return this; }
    // The table as a chart table, or nullptr for a plain one.
    virtual TGridTableChart* AsChart() { return nullptr; }
    virtual const TGridTableChart* AsChart() const { return nullptr; }
    TTableFamily Family() const { return fFamily; }
    TTableRegistry& Registry() const { return *fRegistry; }
    // The table of this table's set and family with that identifier, or nullptr.
    TGridTable* FindByIdentifier(std::int32_t identifier) const;

    std::int32_t Identifier() const { return fIdentifier; }
    // Negative values are ignored; a value another table of the set has swaps the two.
    void SetIdentifier(std::int32_t identifier);
    const std::string& Caption() const { return fCaption; }
    void SetCaption(std::string caption) { fCaption = std::move(caption); }
    const std::string& Comments() const { return fComments; }
    void SetComments(std::string comments) { fComments = std::move(comments); }
    int MaxRows() const { return fMaxRows; }
    void SetMaxRows(int rows) { fMaxRows = rows; }
    int MinRows() const { return fMinRows; }
    // Below 1: raises "Value must be greater than 0", or becomes 1 while loading declarations.
    void SetMinRows(int rows);
    const std::string& HelpPicture() const { return fHelpPicture; }
    void SetHelpPicture(std::string name) { fHelpPicture = std::move(name); }
    bool HardwiredButton() const { return fHardwiredButton; }
    void SetHardwiredButton(bool hardwired) { fHardwiredButton = hardwired; }
    int RowGroup() const { return fRowGroup; }
    void SetRowGroup(int rows) { fRowGroup = rows < 1 ? 1 : rows; }
    const std::string& TopLeft() const { return fTopLeft; }
    void SetTopLeft(std::string text) { fTopLeft = std::move(text); }
    void SetLoading(bool loading) { fLoading = loading; }

    // Columns, hidden ones included, in declaration order.
    int ColumnCount() const { return static_cast<int>(fColumns.size()); }
    TColumn& ColumnAt(int i) const;
    int IndexOf(const TColumn& column) const;
    // Attaches a column made for this table and gives it the table's rows.
    TColumn& AddColumn(std::unique_ptr<TColumn> column);
    void ClearColumns();
    int VisibleColumnCount() const;
    // Raises "Index out of bounds" outside 0 .. VisibleColumnCount() - 1.
    TColumn& VisibleColumn(int i) const;
    // The first column when it is an enumeration: its item picks each row's sub-table template.
    // Otherwise nullptr, and a button column has one template for every row.
    const TEnumColumn* ItemColumn() const;
    int HeaderRowCount() const;

    int RowCount() const { return fRowCount; }
    // Below 0 counts as 0. Sends no notification.
    void SetRowCount(int rows);
    void AppendGroup();
    void InsertGroup(int row);
    void DeleteGroup(int row);
    // The number shown for a row: all rows of a group show the same.
    int RowNumber(int row) const { return row / fRowGroup + 1; }
    // Raises "Index out of bounds" for a cell outside the table.
    TData& Cell(int column, int row) const;

    int UnitSystem() const { return fUnitSystem; }
    // 1 English, 2 S.I.; other values are taken as the nearer of the two.
    void SetUnits(int system);
    int IndexNumber() const { return fIndexNumber; }
    void SetIndexNumber(int number);
    // The table whose button cell holds this one, or nullptr.
    TGridTable* OwnerTable() const { return fOwner; }

    bool IsChanged() const;
    void SetChanged(bool changed);

    void WriteDefinition(TDefinitionWriter& writer) const;
    // Replaces the columns with those read. On an error the columns read so far stay.
    void ReadDefinition(TDefinitionReader& reader);
    std::string DefinitionText() const;
    void SetDefinitionText(std::string_view text);

    // A sub-table for row (indexNumber - 1) of owner, with this table's settings and columns
    // and MinRows rows of new-row values.
    std::unique_ptr<TGridTable> CloneAsSubTable(TGridTable& owner, int indexNumber) const;
    // Carries the numbers of another table's number columns, column by column, into this one.
    void CarryNumbersFrom(const TGridTable& from);
    // True when cloning this template into target would nest a table inside itself.
    bool WouldNestInside(const TGridTable& target) const;
    // A chart table's row keeps its numbers when its item changes; a plain one starts afresh.
    virtual bool KeepsNumbersOnNewItem() const { return false; }

    // The editor installs both notifications while it is open.
    void SetNotifications(CellChangedFn cellChanged, StructureChangedFn structureChanged);
    void ClearNotifications();
    void SetEditor(TTableEditorLink* editor) { fEditor = editor; }
    TTableEditorLink* Editor() const { return fEditor; }
    // Closes the editors of this table and of all its sub-tables.
    void CloseEditors();

    TTableEvents Events;

    // Used by the columns.
    void NotifyCellChanged(const TColumn& column, int row);
    void NotifyStructureChanged();
    void ItemChanged(int row);
    void ApplyTemplateListLength();

  protected:
    TGridTable(TTableRegistry& registry, TTableFamily family);
    // A new empty table of the same class in the same set, with the settings a sub-table takes
    // from its template beyond the ones every table has.
    virtual std::unique_ptr<TGridTable> NewOfSameKind() const;
    // What a family streams after the columns.
    virtual void WriteTrailer(TDefinitionWriter& writer) const { (void)writer; }
    virtual void ReadTrailer(TDefinitionReader& reader) { (void)reader; }

  private:
    TTableRegistry* fRegistry;
    TTableFamily fFamily;
    std::int32_t fIdentifier;
    std::uint64_t fSerial;
    std::uint64_t fTemplateSerial = 0;
    std::string fCaption;
    std::string fComments;
    int fMaxRows = 0;
    int fMinRows = 1;
    std::string fHelpPicture;
    bool fHardwiredButton = false;
    int fRowGroup = 1;
    std::string fTopLeft;
    bool fLoading = false;

    std::vector<std::unique_ptr<TColumn>> fColumns;
    int fRowCount = 0;
    int fUnitSystem = usEnglish;
    int fIndexNumber = 0;
    bool fChanged = false;
    TGridTable* fOwner = nullptr;
    TTableEditorLink* fEditor = nullptr;
    CellChangedFn fCellChanged;
    StructureChangedFn fStructureChanged;
};

}  // namespace keldar
