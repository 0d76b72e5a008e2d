#include "ChildWindows.h"

#include "TMainForm.h"

namespace keldar {

void ReportWindowNotAvailable(TMainForm& form, const QString& window) {
    form.Messages().information(QStringLiteral("Information"),
                                QStringLiteral("The %1 window is not available yet.").arg(window));
}

void OpenTableEditor(TMainForm& form, TGridTable& table) {
    ReportWindowNotAvailable(form, QString::fromStdString(table.Caption()));
}

void OpenChartTableEditor(TMainForm& form, TGridTableChart& table) {
    ReportWindowNotAvailable(form, QString::fromStdString(table.Caption()));
}

void OpenPlotWindow(TMainForm& form, TGraphPlot& plot) {
    ReportWindowNotAvailable(form, plot.Caption());
}

void ShowSoilProfile(TMainForm& form) {
    ReportWindowNotAvailable(form, QStringLiteral("soil profile"));
}

void ShowExportDialog(TMainForm& form) { ReportWindowNotAvailable(form, QStringLiteral("export")); }

void OpenTitleDialog(TMainForm& form) {
    ReportWindowNotAvailable(form, QStringLiteral("Project Title"));
}

void OpenPileProperties(TMainForm& form) {
    ReportWindowNotAvailable(form, QStringLiteral("Pile Properties"));
}

void OpenQwFactors(TMainForm& form) {
    ReportWindowNotAvailable(form, QStringLiteral("Q-w factors"));
}

void OpenControlOptions(TMainForm& form) {
    ReportWindowNotAvailable(form, QStringLiteral("Control Options"));
}

void OpenHelp(TMainForm& form, THelpTopic) {
    ReportWindowNotAvailable(form, QStringLiteral("help"));
}

}  // namespace keldar
