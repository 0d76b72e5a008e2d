#include "TableGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTimer>

#include "CommandChord.h"
#include "TableGridModel.h"

namespace keldar {

QWidget* TCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    editor_ = editor;
    editorIndex_ = index;
    return editor;
}

void TCellDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (editor == editor_) {
        editor_ = nullptr;
        editorIndex_ = QPersistentModelIndex();
    }
    QStyledItemDelegate::destroyEditor(editor, index);
}

void TCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (editor != editor_) return;
    QStyledItemDelegate::setEditorData(editor, index);
    // The view selects the whole entry next, which scrolls a long one to its end: select it
    // backwards instead, so that its first characters are in sight. Typing still replaces it.
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        QTimer::singleShot(0, line, [line] {
            const auto length = static_cast<int>(line->text().size());
            if (length > 0 && line->selectedText() == line->text())
                line->setSelection(length, -length);
        });
    }
}

bool TCellDelegate::TakeEnterPressed() {
    const bool pressed = enterPressed_;
    enterPressed_ = false;
    return pressed;
}

bool TCellDelegate::eventFilter(QObject* object, QEvent* event) {
    // The entry stays open while another program or a message box has the focus.
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason)
        return false;
    if (event->type() == QEvent::KeyPress) {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        // Never typed into the cell, nor passed on to the grid's search by letter.
        if (IsCommandChord(*keyEvent)) return true;
        const int key = keyEvent->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) enterPressed_ = true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

TTableGrid::TTableGrid(QWidget* parent) : QTableView(parent), delegate_(new TCellDelegate(this)) {
    setItemDelegate(delegate_);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setHighlightSections(false);
    corner_ = findChild<QAbstractButton*>();
    if (corner_) corner_->installEventFilter(this);
}

void TTableGrid::SetTopLeft(const QString& text) {
    topLeft_ = text;
    const int ppi = logicalDpiX();
    const int width =
        std::max(fontMetrics().horizontalAdvance(text + QStringLiteral("  ")) + 6, ppi / 3);
    verticalHeader()->setFixedWidth(width);
}

bool TTableGrid::eventFilter(QObject* object, QEvent* event) {
    auto* corner = corner_.data();
    if (corner && object == corner && event->type() == QEvent::Paint) {
        // The corner is painted as a heading cell that shows the top-left text.
        QStyleOptionHeader option;
        option.initFrom(corner);
        option.rect = corner->rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.text = topLeft_;
        option.textAlignment = Qt::AlignCenter;
        QStylePainter painter(corner);
        painter.drawControl(QStyle::CE_Header, option);
        return true;
    }
    return QTableView::eventFilter(object, event);
}

QSize TTableGrid::SizeFor(int rows, int firstColumn, int columns) const {
    const int columnCount = model() ? model()->columnCount() : 0;
    const int rowCount = model() ? model()->rowCount() : 0;
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    int width = 2 * frameWidth() + verticalHeader()->width();
    for (int c = firstColumn; c < firstColumn + columns && c < columnCount; ++c)
        width += columnWidth(c);
    if (rows < rowCount) width += scrollBar;
    int height = 2 * frameWidth() + horizontalHeader()->sizeHint().height() +
                 rows * verticalHeader()->defaultSectionSize();
    if (firstColumn > 0 || columns < columnCount) height += scrollBar;
    return {width, height};
}

void TTableGrid::SetShown(int rows, int columns) {
    rowsShown_ = rows;
    columnsShown_ = columns;
    updateGeometry();
}

QSize TTableGrid::sizeHint() const {
    return SizeFor(rowsShown_, horizontalScrollBar()->value(), columnsShown_);
}

QSize TTableGrid::minimumSizeHint() const { return SizeFor(1, 0, 1).boundedTo(sizeHint()); }

bool TTableGrid::IsRejected(const QModelIndex& index) const {
    auto* cells = qobject_cast<TTableGridModel*>(model());
    if (!cells || !index.isValid()) return false;
    const auto& rejected = cells->Rejected();
    return rejected && rejected->Row == index.row() && rejected->Column == index.column();
}

void TTableGrid::CommitEditor() {
    if (QWidget* editor = delegate_->OpenEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void TTableGrid::DropEditor() {
    if (QWidget* editor = delegate_->OpenEditor())
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TTableGrid::FocusEditor() {
    if (QWidget* editor = delegate_->OpenEditor()) editor->setFocus();
}

void TTableGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const QModelIndex index = delegate_->EditorIndex();
    const bool enter = delegate_->TakeEnterPressed();
    if (IsRejected(index)) {
        // A rejected entry stays open for correction; Escape discards it.
        if (hint != QAbstractItemDelegate::RevertModelCache) return;
        emit EntryDiscarded();
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        return;
    }
    QTableView::closeEditor(editor, enter ? QAbstractItemDelegate::NoHint : hint);
    if (enter) MoveByEnter();
}

QModelIndex TTableGrid::EnterTarget(const QModelIndex& from) const {
    if (!model() || !from.isValid()) return {};
    const int rows = model()->rowCount();
    const int columns = model()->columnCount();
    if (from.row() + 1 < rows) return model()->index(from.row() + 1, from.column());
    for (int step = 1; step <= columns; ++step) {
        const QModelIndex top = model()->index(0, (from.column() + step) % columns);
        if (model()->flags(top) & Qt::ItemIsEditable) return top;
    }
    return {};
}

void TTableGrid::MoveByEnter() {
    const QModelIndex target = EnterTarget(currentIndex());
    if (target.isValid()) setCurrentIndex(target);
}

void TTableGrid::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        state() != QAbstractItemView::EditingState) {
        MoveByEnter();
        return;
    }
    QTableView::keyPressEvent(event);
}

QString TTableGrid::SelectionText() const {
    if (!model()) return {};
    int top = currentIndex().row(), bottom = top, left = currentIndex().column(), right = left;
    const QItemSelection selection = selectionModel()->selection();
    if (!selection.isEmpty()) {
        top = selection.first().top();
        bottom = selection.first().bottom();
        left = selection.first().left();
        right = selection.first().right();
        for (const QItemSelectionRange& range : selection) {
            top = std::min(top, range.top());
            bottom = std::max(bottom, range.bottom());
            left = std::min(left, range.left());
            right = std::max(right, range.right());
        }
    }
    if (top < 0 || left < 0) return {};
    QString text;
    for (int r = top; r <= bottom; ++r) {
        QStringList cells;
        for (int c = left; c <= right; ++c)
            cells << model()->index(r, c).data(TTableGridModel::CopyRole).toString();
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

void TTableGrid::CopySelection() const {
    const QString text = SelectionText();
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

}  // namespace keldar
