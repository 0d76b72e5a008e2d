// Drawing one plot: the same routine paints the window, the printed page and saved images.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPointF>
#include <QPolygonF>
#include <QRect>
#include <optional>

#include "GraphPlot.h"
#include "PlotRange.h"

namespace keldar {

// The surface drawn on: its page rectangle, resolution and what it holds beyond the plot.
struct TPlotSurface {
    QRect Page;
    double Px = 96;  // pixels per inch across
    double Py = 96;  // pixels per inch down
    // Printer layout: the plot reaches the page's right edge and its edge away from the x axis.
    bool Printing = false;
    // Printer and images carry the legend in the picture; the window shows its own legend box.
    bool LegendOnSurface = false;
    // Where the legend's top-left corner stands, as a fraction of the page; by default its
    // bottom-right corner meets the plot's.
    std::optional<QPointF> LegendAt;
};

struct TPlotLayout {
    QRect Plot;          // inside the axes
    QFont CaptionFont;   // axis captions and the graph title
    QFont TickFont;      // tick labels
    int FontHeight = 0;  // the scaled font height s
    int TickHeight = 0;  // the tick font's text height h
};

// The window's text: "Times New Roman" 14 pixels high at 96 pixels per inch, scaled by SizeFont.
QFont PlotFont(const TGraphPlot& plot, double py, bool bold);

TPlotLayout LayOutPlot(const TGraphPlot& plot, const TPlotSurface& surface);

void PaintPlot(QPainter& painter, const TGraphPlot& plot, const TPlotRange& view,
               const TPlotSurface& surface);

// A marker outline around a point: shape 1 a triangle, 2 a square, k >= 3 a k-cornered polygon,
// 1/32 inch from the point to each corner.
QPolygonF MarkerPolygon(int shape, const QPointF& at, double px, double py);

// The legend box drawn into a printed page or image, its text measured on device (when given);
// empty when no shown curve has an entry.
QRect SurfaceLegendRect(const TGraphPlot& plot, const TPlotLayout& layout,
                        const TPlotSurface& surface, const QPaintDevice* device = nullptr);

// Legend font of the window and the printed legend: LegendFont points, scaled by SizeFont.
QFont LegendFont(const TGraphPlot& plot, double py);

}  // namespace keldar
