// The windows that the main window's commands open: table editors, plot windows, the soil
// profile view, the export dialog, the data dialogs and help. Each command calls one function
// here; ChildWindows.cpp decides which window it shows, found or made through MdiChildren.h. A
// window that is not part of the program yet is announced in a message box.
// A child that keeps entries of its own is a TDataWindow (DataWindow.h): the main window has it
// store them before each command and menu (a refusal stops the command) and reload them after a
// unit switch.
#pragma once

#include <QString>

#include "TReportViewer.h"
#include "Table.h"
#include "TableChart.h"

namespace keldar {

class TMainForm;
class TGraphPlot;

enum class THelpTopic { Contents, UsersManual, TechnicalManual };

// Data menu and the Soil-Layer Data button: the editor of one project table, with its chart
// preview when the table has one.
void OpenTableEditor(TMainForm& form, TGridTable& table);
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
// Computation > Results Summary and its button: the summary of the project's last run, at the
// engine's precision (from its plot data file when the run could not be repeated in memory, the
// window saying so); a message when neither can be had.
void OpenResultsSummary(TMainForm& form);
// Computation > View Output Report, and Edit Output Text or Edit Processor-Run Notes without an
// editor: the report viewer of the project's report and run notes, showing `page`.
void OpenReportViewer(TMainForm& form, TReportPage page);
// Help > Contents, User's Manual, Technical Manual.
void OpenHelp(TMainForm& form, THelpTopic topic);

// The message of a window that is not part of the program yet.
void ReportWindowNotAvailable(TMainForm& form, const QString& window);

}  // namespace keldar
