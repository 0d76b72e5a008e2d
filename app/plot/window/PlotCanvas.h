// The drawing area of a plot window: paints the plot, zooms with the mouse and carries the
// on-screen legend box.
#pragma once

#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <optional>

#include "GraphPlot.h"
#include "PlotRange.h"

namespace keldar {

class TPlotLegendBox;
struct TPlotSurface;

class TPlotCanvas : public QWidget {
    Q_OBJECT

  public:
    explicit TPlotCanvas(TGraphPlot& plot, QWidget* parent = nullptr);

    const TPlotRange& FullRange() const { return full_; }
    const TPlotRange& ViewRange() const { return view_; }
    // Takes the data's full range anew and shows all of it.
    void ResetRanges();
    // The full range as the data now gives it; true when it changed (the view then shows all).
    bool UpdateFullRange();

    TPlotSurface ScreenSurface() const;
    QRect PlotRect() const;

    TPlotLegendBox* LegendBox() const { return legend_; }
    // Shows the active curves' entries, sized to them; hidden without curves or ShowLegend.
    void RefreshLegend();
    // The legend's bottom-right corner on the plot's, inside the window.
    void PlaceLegend();
    // The legend's top-left corner as a fraction of the window, for pictures of it.
    std::optional<QPointF> LegendPosition() const;

    // Zooms to the band between two pixels; nothing for a band without width or height.
    void ZoomToBand(const QPoint& from, const QPoint& to);
    // Zooms out around a pixel inside the plot.
    void ZoomOutAt(const QPoint& pixel);

  signals:
    void pointerAt(QPointF data);
    void curveToggled(int curve);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    TPlotMapping Mapping() const;

    QPointer<TGraphPlot> plot_;
    TPlotRange full_;
    TPlotRange view_;
    TPlotLegendBox* legend_;
    bool banding_ = false;
    QPoint anchor_;
    QPoint corner_;
};

}  // namespace keldar
