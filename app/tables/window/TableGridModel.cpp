#include "TableGridModel.h"

#include <QBrush>
#include <QColor>
#include <QStringList>
#include <exception>
#include <string>

#include "EntryErrors.h"

namespace keldar {

static QString Q(const std::string& text) { return QString::fromStdString(text); }

TTableGridModel::TTableGridModel(TTableAccess& table, QObject* parent)
    : QAbstractTableModel(parent), table_(&table) {}

int TTableGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !table_ ? 0 : table_->RowCount();
}

int TTableGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !table_ ? 0 : table_->ColumnCount();
}

bool TTableGridModel::IsTextCell(const QModelIndex& index) const {
    return table_ && index.isValid() && index.row() < table_->RowCount() &&
           index.column() < table_->ColumnCount() &&
           table_->Kind(index.column()) == TTableAccess::CellKind::Text;
}

QVariant TTableGridModel::data(const QModelIndex& index, int role) const {
    if (!table_ || !index.isValid() || index.row() >= table_->RowCount()) return {};
    const int row = index.row();
    const int column = index.column();
    const bool rejectedHere = rejected_ && rejected_->Row == row && rejected_->Column == column;
    switch (table_->Kind(column)) {
        case TTableAccess::CellKind::Text:
            if (role == Qt::DisplayRole || role == Qt::EditRole || role == CopyRole)
                return rejectedHere ? rejected_->Text : Q(table_->Text(column, row));
            if (role == Qt::ForegroundRole && rejectedHere) return QBrush(QColor(Qt::red));
            return {};
        case TTableAccess::CellKind::List:
            if (role == CopyRole) {
                const auto items = table_->Items(column);
                const int item = table_->Item(column, row);
                return item >= 1 && item <= static_cast<int>(items.size()) ? Q(items[item - 1])
                                                                           : QString();
            }
            return {};
        case TTableAccess::CellKind::Button:
            if (role == CopyRole) return Q(table_->ButtonCaption(column, row));
            return {};
    }
    return {};
}

bool TTableGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !IsTextCell(index)) return false;
    const int row = index.row();
    const int column = index.column();
    const QString text = value.toString();
    const bool rejectedHere = rejected_ && rejected_->Row == row && rejected_->Column == column;
    table_->RaiseChanged();
    // An untouched cell is not stored again: its text may hold fewer digits than its value.
    if (!rejectedHere && text == Q(table_->Text(column, row))) return true;
    try {
        table_->SetText(column, row, text.toStdString());
    } catch (const std::exception& e) {
        rejected_ = Rejection{row, column, text, QString::fromStdString(e.what())};
        emit dataChanged(index, index);
        emit EntryRejected(row, column, rejected_->Message);
        return false;
    }
    if (rejectedHere) rejected_.reset();
    // Every cell is shown from the table again: an expression becomes its value, and linked
    // cells (the top of the next layer) follow.
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(this->index(0, 0), this->index(rowCount() - 1, columnCount() - 1));
    return true;
}

Qt::ItemFlags TTableGridModel::flags(const QModelIndex& index) const {
    // Lists and buttons lie over their cells; the cells themselves are never entered.
    if (!IsTextCell(index)) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant TTableGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!table_ || role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical)
        return section < table_->RowCount() ? QString::number(table_->RowNumber(section))
                                            : QVariant();
    if (section >= table_->ColumnCount()) return {};
    QStringList lines;
    for (int i = 0; i < table_->HeaderRowCount(); ++i)
        lines << Q(table_->HeaderLine(section, i)).trimmed();
    return lines.join(QLatin1Char('\n'));
}

void TTableGridModel::DiscardRejection() {
    if (!rejected_) return;
    const QModelIndex cell = index(rejected_->Row, rejected_->Column);
    rejected_.reset();
    emit dataChanged(cell, cell);
}

void TTableGridModel::Detach() {
    beginResetModel();
    table_ = nullptr;
    rejected_.reset();
    endResetModel();
}

void TTableGridModel::CellChanged(int column, int row) {
    if (!table_ || row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return;
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell);
}

void TTableGridModel::StructureChanged() {
    beginResetModel();
    if (table_ && rejected_ &&
        (rejected_->Row >= table_->RowCount() || rejected_->Column >= table_->ColumnCount()))
        rejected_.reset();
    endResetModel();
}

}  // namespace keldar
