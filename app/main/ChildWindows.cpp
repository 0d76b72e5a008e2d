#include "ChildWindows.h"

#include <QFileInfo>
#include <QMdiSubWindow>
#include <QPointer>
#include <array>

#include "DataDialogWindows.h"
#include "PlotWindows.h"
#include "SummaryResults.h"
#include "TDlgOptions.h"
#include "THelpWindow.h"
#include "TMainForm.h"
#include "TResultsSummaryWindow.h"
#include "TableEditors.h"
#include "TdlgTitle.h"
#include "TfrmMaterial.h"
#include "TfrmQwFactors.h"
#include "Views.h"

namespace keldar {

namespace {

HelpPage PageOf(THelpTopic topic) {
    switch (topic) {
        case THelpTopic::UsersManual:
            return HelpPage::UsersManual;
        case THelpTopic::TechnicalManual:
            return HelpPage::TechnicalManual;
        case THelpTopic::Contents:
            break;
    }
    return HelpPage::Contents;
}

}  // namespace

void ReportWindowNotAvailable(TMainForm& form, const QString& window) {
    form.Desktop().information(QStringLiteral("Information"),
                               QStringLiteral("The %1 window is not available yet.").arg(window));
}

void OpenTableEditor(TMainForm& form, TGridTable& table) {
    if (!OpenTableEditor(&form.MdiArea(), table, form.Desktop())) {
        ReportWindowNotAvailable(form, QString::fromStdString(table.Caption()));
    }
}

void OpenPlotWindow(TMainForm& form, TGraphPlot& plot) {
    keldar::OpenPlotWindow(&form.MdiArea(), plot, form.Desktop(), form.PlotDialogs());
}

void ShowSoilProfile(TMainForm& form) {
    OpenSoilProfile(&form.MdiArea(), form.Project(), form.Desktop());
}

void ShowExportDialog(TMainForm& form) {
    // The plots the Graphics menu offers: load distribution, load vs settlement, t-z and Q-w.
    const bool results = form.ResultsAvailable();
    const std::array<bool, 4> available = {results, results, results, results};
    ExportExcelClick(&form, form.Plots(), available, form.Project().FileName, form.Desktop());
}

void OpenTitleDialog(TMainForm& form) {
    ShowDataDialog<TdlgTitle>(form.MdiArea(), form.Project(), form.Desktop());
}

void OpenPileProperties(TMainForm& form) {
    const bool opening = FindChild<TfrmMaterial>(form.MdiArea()) == nullptr;
    TfrmMaterial* dialog =
        ShowDataDialog<TfrmMaterial>(form.MdiArea(), form.Project(), form.Desktop());
    if (opening) {
        QObject::connect(dialog, &TfrmMaterial::EditAEData, &form,
                         [&form] { OpenTableEditor(form, form.Tables().Chart("TblAE2")); });
    }
}

void OpenQwFactors(TMainForm& form) {
    ShowDataDialog<TfrmQwFactors>(form.MdiArea(), form.Project(), form.Desktop());
}

void OpenControlOptions(TMainForm& form) {
    // The dialog stores into the main window's settings, written with the recent files.
    ShowDataDialog<TDlgOptions>(form.MdiArea(), form.EditorPathSetting(), form.UserSetting(),
                                form.Desktop());
}

// The load-settlement plot's measured load test as the summary reads it: settlement and load in
// the run's units.
static std::vector<CurvePoint> MeasuredReadings(const TGraphPlot& plot, int unitSystem) {
    std::vector<CurvePoint> readings;
    if (!plot.Measured()) return readings;
    for (const TFloatPoint& p : MeasuredPointsIn(*plot.Measured(), unitSystem)) {
        readings.push_back({static_cast<float>(p.Y), static_cast<float>(p.X)});
    }
    return readings;
}

void OpenResultsSummary(TMainForm& form) {
    RunResults results;
    QString note;
    QString problem;
    if (!SummaryResultsOf(form.Project(), form.ExactResults(), results, note, problem)) {
        form.Desktop().information(QStringLiteral("Information"), problem);
        return;
    }
    const QString name = QFileInfo(form.Project().FileName).completeBaseName();
    const std::vector<CurvePoint> measured =
        MeasuredReadings(form.Plots().pltAxial, results.unitSystem);
    QMdiArea& area = form.MdiArea();
    ShowChild<TResultsSummaryWindow>(area, [&] {
        auto* window = new TResultsSummaryWindow(std::move(results), name, form.Desktop());
        window->SetMeasured(measured);
        window->SetSourceNote(note);
        AddChild(area, window);
        return window;
    });
}

void OpenReportViewer(TMainForm& form, TReportPage page) {
    const QString& data = form.Project().FileName;
    QMdiArea& area = form.MdiArea();
    TReportViewer* viewer = ShowChild<TReportViewer>(area, [&form, &area, &data] {
        auto* window = new TReportViewer(ReportFileName(data), NotesFileName(data),
                                         QFileInfo(data).completeBaseName(), form.Desktop());
        AddChild(area, window);
        return window;
    });
    viewer->ShowPage(page);
}

void OpenHelp(TMainForm& form, THelpTopic topic) {
    static QPointer<THelpWindow> window;
    OpenHelpWindow(window, PageOf(topic), &form);
}

}  // namespace keldar
