// The numbers behind a plot window: the full data range and its rounding, the zoom rules, the
// tick step and the data-to-pixel mapping. Plain arithmetic, shared by screen, printer and images.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <cstdint>
#include <optional>

#include "GraphPlot.h"

namespace keldar {

// Values beyond this magnitude come only from a damaged plot file: no result of a pile run is
// that large, and mapping them to pixels would overflow.
inline constexpr double kLargestPlotValue = 1e15;

struct TAxisRange {
    double Min = 0.0;
    double Max = 0.0;
    double Span() const { return Max - Min; }
    friend bool operator==(const TAxisRange&, const TAxisRange&) = default;
};

struct TPlotRange {
    TAxisRange X;
    TAxisRange Y;
    friend bool operator==(const TPlotRange&, const TPlotRange&) = default;
};

// A curve can be drawn when every value is finite and of a sensible size.
bool IsDrawableCurve(const TLine& curve);

// The interval lo..hi (which holds 0) with equal ends moved 0.01 apart each way, then widened to
// multiples of the rounding unit: the power of ten below the span, a tenth of it when the span's
// leading digits are below 3.
TAxisRange RoundedAxisRange(double lo, double hi);

// The rounded range of every drawable main curve and of the measured curve, always holding the
// origin.
TPlotRange FullPlotRange(const TGraphPlot& plot);

// A rubber band from a to b: ordered, and no narrower than a twentieth of the full span
// (centred on the band, kept inside the full range).
TAxisRange ZoomedAxis(const TAxisRange& full, double a, double b);

// Zooming out around centre: twice the view's span, at most the full span, kept inside it.
TAxisRange ZoomedOutAxis(const TAxisRange& full, const TAxisRange& view, double centre);

// Ticks of one axis: a tick every Minor, labelled with a grid line at every fifth. The visible
// tick indices k (tick at k * Minor) run from First to Last.
struct TTickStep {
    double Minor = 0.0;
    std::int64_t First = 0;
    std::int64_t Last = -1;
};

// Ticks for an axis of lengthPixels showing view, with labels about 6 * fontHeight apart; none
// when the axis has room for no label or the view is degenerate.
std::optional<TTickStep> AxisTicks(const TAxisRange& view, int lengthPixels, int fontHeight);

// Data to device pixels and back inside the plot rectangle. With the x axis on top, y grows
// downward (depths); otherwise upward.
class TPlotMapping {
  public:
    TPlotMapping(const QRect& plotRect, const TPlotRange& view, bool xOnTop)
        : rect_(plotRect), view_(view), xOnTop_(xOnTop) {}

    double ToX(double x) const;
    double ToY(double y) const;
    QPointF ToPixel(double x, double y) const { return {ToX(x), ToY(y)}; }
    QPoint ToPixelRounded(double x, double y) const;
    // The data point under a pixel, the pixel first clamped to the plot rectangle.
    QPointF ToData(const QPoint& pixel) const;

  private:
    QRect rect_;
    TPlotRange view_;
    bool xOnTop_;
};

}  // namespace keldar
