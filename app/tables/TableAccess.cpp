#include "TableAccess.h"

#include "RowReading.h"

namespace keldar {

namespace {

class TTableAccessOf : public TTableAccess {
  public:
    explicit TTableAccessOf(TGridTable& table) : fTable(table) {}

    const void* Identity() const override { return &fTable; }

    std::string WindowCaption() const override {
        std::string path;
        for (const TGridTable* t = &fTable; t; t = t->OwnerTable())
            if (t->IndexNumber() != 0) path = " " + std::to_string(t->IndexNumber()) + path;
        return fTable.Caption() + " " + path;
    }
    std::string Comments() const override { return fTable.Comments(); }
    std::string TopLeft() const override { return fTable.TopLeft(); }
    std::string HelpPicture() const override { return fTable.HelpPicture(); }
    int MinRows() const override { return fTable.MinRows(); }
    int MaxRows() const override { return fTable.MaxRows(); }
    int RowGroup() const override { return fTable.RowGroup(); }
    int RowCount() const override { return fTable.RowCount(); }
    int RowNumber(int row) const override { return fTable.RowNumber(row); }
    void EnsureMinRows() override {
        if (fTable.RowCount() < fTable.MinRows()) fTable.SetRowCount(fTable.MinRows());
    }

    int ColumnCount() const override { return fTable.VisibleColumnCount(); }
    int HeaderRowCount() const override { return fTable.HeaderRowCount(); }
    std::string HeaderLine(int column, int line) const override {
        const TColumn& c = fTable.VisibleColumn(column);
        return line < c.HeaderLineCount() ? c.HeaderLine(line) : std::string();
    }
    int ColumnWidth(int column, const TTextWidth& textWidth, int pixelsPerInch) const override {
        return fTable.VisibleColumn(column).Width(textWidth, pixelsPerInch);
    }
    CellKind Kind(int column) const override {
        switch (fTable.VisibleColumn(column).Kind()) {
            case TColumnKind::Enumeration:
                return CellKind::List;
            case TColumnKind::Table:
                return CellKind::Button;
            default:
                return CellKind::Text;
        }
    }

    std::string Text(int column, int row) const override {
        return fTable.VisibleColumn(column).GetText(row);
    }
    void SetText(int column, int row, std::string_view text) override {
        fTable.VisibleColumn(column).SetText(row, text);
    }
    std::vector<std::string> Items(int column) const override {
        if (const auto* items = ColumnAs<TEnumColumn>(&fTable.VisibleColumn(column)))
            return items->Items();
        return {};
    }
    int Item(int column, int row) const override {
        return fTable.VisibleColumn(column).GetInteger(row);
    }
    void SetItem(int column, int row, int item) override {
        fTable.VisibleColumn(column).SetInteger(row, item);
    }
    std::string ButtonCaption(int column, int row) const override {
        if (const auto* buttons = ColumnAs<TTableColumn>(&fTable.VisibleColumn(column)))
            return buttons->ButtonCaption(row);
        return {};
    }
    std::unique_ptr<TTableAccess> SubTable(int column, int row) const override {
        TGridTable* sub = fTable.VisibleColumn(column).GetTable(row);
        if (!sub) return nullptr;
        return std::make_unique<TTableAccessOf>(*sub);
    }
    void ButtonClick(int column, int row) override {
        TColumn& c = fTable.VisibleColumn(column);
        if (fTable.Events.OnButtonClick)
            fTable.Events.OnButtonClick(fTable, c.Index(), row, c.GetObject(row));
    }

    void AppendGroup() override { fTable.AppendGroup(); }
    void InsertGroup(int row) override { fTable.InsertGroup(row); }
    void DeleteGroup(int row) override { fTable.DeleteGroup(row); }
    void RaiseChanged() override { fTable.SetChanged(true); }

    void SetNotifications(std::function<void(int, int)> cellChanged,
                          std::function<void()> structureChanged) override {
        TGridTable* table = &fTable;
        fTable.SetNotifications(
            [table, cellChanged = std::move(cellChanged)](int index, int row) {
                // Hidden columns have no grid column.
                if (!table->ColumnAt(index).Visible()) return;
                int visible = 0;
                for (int i = 0; i < index; ++i)
                    if (table->ColumnAt(i).Visible()) ++visible;
                cellChanged(visible, row);
            },
            std::move(structureChanged));
    }
    void ClearNotifications() override { fTable.ClearNotifications(); }
    TTableEditorLink* Editor() const override { return fTable.Editor(); }
    void SetEditor(TTableEditorLink* editor) override { fTable.SetEditor(editor); }

    std::vector<TTableEditorLink*> SubEditors() const override {
        std::vector<TTableEditorLink*> editors;
        CollectSubEditors(fTable, editors);
        return editors;
    }
    void CloseSubEditors() override {
        for (int i = 0; i < fTable.ColumnCount(); ++i) fTable.ColumnAt(i).CloseForms();
    }
    void FireResize() override {
        if (fTable.Events.OnResize) fTable.Events.OnResize(fTable);
    }

    bool IsChart() const override { return fTable.AsChart() != nullptr; }
    TChartParameters ChartParameters() const override {
        return IsChart() ? fTable.AsChart()->ChartParameters() : TChartParameters{};
    }
    bool GetDataFromFile() const override {
        return IsChart() && fTable.AsChart()->GetDataFromFile();
    }
    bool OKCancelButtons() const override {
        return IsChart() && fTable.AsChart()->OKCancelButtons();
    }
    bool InvertedXAxis() const override { return IsChart() && fTable.AsChart()->InvertedXAxis(); }
    bool InvertedYAxis() const override { return IsChart() && fTable.AsChart()->InvertedYAxis(); }
    int AllColumnCount() const override { return fTable.ColumnCount(); }
    std::string ChartTitle(int anyColumn) const override {
        if (anyColumn < 0 || anyColumn >= fTable.ColumnCount()) return {};
        std::string title = fTable.ColumnAt(anyColumn).HeaderLine(0);
        while (!title.empty() && title.back() == ' ') title.pop_back();
        return title;
    }
    std::optional<long double> Number(int anyColumn, int row) const override {
        if (anyColumn < 0 || anyColumn >= fTable.ColumnCount() || row < 0 ||
            row >= fTable.RowCount())
            return std::nullopt;
        const TColumn& column = fTable.ColumnAt(anyColumn);
        if (column.Kind() == TColumnKind::Float) return column.GetFloat(row);
        if (column.Kind() == TColumnKind::Integer)
            return static_cast<long double>(column.GetInteger(row));
        return std::nullopt;
    }
    int ReadRows(const std::vector<std::string>& lines) override {
        return IsChart() ? keldar::ReadRows(*fTable.AsChart(), lines) : 0;
    }

  private:
    static void CollectSubEditors(const TGridTable& table,
                                  std::vector<TTableEditorLink*>& editors) {
        for (int i = 0; i < table.ColumnCount(); ++i) {
            const auto* buttons = ColumnAs<TTableColumn>(&table.ColumnAt(i));
            if (!buttons) continue;
            for (int r = 0; r < buttons->RowCount(); ++r) {
                const TGridTable* sub = buttons->GetTable(r);
                if (!sub) continue;
                if (sub->Editor()) editors.push_back(sub->Editor());
                CollectSubEditors(*sub, editors);
            }
        }
    }

    TGridTable& fTable;
};

}  // namespace

std::unique_ptr<TTableAccess> MakeTableAccess(TGridTable& table) {
    return std::make_unique<TTableAccessOf>(table);
}

}  // namespace keldar
