// What the main window calls: the soil profile view and the export of plots.
#pragma once

#include <array>

class QMdiArea;
class QString;
class QWidget;

namespace keldar {

class TProgramData;
class TDesktop;
struct TMainPlots;

// View Soil Layer Coordinates / View Soil Profile: shows the one soil profile view of the area,
// creating it when there is none; does nothing and returns nullptr unless the project's curves
// are generated from soil layers (its current curve choice). The view rebuilds its
// drawing whenever its window becomes active and closes with the area's other children.
QWidget* OpenSoilProfile(QMdiArea* area, TProgramData& project, TDesktop& desktop);

// Export Plots to Excel: the modal export dialog over the load distribution, axial load,
// t-z curves and Q-w curve plots; available[k] says whether the menu item of plot k (mLoad,
// mAxial, mtzcurves, mTip) is enabled. The workbook is proposed beside projectFile, named after it.
void ExportExcelClick(QWidget* parent, TMainPlots& plots, const std::array<bool, 4>& available,
                      const QString& projectFile, TDesktop& desktop);

}  // namespace keldar
