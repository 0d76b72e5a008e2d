// The windows that the main window's commands open: table editors, plot windows, the soil
// profile view, the export dialog, the data dialogs and help. Each command calls one function
// here; ChildWindows.cpp decides which window it shows. A window that is not part of the program
// yet is announced in a message box. A window plugs in by replacing one body, for instance
//     form.ShowSingleChild(kPilePropertiesKey, [&form] { return new TfrmMaterial(form); });
// A child that keeps entries of its own stores them in a slot or Q_INVOKABLE FormDeactivate(),
// which the main window calls before each command and menu (one that answers a bool false holds a
// rejected entry, and the command does not run); the Pile Properties and Q-w factors
// dialogs reload in a slot or Q_INVOKABLE FormActivate(), called after a unit switch.
#pragma once

#include <QString>

#include "TReportViewer.h"
#include "Table.h"
#include "TableChart.h"

namespace keldar {

class TMainForm;
class TGraphPlot;

enum class THelpTopic { Contents, UsersManual, TechnicalManual };

// The sub-window property that names a single-instance child, and the keys of those children
// (TMainForm::ShowSingleChild).
inline constexpr char kChildKeyProperty[] = "keldarChildKey";
inline constexpr char kTitleDialogKey[] = "DataTitle";
inline constexpr char kPilePropertiesKey[] = "material";
inline constexpr char kQwFactorsKey[] = "QwFactorTable";
inline constexpr char kControlOptionsKey[] = "CompText";
inline constexpr char kHelpWindowKey[] = "Help";
inline constexpr char kResultsSummaryKey[] = "ResultsSummary";
inline constexpr char kReportViewerKey[] = "ReportViewer";

// Data menu: the editor of one project table (TblTipMove, TblTopload).
void OpenTableEditor(TMainForm& form, TGridTable& table);
// Data menu and the Soil-Layer Data button: the editor of a chart-preview table.
void OpenChartTableEditor(TMainForm& form, TGridTableChart& table);
// Graphics menu and the plot buttons: a plot window of one of form.Plots().
void OpenPlotWindow(TMainForm& form, TGraphPlot& plot);
// View Soil Layer Coordinates and the View Soil Profile button (only for generated curves).
void ShowSoilProfile(TMainForm& form);
// Export Plots to Excel: modal.
void ShowExportDialog(TMainForm& form);
// Data > Title, Data > Pile Properties, Data > Enter Modification Factors on Q-w Curve,
// Options > Selection of Text Editor: non-modal children, one of each.
void OpenTitleDialog(TMainForm& form);
void OpenPileProperties(TMainForm& form);
void OpenQwFactors(TMainForm& form);
void OpenControlOptions(TMainForm& form);
// Computation > Results Summary and its button: the summary of the project's last run, read from
// its plot data file; a message when that cannot be read.
void OpenResultsSummary(TMainForm& form);
// Computation > View Output Report, and Edit Output Text or Edit Processor-Run Notes without an
// editor: the report viewer of the project's report and run notes, showing `page`.
void OpenReportViewer(TMainForm& form, TReportPage page);
// Help > Contents, User's Manual, Technical Manual.
void OpenHelp(TMainForm& form, THelpTopic topic);

// The message of a window that is not part of the program yet.
void ReportWindowNotAvailable(TMainForm& form, const QString& window);

}  // namespace keldar
