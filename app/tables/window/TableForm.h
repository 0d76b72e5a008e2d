// The editor window of one table: the grid with heading rows and row numbers, drop-down lists and
// buttons over the cells of item and sub-table columns, the Add, Insert and Delete Row buttons,
// the table's comments and help picture. Every accepted entry goes straight into the table; a
// rejected one is answered with its message, stays in its cell for correction and keeps the
// window from closing. The window sizes itself to its content and, after the user resizes it,
// snaps to whole rows and columns.
#pragma once

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

#include "GridTable.h"
#include "HelpPictureLabel.h"
#include "TDesktop.h"
#include "TableAccess.h"
#include "TableGrid.h"
#include "TableGridModel.h"

class QMdiArea;

namespace keldar {

class TTableForm : public QWidget, public TTableEditorLink {
    Q_OBJECT

  public:
    // Messages and file dialogs go to `desktop`, which outlives the window.
    TTableForm(std::unique_ptr<TTableAccess> table, TDesktop& desktop, QWidget* parent = nullptr);
    ~TTableForm() override;

    // Links window and table and fills the window; called once, before it is shown.
    void Open();
    // As a child of the MDI area (a window of its own without one).
    void ShowIn(QMdiArea* area);
    // As an application-modal window; its sub-table editors open modal too.
    void ShowModalWindow();
    void Raise();
    bool IsModalEditor() const { return modal_; }
    QMdiArea* MdiArea() const;

    // Stores the entry of the open cell. A rejected entry shows its message, keeps the cursor in
    // its cell and answers false.
    bool CommitCurrentCell();
    bool HasRejectedEntry() const;
    // For closing the program: when this window or one of its sub-table editors holds a
    // rejected entry, asks whether to discard it. Yes discards it (the table keeps its last good
    // value) and answers true; No brings the cell back for correction and answers false.
    bool QueryDiscardRejectedEntry(UserMessages& messages);

    TTableGrid* Grid() const { return grid_; }
    TTableGridModel* Cells() const { return model_; }
    QPushButton* AddButton() const { return btnAdd_; }
    QPushButton* InsertButton() const { return btnIns_; }
    QPushButton* DeleteButton() const { return btnDel_; }
    QLabel* CommentsLabel() const { return lblComments_; }
    THelpPictureLabel* HelpImage() const { return imgHelp_; }
    int RowsShown() const { return rowsShown_; }
    // The table edited, or nullptr once it is gone.
    const TTableAccess* Table() const { return access_.get(); }

    void TableDestroyed() override;
    void CloseEditor() override;
    void ResetCaption() override;

  protected:
    virtual int MaxRowsShown() const { return 10; }
    // After every refresh of the window.
    virtual void TableRefreshed() {}
    // A band of controls at the top of the window (above the grid) or below the row buttons.
    void AddTopBand(QWidget* band);
    void AddBand(QWidget* band);
    TTableAccess* Access() const { return access_.get(); }
    TDesktop& Desktop() const { return desktop_; }
    int Margin() const;
    // Refreshes the whole window from the table.
    void Refresh();
    void FitWindow();
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void AddRow();
    void InsertRow();
    void DeleteRow();
    void EntryRejected(const QString& message);
    void ReturnToRejectedCell();
    void SnapToGrid();
    void SetColumnWidths();
    void UpdateRowButtons();
    void AllocateControls();
    void UpdateControl(int column, int row);
    void ListChosen(int column, int row, int index);
    void ButtonPressed(int column, int row);
    bool CanClose();
    void Detach();
    int CurrentDataRow();
    QWidget* Container();

    std::unique_ptr<TTableAccess> access_;
    TDesktop& desktop_;
    TTableGridModel* model_;
    TTableGrid* grid_;
    QVBoxLayout* layout_;
    QWidget* rowButtons_;
    QPushButton* btnAdd_;
    QPushButton* btnIns_;
    QPushButton* btnDel_;
    QLabel* lblComments_;
    THelpPictureLabel* imgHelp_;
    QTimer snapTimer_;
    QSize snappedSize_;
    int rowsShown_ = 0;
    int columnsShown_ = 0;
    int lastRowCount_ = 0;
    bool modal_ = false;
    bool forceClose_ = false;
    bool returnPending_ = false;
    bool sizing_ = false;
    bool suspended_ = false;
};

}  // namespace keldar
