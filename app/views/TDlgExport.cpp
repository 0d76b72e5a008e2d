#include "TDlgExport.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "CsvWriter.h"
#include "ExportLayout.h"
#include "GraphPlot.h"
#include "TDesktop.h"
#include "WorkbookWriter.h"

namespace keldar {

static const char kCaption[] = "Export to Excel";
static const char kWorkbookFilter[] = "Excel Workbook (*.xlsx)";
static const char kCsvFilter[] = "CSV Files, one per plot (*.csv)";

// A button of the dialog that runs `click` when pressed.
static QPushButton* NewButton(const QString& text, TDlgExport* dialog,
                              void (TDlgExport::*click)()) {
    auto* button = new QPushButton(text, dialog);
    QObject::connect(button, &QPushButton::clicked, dialog, click);
    return button;
}

TDlgExport::TDlgExport(const TExportChoice& choice, TDesktop& desktop, QWidget* parent)
    : QDialog(parent), fChoice(choice), fDesktop(desktop) {
    setWindowTitle(QString::fromLatin1(kCaption));
    Label1 =
        new QLabel(QStringLiteral("The ticked plots are written to a workbook (a data sheet and "
                                  "a chart sheet per plot) or to CSV files (one per plot)."),
                   this);
    Label2 = new QLabel(QStringLiteral("You choose the folder and the file name; the project's "
                                       "folder and name are proposed."),
                        this);
    Label3 = new QLabel(QStringLiteral("The workbook is saved when it is written and then opened "
                                       "in your spreadsheet program."),
                        this);
    for (QLabel* label : {Label1, Label2, Label3}) label->setWordWrap(true);
    auto* group = new QGroupBox(QStringLiteral("Available Plots"), this);
    CheckListBoxPlots = new QListWidget(group);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(CheckListBoxPlots);
    Button1 = NewButton(QStringLiteral("Select All"), this, &TDlgExport::Button1Click);
    Button2 = NewButton(QStringLiteral("Unselect All"), this, &TDlgExport::Button2Click);
    Button3 = NewButton(QStringLiteral("Generate Excel File"), this, &TDlgExport::Button3Click);
    Button4 = NewButton(QStringLiteral("Close Window"), this, &TDlgExport::Button4Click);

    auto* selection = new QHBoxLayout;
    selection->addWidget(Button1);
    selection->addWidget(Button2);
    selection->addStretch();
    auto* actions = new QHBoxLayout;
    actions->addStretch();
    actions->addWidget(Button3);
    actions->addWidget(Button4);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Label3);
    layout->addWidget(group, 1);
    layout->addLayout(selection);
    layout->addLayout(actions);

    connect(CheckListBoxPlots, &QListWidget::itemChanged, this, &TDlgExport::CheckGenerateBtn);
    FormActivate();
}

void TDlgExport::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

void TDlgExport::FormActivate() {
    const QSignalBlocker quiet(CheckListBoxPlots);
    CheckListBoxPlots->clear();
    for (std::size_t k = 0; k < fChoice.Plots.size(); ++k) {
        const TGraphPlot* plot = fChoice.Plots[k];
        const bool available = plot && fChoice.Available[k] && HasExportData(*plot);
        auto* item = new QListWidgetItem(plot ? plot->Caption() : QString(), CheckListBoxPlots);
        Qt::ItemFlags flags = Qt::ItemIsUserCheckable;
        if (available) flags |= Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        item->setFlags(flags);
        item->setCheckState(available ? Qt::Checked : Qt::Unchecked);
    }
    CheckGenerateBtn();
}

int TDlgExport::GetNPlots() const {
    int ticked = 0;
    for (int row = 0; row < CheckListBoxPlots->count(); ++row) {
        if (CheckListBoxPlots->item(row)->checkState() == Qt::Checked) ++ticked;
    }
    return ticked;
}

void TDlgExport::CheckGenerateBtn() { Button3->setEnabled(GetNPlots() > 0); }

void TDlgExport::SetAllTicked(bool ticked) {
    {
        const QSignalBlocker quiet(CheckListBoxPlots);
        for (int row = 0; row < CheckListBoxPlots->count(); ++row) {
            QListWidgetItem* item = CheckListBoxPlots->item(row);
            if (item->flags() & Qt::ItemIsEnabled) {
                item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
            }
        }
    }
    CheckGenerateBtn();
}

void TDlgExport::Button1Click() { SetAllTicked(true); }
void TDlgExport::Button2Click() { SetAllTicked(false); }
void TDlgExport::Button4Click() { close(); }

void TDlgExport::Button3Click() {
    if (GetNPlots() == 0) return;
    const QStringList filters = {QLatin1String(kWorkbookFilter), QLatin1String(kCsvFilter)};
    const std::optional<TFileChoice> choice =
        fDesktop.saveFileName({.title = QString::fromLatin1(kCaption),
                               .fileName = SuggestedFileName(),
                               .filters = filters,
                               .parent = this});
    if (!choice) return;
    QString fileName = choice->fileName;
    const bool csv = filters.value(choice->filterIndex) == QLatin1String(kCsvFilter) ||
                     fileName.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
    if (!csv && !fileName.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive)) {
        fileName += QStringLiteral(".xlsx");
    }
    Export(fileName, csv);
}

QString TDlgExport::SuggestedFileName() const {
    if (fChoice.ProjectFile.isEmpty()) return QDir::home().filePath(QStringLiteral("Plots.xlsx"));
    const QFileInfo project(fChoice.ProjectFile);
    return project.absoluteDir().filePath(project.completeBaseName() + QStringLiteral(".xlsx"));
}

void TDlgExport::Export(const QString& fileName, bool csv) {
    std::vector<TExportPlot> plots;
    for (int row = 0; row < CheckListBoxPlots->count(); ++row) {
        if (CheckListBoxPlots->item(row)->checkState() != Qt::Checked) continue;
        plots.push_back(ExportPlotFrom(*fChoice.Plots[static_cast<std::size_t>(row)]));
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        if (csv) {
            SaveCsvFiles(plots, fileName);
        } else {
            SaveWorkbook(plots, fileName);
        }
    } catch (const EExportError& error) {
        QApplication::restoreOverrideCursor();
        fDesktop.error(QString::fromLatin1(kCaption), error.Message());
        return;
    }
    QApplication::restoreOverrideCursor();

    if (csv) {
        fDesktop.information(
            QString::fromLatin1(kCaption),
            QStringLiteral("Export to CSV files completed:\r") +
                CsvFileNames(fileName, static_cast<int>(plots.size())).join(u'\r'));
        return;
    }
    if (!fDesktop.openUrl(QUrl::fromLocalFile(fileName))) {
        fDesktop.information(
            QString::fromLatin1(kCaption),
            QStringLiteral("The workbook was saved as %1; no program was found to open it.")
                .arg(QDir::toNativeSeparators(fileName)));
        return;
    }
    fDesktop.information(QString::fromLatin1(kCaption),
                         QStringLiteral("Export to Excel Completed\rThe workbook was saved as %1.")
                             .arg(QDir::toNativeSeparators(fileName)));
}

}  // namespace keldar
