// The plot window: one TGraphPlot drawn on its canvas, with the Plot menu and its commands.
#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "GraphPlot.h"
#include "PlotExport.h"

class QAction;
class QMenu;
class QMenuBar;
class QPrinter;

namespace keldar {

class TPlotCanvas;
class TDesktop;
class TPlotDialogs;

// The Plot menu's items that show a state, named as in the menu. The three sub-menus hold one
// checkable item per choice, its tag (TaggedItem) the value that it sets.
struct TPlotActions {
    QAction* PlotLegend = nullptr;
    QAction* PlotSoilLayer = nullptr;
    QAction* ShowWallGeometry = nullptr;
    QMenu* PlotMarkers = nullptr;
    QMenu* FontSize = nullptr;
    QMenu* LineWidth = nullptr;
    QAction* PlotCaption = nullptr;
    // Shown on the plot that takes a measured load test.
    QAction* MeasuredSeparator = nullptr;
    QAction* PlotMeasuredLoad = nullptr;
    QAction* PlotMeasuredPaste = nullptr;
    QAction* PlotMeasuredRemove = nullptr;
};

// The item of a sub-menu of choices that sets `tag`, or nullptr.
QAction* TaggedItem(const QMenu& menu, int tag);

class TPlotForm : public QWidget {
    Q_OBJECT

  public:
    TPlotForm(TGraphPlot& plot, TDesktop& desktop, TPlotDialogs& dialogs,
              QWidget* parent = nullptr);
    ~TPlotForm() override;

    TGraphPlot* Plot() const { return plot_; }
    TPlotCanvas* Canvas() const { return canvas_; }
    QMenu* PlotMenu() const { return menu_; }
    const TPlotActions& Actions() const { return actions_; }
    // The items of the curves, in legend order.
    const QList<QAction*>& CurveItems() const { return curveItems_; }
    // The picture of the plot as the window shows it, the legend drawn in.
    TPlotPicture Picture() const;

    // Plot menu commands.
    void ToggleLegend();
    void SetMarkers(int every);
    void SetFontSize(int tenths);
    void SetLineWidth(int multiplier);
    void EditGraphTitle();
    void EditLegend();
    void ChooseActiveCurves();
    void Print();
    void SetUpPage();
    void SaveToDisk();
    void CopyToClipboard();
    // The measured load test of the load-settlement plot: from a file, from the clipboard's
    // text, or taken away. A refused text leaves the plot as it was.
    void LoadMeasuredCurve();
    void PasteMeasuredCurve();
    void RemoveMeasuredCurve();
    void ToggleCurve(int curve);
    // Checks and visibility of the menu items, as the menu opens.
    void UpdateMenus();

  private:
    void CreateActions();
    void RebuildCurveItems();
    void PlotChanged();
    void ShowPointer(QPointF at);
    void TakeMeasuredCurve(const std::function<TMeasuredCurve()>& read);
    void MeasuredCurveChanged();
    QPrinter& Printer();

    QPointer<TGraphPlot> plot_;
    TDesktop& desktop_;
    TPlotDialogs& dialogs_;
    QMenuBar* menuBar_;
    QMenu* menu_;
    TPlotActions actions_;
    TPlotCanvas* canvas_;
    QList<QAction*> curveItems_;
    QAction* curveSeparator_ = nullptr;
    int knownCurveCount_ = 0;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace keldar
