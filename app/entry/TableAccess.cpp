#include "TableAccess.h"

#include "RowReading.h"

namespace keldar {

namespace {

template <class F>
class TTableAccessT : public TTableAccess {
  public:
    using Table = TGridTableT<F>;
    using Column = TColumnT<F>;

    explicit TTableAccessT(Table& table) : fTable(table) {}

    const void* Identity() const override { return &fTable; }

    std::string WindowCaption() const override {
        std::string path;
        for (const Table* t = &fTable; t; t = t->OwnerTable())
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
        const Column& c = fTable.VisibleColumn(column);
        return line < c.HeaderLineCount() ? c.HeaderLine(line) : std::string();
    }
    int ColumnWidth(int column, const TTextWidth& textWidth, int pixelsPerInch) const override {
        return fTable.VisibleColumn(column).Width(textWidth, pixelsPerInch);
    }
    CellKind Kind(int column) const override {
        const Column& c = fTable.VisibleColumn(column);
        if (dynamic_cast<const TEnumColumnT<F>*>(&c)) return CellKind::List;
        if (dynamic_cast<const TTableColumnT<F>*>(&c)) return CellKind::Button;
        return CellKind::Text;
    }

    std::string Text(int column, int row) const override {
        return fTable.VisibleColumn(column).GetText(row);
    }
    void SetText(int column, int row, std::string_view text) override {
        fTable.VisibleColumn(column).SetText(row, text);
    }
    std::vector<std::string> Items(int column) const override {
        if (auto* items = dynamic_cast<const TEnumColumnT<F>*>(&fTable.VisibleColumn(column)))
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
        if (auto* buttons = dynamic_cast<const TTableColumnT<F>*>(&fTable.VisibleColumn(column)))
            return buttons->ButtonCaption(row);
        return {};
    }
    std::unique_ptr<TTableAccess> SubTable(int column, int row) const override {
        Table* sub = fTable.VisibleColumn(column).GetTable(row);
        if (!sub) return nullptr;
        return std::make_unique<TTableAccessT>(*sub);
    }
    void ButtonClick(int column, int row) override {
        Column& c = fTable.VisibleColumn(column);
        if (fTable.Events.OnButtonClick)
            fTable.Events.OnButtonClick(fTable, c.Index(), row, c.GetObject(row));
    }

    void AppendGroup() override { fTable.AppendGroup(); }
    void InsertGroup(int row) override { fTable.InsertGroup(row); }
    void DeleteGroup(int row) override { fTable.DeleteGroup(row); }
    void RaiseChanged() override { fTable.SetChanged(true); }

    void SetNotifications(std::function<void(int, int)> cellChanged,
                          std::function<void()> structureChanged) override {
        Table* table = &fTable;
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

    bool IsChart() const override {
        if constexpr (F::kChart) return true;
        return false;
    }
    TChartParameters ChartParameters() const override {
        if constexpr (F::kChart) return fTable.ChartParameters();
        return {};
    }
    bool GetDataFromFile() const override {
        if constexpr (F::kChart) return fTable.GetDataFromFile();
        return false;
    }
    bool OKCancelButtons() const override {
        if constexpr (F::kChart) return fTable.OKCancelButtons();
        return false;
    }
    bool InvertedXAxis() const override {
        if constexpr (F::kChart) return fTable.InvertedXAxis();
        return false;
    }
    bool InvertedYAxis() const override {
        if constexpr (F::kChart) return fTable.InvertedYAxis();
        return false;
    }
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
        if (auto* numbers = dynamic_cast<const TFloatColumnT<F>*>(&fTable.ColumnAt(anyColumn)))
            return numbers->GetFloat(row);
        if (dynamic_cast<const TIntColumnT<F>*>(&fTable.ColumnAt(anyColumn)))
            return static_cast<long double>(fTable.ColumnAt(anyColumn).GetInteger(row));
        return std::nullopt;
    }
    int ReadRows(const std::vector<std::string>& lines) override {
        if constexpr (F::kChart) return keldar::ReadRows(fTable, lines);
        (void)lines;
        return 0;
    }

  private:
    static void CollectSubEditors(const Table& table, std::vector<TTableEditorLink*>& editors) {
        for (int i = 0; i < table.ColumnCount(); ++i) {
            auto* buttons = dynamic_cast<const TTableColumnT<F>*>(&table.ColumnAt(i));
            if (!buttons) continue;
            for (int r = 0; r < buttons->RowCount(); ++r) {
                const Table* sub = buttons->GetTable(r);
                if (!sub) continue;
                if (sub->Editor()) editors.push_back(sub->Editor());
                CollectSubEditors(*sub, editors);
            }
        }
    }

    Table& fTable;
};

}  // namespace

std::unique_ptr<TTableAccess> MakeTableAccess(TGridTable& table) {
    return std::make_unique<TTableAccessT<PlainFamily>>(table);
}

std::unique_ptr<TTableAccess> MakeTableAccess(TGridTableChart& table) {
    return std::make_unique<TTableAccessT<ChartFamily>>(table);
}

}  // namespace keldar
