// What a table editor window needs of the table it edits, plain or chart.
// Grid columns are counted over the visible table columns; chart columns (X column, Y column)
// over all columns, as the chart parameters count them. No widgets here.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TableChart.h"

namespace keldar {

class TTableAccess {
  public:
    enum class CellKind { Text, List, Button };

    virtual ~TTableAccess() = default;

    // The table itself, to compare two accesses.
    virtual const void* Identity() const = 0;

    // The caption, one space, then for each table from the outermost owner down to this one
    // whose index number is not 0, a space and that number.
    virtual std::string WindowCaption() const = 0;
    virtual std::string Comments() const = 0;
    virtual std::string TopLeft() const = 0;
    virtual std::string HelpPicture() const = 0;
    virtual int MinRows() const = 0;
    virtual int MaxRows() const = 0;
    virtual int RowGroup() const = 0;
    virtual int RowCount() const = 0;
    // The row number shown for a row: all rows of a group show the same number.
    virtual int RowNumber(int row) const = 0;
    virtual void EnsureMinRows() = 0;

    virtual int ColumnCount() const = 0;
    virtual int HeaderRowCount() const = 0;
    // Empty when the column has fewer lines.
    virtual std::string HeaderLine(int column, int line) const = 0;
    virtual int ColumnWidth(int column, const TTextWidth& textWidth, int pixelsPerInch) const = 0;
    virtual CellKind Kind(int column) const = 0;

    virtual std::string Text(int column, int row) const = 0;
    // A rejected entry raises EAssignError and leaves the stored value as it was.
    virtual void SetText(int column, int row, std::string_view text) = 0;
    virtual std::vector<std::string> Items(int column) const = 0;
    virtual int Item(int column, int row) const = 0;
    virtual void SetItem(int column, int row, int item) = 0;
    virtual std::string ButtonCaption(int column, int row) const = 0;
    // The row's sub-table, or nullptr for a cell that holds no table.
    virtual std::unique_ptr<TTableAccess> SubTable(int column, int row) const = 0;
    // The table's OnButtonClick, for a cell whose object is not a table.
    virtual void ButtonClick(int column, int row) = 0;

    virtual void AppendGroup() = 0;
    virtual void InsertGroup(int row) = 0;
    virtual void DeleteGroup(int row) = 0;
    virtual void RaiseChanged() = 0;

    // cellChanged gets the grid column (visible columns only) and the row.
    virtual void SetNotifications(std::function<void(int column, int row)> cellChanged,
                                  std::function<void()> structureChanged) = 0;
    virtual void ClearNotifications() = 0;
    virtual TTableEditorLink* Editor() const = 0;
    virtual void SetEditor(TTableEditorLink* editor) = 0;
    // The open editors of all sub-tables, at any depth.
    virtual std::vector<TTableEditorLink*> SubEditors() const = 0;
    virtual void CloseSubEditors() = 0;
    virtual void FireResize() = 0;

    // Chart tables; a plain table answers with no chart and no file controls.
    virtual bool IsChart() const = 0;
    virtual TChartParameters ChartParameters() const = 0;
    virtual bool GetDataFromFile() const = 0;
    virtual bool OKCancelButtons() const = 0;
    virtual bool InvertedXAxis() const = 0;
    virtual bool InvertedYAxis() const = 0;
    virtual int AllColumnCount() const = 0;
    // First header line (with its unit label when it is the only one) of a column, trimmed.
    virtual std::string ChartTitle(int anyColumn) const = 0;
    // The number in a cell of a number column; nothing for other kinds or outside the table.
    virtual std::optional<long double> Number(int anyColumn, int row) const = 0;
    // Reading rows from lines of text (see RowReading.h); 0 for a plain table.
    virtual int ReadRows(const std::vector<std::string>& lines) = 0;
};

std::unique_ptr<TTableAccess> MakeTableAccess(TGridTable& table);

}  // namespace keldar
