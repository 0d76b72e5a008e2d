// "Export to Excel": the user ticks result plots and the export writes them into a new workbook
// (or CSV files), saved where the user chooses (the project's folder and name are proposed) and
// then opened in the desktop's default application.
#pragma once

#include <QDialog>
#include <QString>
#include <array>

class QLabel;
class QListWidget;
class QPushButton;

namespace keldar {

class TGraphPlot;
class TDesktop;

// The four exportable plots, in list order, and whether each may be exported (its menu item is
// enabled).
struct TExportChoice {
    std::array<const TGraphPlot*, 4> Plots{};
    std::array<bool, 4> Available{};
    // The project's data file; empty when there is none.
    QString ProjectFile;
};

class TDlgExport : public QDialog {
  public:
    TDlgExport(const TExportChoice& choice, TDesktop& desktop, QWidget* parent = nullptr);

    // Fills the list: every plot by its caption, enabled and ticked when it may be exported.
    void FormActivate();
    // "Generate Excel File" is enabled while at least one item is ticked.
    void CheckGenerateBtn();
    int GetNPlots() const;
    void Button1Click();  // tick every enabled item
    void Button2Click();  // untick every enabled item
    void Button3Click();  // the export
    void Button4Click();  // close

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void SetAllTicked(bool ticked);
    void Export(const QString& fileName, bool csv);
    // The workbook that the save dialog proposes: the project's name in the project's folder.
    QString SuggestedFileName() const;

    TExportChoice fChoice;
    TDesktop& fDesktop;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QListWidget* CheckListBoxPlots;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
};

}  // namespace keldar
