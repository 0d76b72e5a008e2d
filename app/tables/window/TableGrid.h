// The grid of a table editor: heading lines in the horizontal header, row numbers in the vertical
// one with the table's top-left text in the corner, one open cell editor at a time, the Enter
// key moving down the columns, and copying a selected range as tab-separated text.
#pragma once

#include <QAbstractButton>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

namespace keldar {

// Remembers the open cell editor and whether Enter ended the entry.
class TCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    // Lists and buttons over the cells keep what the window puts in them.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    QWidget* OpenEditor() const { return editor_; }
    QModelIndex EditorIndex() const { return editorIndex_; }
    bool TakeEnterPressed();

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;

  private:
    mutable QPointer<QWidget> editor_;
    mutable QPersistentModelIndex editorIndex_;
    bool enterPressed_ = false;
};

class TTableGrid : public QTableView {
    Q_OBJECT

  public:
    explicit TTableGrid(QWidget* parent = nullptr);

    void SetTopLeft(const QString& text);
    QString TopLeft() const { return topLeft_; }
    // The grid's size when it shows `rows` rows and the columns from `firstColumn` on, `columns`
    // of them, with scroll bars where rows or columns are left out.
    QSize SizeFor(int rows, int firstColumn, int columns) const;
    void SetShown(int rows, int columns);
    int RowsShown() const { return rowsShown_; }
    int ColumnsShown() const { return columnsShown_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    bool HasOpenEditor() const { return delegate_->OpenEditor() != nullptr; }
    // Hands the open editor's text to the model; the editor stays open when it is rejected.
    void CommitEditor();
    // Closes the open editor without storing its text.
    void DropEditor();
    void FocusEditor();
    // The cell the Enter key moves to: down the column, then to the top of the next column
    // that takes typing, from the last to the first.
    QModelIndex EnterTarget(const QModelIndex& from) const;
    // The selected range as lines of tab-separated cells.
    QString SelectionText() const;
    void CopySelection() const;

  signals:
    // Escape pressed on a rejected entry.
    void EntryDiscarded();

  protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

  private:
    bool IsRejected(const QModelIndex& index) const;
    void MoveByEnter();

    TCellDelegate* delegate_;
    QPointer<QAbstractButton> corner_;
    QString topLeft_;
    int rowsShown_ = 1;
    int columnsShown_ = 1;
};

}  // namespace keldar
