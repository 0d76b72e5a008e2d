#include "ChildWindows.h"

#include <QAction>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QPointer>
#include <array>

#include "DataDialogWindows.h"
#include "PlotDialogs.h"
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

// A data window of its kind, raised when open, and named with its key so that the main window
// finds it again (the unit switch reloads Pile Properties and the Q-w factors).
template <class Dialog, class... Args>
Dialog* ShowKeyedDataDialog(TMainForm& form, const char* key, Args&&... args) {
    Dialog* dialog = ShowDataDialog<Dialog>(form.MdiArea(), std::forward<Args>(args)...);
    if (QMdiSubWindow* sub = dialog->SubWindow()) sub->setProperty(kChildKeyProperty, key);
    return dialog;
}

// The plot windows' own dialogs (names, active curves, caption, format, files and printers):
// one set for the program's lifetime, outliving every plot window.
TPlotDialogs& PlotDialogs() {
    static TModalPlotDialogs dialogs;
    return dialogs;
}

bool ItemEnabled(const TMainForm& form, const char* name) {
    const QAction* action = form.findChild<QAction*>(QLatin1String(name));
    return action != nullptr && action->isEnabled();
}

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
    form.Messages().information(QStringLiteral("Information"),
                                QStringLiteral("The %1 window is not available yet.").arg(window));
}

void OpenTableEditor(TMainForm& form, TGridTable& table) {
    if (!OpenTableEditor(&form.MdiArea(), table, &form.Messages())) {
        ReportWindowNotAvailable(form, QString::fromStdString(table.Caption()));
    }
}

void OpenChartTableEditor(TMainForm& form, TGridTableChart& table) {
    if (!OpenTableEditor(&form.MdiArea(), table, &form.Messages())) {
        ReportWindowNotAvailable(form, QString::fromStdString(table.Caption()));
    }
}

void OpenPlotWindow(TMainForm& form, TGraphPlot& plot) {
    keldar::OpenPlotWindow(&form.MdiArea(), plot, form.Messages(), PlotDialogs());
}

void ShowSoilProfile(TMainForm& form) {
    OpenSoilProfile(&form.MdiArea(), form.Project(), form.Messages());
}

void ShowExportDialog(TMainForm& form) {
    // The plots the Graphics menu offers: load distribution, load vs settlement, t-z and Q-w.
    const std::array<bool, 4> available = {ItemEnabled(form, "mLoad"), ItemEnabled(form, "mAxial"),
                                           ItemEnabled(form, "mtzcurves"),
                                           ItemEnabled(form, "mTip")};
    ExportExcelClick(&form, form.Plots(), available, form.Project().FileName, form.Messages());
}

void OpenTitleDialog(TMainForm& form) {
    ShowKeyedDataDialog<TdlgTitle>(form, kTitleDialogKey, form.Project(), &form.Messages());
}

void OpenPileProperties(TMainForm& form) {
    const bool opening = FindDataDialog<TfrmMaterial>(form.MdiArea()) == nullptr;
    TfrmMaterial* dialog = ShowKeyedDataDialog<TfrmMaterial>(form, kPilePropertiesKey,
                                                             form.Project(), &form.Messages());
    if (opening) {
        QObject::connect(dialog, &TfrmMaterial::EditAEData, &form,
                         [&form] { OpenChartTableEditor(form, form.Tables().Chart("TblAE2")); });
    }
}

void OpenQwFactors(TMainForm& form) {
    ShowKeyedDataDialog<TfrmQwFactors>(form, kQwFactorsKey, form.Project(), &form.Messages());
}

void OpenControlOptions(TMainForm& form) {
    // The dialog stores into the main window's settings, written with the recent files.
    ShowKeyedDataDialog<TDlgOptions>(form, kControlOptionsKey, form.EditorPathSetting(),
                                     form.UserSetting(), TDlgOptions::ChooseFile{},
                                     &form.Messages());
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
    QString problem;
    if (!ReadSummaryResults(form.Project(), results, problem)) {
        form.Messages().information(QStringLiteral("Information"), problem);
        return;
    }
    const QString name = QFileInfo(form.Project().FileName).completeBaseName();
    const std::vector<CurvePoint> measured =
        MeasuredReadings(form.Plots().pltAxial, results.unitSystem);
    form.ShowSingleChild(QLatin1String(kResultsSummaryKey), [&] {
        auto* window =
            new TResultsSummaryWindow(std::move(results), name, form.Messages(), DesktopShell());
        window->SetMeasured(measured);
        return window;
    });
}

void OpenReportViewer(TMainForm& form, TReportPage page) {
    const QString& data = form.Project().FileName;
    form.ShowSingleChild(QLatin1String(kReportViewerKey), [&form, &data] {
        return new TReportViewer(ReportFileName(data), NotesFileName(data),
                                 QFileInfo(data).completeBaseName(), form.Messages(),
                                 DesktopShell());
    });
    if (auto* viewer =
            qobject_cast<TReportViewer*>(form.SingleChild(QLatin1String(kReportViewerKey))))
        viewer->ShowPage(page);
}

void OpenHelp(TMainForm& form, THelpTopic topic) {
    static QPointer<THelpWindow> window;
    OpenHelpWindow(window, PageOf(topic), &form);
}

}  // namespace keldar
