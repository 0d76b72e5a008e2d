// Opening the window of a plot inside the main window's MDI area.
#pragma once

class QMdiArea;

namespace keldar {

class TGraphPlot;
class TPlotDialogs;
class TPlotForm;
class UserMessages;

// Shows the plot's window: raises it (restored when minimised) when it exists, otherwise builds
// a new one from the plot's current state. The window closes itself when the plot goes away;
// messages and dialogs must outlive it.
TPlotForm* OpenPlotWindow(QMdiArea* area, TGraphPlot& plot, UserMessages& messages,
                          TPlotDialogs& dialogs);

// The open window of a plot, or null.
TPlotForm* FindPlotWindow(QMdiArea* area, const TGraphPlot& plot);

}  // namespace keldar
