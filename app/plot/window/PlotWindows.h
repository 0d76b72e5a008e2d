// Opening the window of a plot inside the main window's MDI area.
#pragma once

class QMdiArea;

namespace keldar {

class TGraphPlot;
class TDesktop;
class TPlotDialogs;
class TPlotForm;

// Shows the plot's window: raises it (restored when minimised) when it exists, otherwise builds
// a new one from the plot's current state. The window closes itself when the plot goes away;
// the desktop and dialogs must outlive it.
TPlotForm* OpenPlotWindow(QMdiArea* area, TGraphPlot& plot, TDesktop& desktop,
                          TPlotDialogs& dialogs);

// The open window of a plot, or null.
TPlotForm* FindPlotWindow(QMdiArea* area, const TGraphPlot& plot);

}  // namespace keldar
