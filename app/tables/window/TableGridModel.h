// The cells of a table as an item model for the editor's grid. Text typed into a cell goes to the
// table's column; a rejected entry is never stored: the model keeps it apart, with its message,
// and shows it in its cell until it is corrected or discarded, while the table keeps its last
// good value.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <optional>

#include "TableAccess.h"

namespace keldar {

class TTableGridModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    struct Rejection {
        int Row;
        int Column;
        QString Text;
        QString Message;
    };

    // The text of a cell as copied: the number, the chosen item or the button's caption.
    static constexpr int CopyRole = Qt::UserRole + 1;

    TTableGridModel(TTableAccess& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const std::optional<Rejection>& Rejected() const { return rejected_; }
    // The rejected entry is dropped; its cell shows the table's value again.
    void DiscardRejection();
    // The table is gone: the model shows nothing and never touches it again.
    void Detach();

    // Notifications of the table.
    void CellChanged(int column, int row);
    void StructureChanged();

  signals:
    void EntryRejected(int row, int column, const QString& message);

  private:
    bool IsTextCell(const QModelIndex& index) const;

    TTableAccess* table_;
    std::optional<Rejection> rejected_;
};

}  // namespace keldar
