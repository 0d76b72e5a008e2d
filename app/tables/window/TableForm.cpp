#include "TableForm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <algorithm>
#include <exception>

#include "GridFit.h"
#include "HelpPictureLabel.h"
#include "TableEditors.h"

namespace keldar {

static QString Q(const std::string& text) { return QString::fromStdString(text); }

static const QString kErrorTitle = QStringLiteral("Error");

TTableForm::TTableForm(std::unique_ptr<TTableAccess> table, TDesktop& desktop, QWidget* parent)
    : QWidget(parent), access_(std::move(table)), desktop_(desktop) {
    model_ = new TTableGridModel(*access_, this);
    grid_ = new TTableGrid(this);
    grid_->setModel(model_);

    btnAdd_ = new QPushButton(tr("&Add Row"));
    btnIns_ = new QPushButton(tr("&Insert Row"));
    btnDel_ = new QPushButton(tr("&Delete Row"));
    rowButtons_ = new QWidget;
    auto* buttons = new QHBoxLayout(rowButtons_);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(Margin());
    buttons->addWidget(btnAdd_);
    buttons->addWidget(btnIns_);
    buttons->addWidget(btnDel_);
    buttons->addStretch();

    lblComments_ = new QLabel;
    imgHelp_ = new THelpPictureLabel;

    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(Margin(), Margin(), Margin(), Margin());
    layout_->setSpacing(Margin());
    layout_->addWidget(grid_);
    layout_->addWidget(rowButtons_);
    layout_->addWidget(lblComments_);
    layout_->addWidget(imgHelp_, 0, Qt::AlignLeft);

    connect(btnAdd_, &QPushButton::clicked, this, &TTableForm::AddRow);
    connect(btnIns_, &QPushButton::clicked, this, &TTableForm::InsertRow);
    connect(btnDel_, &QPushButton::clicked, this, &TTableForm::DeleteRow);
    connect(model_, &TTableGridModel::EntryRejected, this,
            [this](int, int, const QString& message) { EntryRejected(message); });
    connect(grid_, &TTableGrid::EntryDiscarded, model_, &TTableGridModel::DiscardRejection);
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { grid_->updateGeometry(); });

    snapTimer_.setSingleShot(true);
    snapTimer_.setInterval(300);
    connect(&snapTimer_, &QTimer::timeout, this, &TTableForm::SnapToGrid);
}

TTableForm::~TTableForm() { Detach(); }

int TTableForm::Margin() const { return logicalDpiX() / 20; }

void TTableForm::AddTopBand(QWidget* band) { layout_->insertWidget(0, band); }

void TTableForm::AddBand(QWidget* band) {
    layout_->insertWidget(layout_->indexOf(lblComments_), band);
}

void TTableForm::Open() {
    access_->SetEditor(this);
    access_->EnsureMinRows();
    ResetCaption();
    grid_->SetTopLeft(Q(access_->TopLeft()));

    QString comments = Q(access_->Comments());
    comments.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    comments.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lblComments_->setText(comments);
    lblComments_->setVisible(!comments.isEmpty());
    imgHelp_->SetPicture(access_->HelpPicture());

    columnsShown_ = access_->ColumnCount();
    rowsShown_ = std::min(access_->RowCount(), MaxRowsShown());
    lastRowCount_ = access_->RowCount();
    access_->SetNotifications(
        [this](int column, int row) {
            model_->CellChanged(column, row);
            UpdateControl(column, row);
        },
        [this] {
            // The cursor keeps its cell, or the nearest that is left.
            const QModelIndex current = grid_->currentIndex();
            model_->StructureChanged();
            if (!suspended_) Refresh();
            if (current.isValid() && model_->rowCount() > 0)
                grid_->setCurrentIndex(model_->index(
                    std::min(current.row(), model_->rowCount() - 1), current.column()));
        });
    Refresh();
}

void TTableForm::Refresh() {
    if (!access_) return;
    const int rows = access_->RowCount();
    // A window that showed all rows goes on showing them all, up to its limit.
    if (rowsShown_ >= lastRowCount_) rowsShown_ = rows;
    rowsShown_ = std::clamp(rowsShown_, std::min(rows, 1), std::min(rows, MaxRowsShown()));
    lastRowCount_ = rows;
    columnsShown_ = std::clamp(columnsShown_, 1, std::max(access_->ColumnCount(), 1));
    SetColumnWidths();
    UpdateRowButtons();
    AllocateControls();
    FitWindow();
    access_->FireResize();
    TableRefreshed();
}

void TTableForm::SetColumnWidths() {
    const QFontMetrics metrics(grid_->horizontalHeader()->font());
    const int padding = 2 * grid_->style()->pixelMetric(QStyle::PM_HeaderMargin);
    const TTextWidth textWidth = [&](const std::string& text) {
        return metrics.horizontalAdvance(Q(text)) + padding;
    };
    for (int c = 0; c < access_->ColumnCount(); ++c) {
        int width = access_->ColumnWidth(c, textWidth, logicalDpiX());
        if (access_->Kind(c) == TTableAccess::CellKind::List) {
            // A list is as wide as its longest item, so that the choice can be read.
            QComboBox probe;
            for (const std::string& item : access_->Items(c)) probe.addItem(Q(item));
            width = std::max(width, probe.sizeHint().width());
        }
        grid_->setColumnWidth(c, width);
    }
}

void TTableForm::UpdateRowButtons() {
    const int rows = access_->RowCount();
    const int maxRows = access_->MaxRows();
    rowButtons_->setVisible(access_->MinRows() != maxRows);
    const bool canGrow = maxRows <= 0 || rows < maxRows;
    btnAdd_->setEnabled(canGrow);
    btnIns_->setEnabled(canGrow);
    btnDel_->setEnabled(access_->MinRows() < rows);
}

void TTableForm::AllocateControls() {
    for (int c = 0; c < access_->ColumnCount(); ++c) {
        const auto kind = access_->Kind(c);
        if (kind == TTableAccess::CellKind::Text) continue;
        for (int r = 0; r < access_->RowCount(); ++r) {
            const QModelIndex cell = model_->index(r, c);
            if (kind == TTableAccess::CellKind::List) {
                auto* list = new QComboBox;
                list->setMaxVisibleItems(11);
                for (const std::string& item : access_->Items(c)) list->addItem(Q(item));
                connect(list, &QComboBox::activated, this,
                        [this, c, r](int index) { ListChosen(c, r, index); });
                grid_->setIndexWidget(cell, list);
            } else {
                auto* button = new QPushButton;
                connect(button, &QPushButton::clicked, this, [this, c, r] { ButtonPressed(c, r); });
                grid_->setIndexWidget(cell, button);
            }
            UpdateControl(c, r);
        }
    }
}

void TTableForm::UpdateControl(int column, int row) {
    if (!access_ || column >= access_->ColumnCount() || row >= access_->RowCount()) return;
    QWidget* control = grid_->indexWidget(model_->index(row, column));
    if (auto* list = qobject_cast<QComboBox*>(control))
        list->setCurrentIndex(access_->Item(column, row) - 1);
    else if (auto* button = qobject_cast<QPushButton*>(control))
        button->setText(Q(access_->ButtonCaption(column, row)));
}

void TTableForm::ListChosen(int column, int row, int index) {
    if (!access_ || !CommitCurrentCell()) {
        UpdateControl(column, row);
        return;
    }
    access_->RaiseChanged();
    if (index + 1 == access_->Item(column, row)) return;
    try {
        // A layer whose soil type changes gets the layer data of the new type.
        access_->SetItem(column, row, index + 1);
    } catch (const std::exception& e) {
        desktop_.error(kErrorTitle, Q(e.what()));
        UpdateControl(column, row);
    }
}

void TTableForm::ButtonPressed(int column, int row) {
    if (!access_ || !CommitCurrentCell()) return;
    if (auto sub = access_->SubTable(column, row))
        OpenTableEditor(MdiArea(), std::move(sub), desktop_, modal_);
    else
        access_->ButtonClick(column, row);
}

void TTableForm::FitWindow() {
    grid_->SetShown(rowsShown_, columnsShown_);
    layout_->activate();
    QWidget* container = Container();
    sizing_ = true;
    container->resize(container->sizeHint());
    sizing_ = false;
    snappedSize_ = size();
}

int TTableForm::CurrentDataRow() {
    const int row = grid_->currentIndex().row();
    if (row < 0 || row >= access_->RowCount()) {
        desktop_.error(kErrorTitle, QStringLiteral("Grid.Row not in valid range"));
        return -1;
    }
    return row;
}

void TTableForm::AddRow() {
    if (!access_ || !CommitCurrentCell()) return;
    const int group = access_->RowGroup();
    if (rowsShown_ >= access_->RowCount())
        rowsShown_ = std::min(access_->RowCount() + group, MaxRowsShown());
    suspended_ = true;
    try {
        access_->AppendGroup();
    } catch (const std::exception& e) {
        desktop_.error(kErrorTitle, Q(e.what()));
    }
    suspended_ = false;
    access_->RaiseChanged();
    lastRowCount_ = access_->RowCount();
    Refresh();
    // The new rows come into sight at the bottom.
    const int rows = access_->RowCount();
    grid_->doItemsLayout();
    if (grid_->verticalScrollBar()->value() + rowsShown_ < rows)
        grid_->verticalScrollBar()->setValue(rows - rowsShown_);
}

void TTableForm::InsertRow() {
    if (!access_ || !CommitCurrentCell()) return;
    const int row = CurrentDataRow();
    if (row < 0) return;
    access_->RaiseChanged();
    if (rowsShown_ >= access_->RowCount())
        rowsShown_ = std::min(access_->RowCount() + access_->RowGroup(), MaxRowsShown());
    access_->InsertGroup(row);
}

void TTableForm::DeleteRow() {
    if (!access_ || !CommitCurrentCell()) return;
    if (access_->RowCount() <= access_->MinRows()) return;
    const int row = CurrentDataRow();
    if (row < 0) return;
    access_->RaiseChanged();
    access_->DeleteGroup(row);
}

bool TTableForm::CommitCurrentCell() {
    if (!access_) return true;
    // The message of a rejection is on its way back to its cell.
    if (returnPending_ && model_->Rejected()) return false;
    if (grid_->HasOpenEditor()) {
        grid_->CommitEditor();
    } else if (const auto& rejected = model_->Rejected()) {
        EntryRejected(rejected->Message);
    }
    return !model_->Rejected();
}

bool TTableForm::HasRejectedEntry() const { return model_->Rejected().has_value(); }

void TTableForm::EntryRejected(const QString& message) {
    // One message per rejection, however many ways the entry was left.
    if (!access_ || forceClose_ || returnPending_) return;
    // Set before the message box opens: the box takes the focus from the cell.
    returnPending_ = true;
    QTimer::singleShot(0, this, &TTableForm::ReturnToRejectedCell);
    desktop_.error(kErrorTitle, message);
}

void TTableForm::ReturnToRejectedCell() {
    returnPending_ = false;
    const auto& rejected = model_->Rejected();
    if (!rejected) return;
    const QModelIndex cell = model_->index(rejected->Row, rejected->Column);
    Raise();
    grid_->setCurrentIndex(cell);
    if (!grid_->HasOpenEditor()) grid_->edit(cell);
    grid_->FocusEditor();
}

bool TTableForm::QueryDiscardRejectedEntry(UserMessages& messages) {
    if (!access_) return true;
    std::vector<TTableForm*> forms{this};
    for (TTableEditorLink* link : access_->SubEditors())
        if (auto* form = dynamic_cast<TTableForm*>(link)) forms.push_back(form);
    for (TTableForm* form : forms) {
        // The open entry is tried first, without a message.
        form->forceClose_ = true;
        if (form->grid_->HasOpenEditor()) form->grid_->CommitEditor();
        form->forceClose_ = false;
        const auto& rejected = form->model_->Rejected();
        if (!rejected) continue;
        const QString text = QStringLiteral(
                                 "The entry \"%1\" in row %2 of \"%3\" was not accepted:\r%4\r\r"
                                 "Discard this entry? (No: go back and correct it.)")
                                 .arg(rejected->Text)
                                 .arg(rejected->Row + 1)
                                 .arg(form->windowTitle().trimmed(), rejected->Message);
        if (messages.confirm(QStringLiteral("Confirm"), text, false) != UserMessages::Answer::Yes) {
            form->ReturnToRejectedCell();
            return false;
        }
        form->grid_->DropEditor();
        form->model_->DiscardRejection();
    }
    return true;
}

bool TTableForm::CanClose() {
    if (!CommitCurrentCell()) return false;
    // Sub-table editors close with their owner; a rejected entry in one of them keeps it open.
    for (TTableEditorLink* link : access_->SubEditors()) {
        auto* form = dynamic_cast<TTableForm*>(link);
        if (form && !form->CommitCurrentCell()) return false;
    }
    return true;
}

void TTableForm::closeEvent(QCloseEvent* event) {
    if (access_ && !forceClose_ && !CanClose()) {
        event->ignore();
        return;
    }
    forceClose_ = true;
    grid_->DropEditor();
    Detach();
    event->accept();
}

void TTableForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!sizing_ && access_ && isVisible()) snapTimer_.start();
}

void TTableForm::SnapToGrid() {
    if (!access_ || access_->ColumnCount() == 0) return;
    TGridMetrics metrics;
    const int frame = 2 * grid_->frameWidth();
    metrics.FixedWidth = frame + grid_->verticalHeader()->width();
    metrics.FixedHeight = frame + grid_->horizontalHeader()->sizeHint().height();
    for (int c = 0; c < access_->ColumnCount(); ++c)
        metrics.ColumnWidths.push_back(grid_->columnWidth(c));
    metrics.RowHeight = std::max(grid_->verticalHeader()->defaultSectionSize(), 1);
    metrics.RowCount = access_->RowCount();
    metrics.ScrollBar = grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid_);
    metrics.Shown = {grid_->horizontalScrollBar()->value(), grid_->verticalScrollBar()->value(),
                     columnsShown_, rowsShown_};
    const bool widthDragged = width() != snappedSize_.width();
    const bool heightDragged = height() != snappedSize_.height();
    if (!widthDragged && !heightDragged) return;
    const TGridFit fit =
        FitGrid(metrics, grid_->width(), grid_->height(), widthDragged, heightDragged);
    rowsShown_ = fit.Rows;
    columnsShown_ = fit.Columns;
    FitWindow();
    grid_->horizontalScrollBar()->setValue(fit.FirstColumn);
    grid_->verticalScrollBar()->setValue(fit.FirstRow);
}

void TTableForm::TableDestroyed() {
    // Called from the table's destructor: the table must not be touched any more.
    access_.reset();
    model_->Detach();
    forceClose_ = true;
    Container()->close();
}

void TTableForm::CloseEditor() {
    forceClose_ = true;
    Container()->close();
}

void TTableForm::ResetCaption() {
    if (access_) setWindowTitle(Q(access_->WindowCaption()));
}

void TTableForm::Detach() {
    snapTimer_.stop();
    if (!access_) return;
    std::unique_ptr<TTableAccess> access = std::move(access_);
    access->CloseSubEditors();
    access->ClearNotifications();
    if (access->Editor() == this) access->SetEditor(nullptr);
    model_->Detach();
}

QWidget* TTableForm::Container() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) return sub;
    return this;
}

QMdiArea* TTableForm::MdiArea() const {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) return sub->mdiArea();
    return nullptr;
}

void TTableForm::ShowIn(QMdiArea* area) {
    if (!area) {
        setAttribute(Qt::WA_DeleteOnClose);
        FitWindow();
        show();
        return;
    }
    QMdiSubWindow* sub =
        area->addSubWindow(this, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                     Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                     Qt::WindowCloseButtonHint);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    FitWindow();
    sub->show();
    area->setActiveSubWindow(sub);
}

void TTableForm::ShowModalWindow() {
    modal_ = true;
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    FitWindow();
    show();
}

void TTableForm::Raise() {
    QWidget* container = Container();
    container->show();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(container); sub && sub->mdiArea())
        sub->mdiArea()->setActiveSubWindow(sub);
    container->raise();
    container->activateWindow();
}

}  // namespace keldar
