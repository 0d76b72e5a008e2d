#include "PlotRange.h"

#include <algorithm>
#include <cmath>

namespace keldar {

bool IsDrawableCurve(const TLine& curve) {
    return std::all_of(curve.Points.begin(), curve.Points.end(), [](const TFloatPoint& p) {
        return std::isfinite(p.X) && std::isfinite(p.Y) && std::fabs(p.X) <= kLargestPlotValue &&
               std::fabs(p.Y) <= kLargestPlotValue;
    });
}

TAxisRange RoundedAxisRange(double lo, double hi) {
    if (lo == hi) {
        lo -= 0.01;
        hi += 0.01;
    }
    const double decades = std::log10(hi - lo);
    double unit = std::pow(10.0, std::floor(decades));
    if (decades - std::floor(decades) < std::log10(3.0)) unit /= 10;
    return {std::floor(lo / unit) * unit, std::ceil(hi / unit) * unit};
}

TPlotRange FullPlotRange(const TGraphPlot& plot) {
    double xlo = 0, xhi = 0, ylo = 0, yhi = 0;
    const auto widen = [&](const TLine& curve) {
        if (!IsDrawableCurve(curve)) return;
        for (const TFloatPoint& p : curve.Points) {
            xlo = std::min(xlo, p.X);
            xhi = std::max(xhi, p.X);
            ylo = std::min(ylo, p.Y);
            yhi = std::max(yhi, p.Y);
        }
    };
    for (int i = 0; i < plot.CurveCount(); ++i) widen(plot.Curve(i));
    // A measured curve that goes further than the computed one is shown whole.
    if (const TLine* measured = plot.MeasuredLine()) widen(*measured);
    return {RoundedAxisRange(xlo, xhi), RoundedAxisRange(ylo, yhi)};
}

// An interval of the given span around centre, shifted to lie inside full.
static TAxisRange CentredInside(const TAxisRange& full, double centre, double span) {
    if (span >= full.Span()) return full;
    double lo = centre - span / 2;
    lo = std::clamp(lo, full.Min, full.Max - span);
    return {lo, lo + span};
}

TAxisRange ZoomedAxis(const TAxisRange& full, double a, double b) {
    const TAxisRange band{std::min(a, b), std::max(a, b)};
    const double smallest = full.Span() / 20;
    if (band.Span() >= smallest) return band;
    return CentredInside(full, (band.Min + band.Max) / 2, smallest);
}

TAxisRange ZoomedOutAxis(const TAxisRange& full, const TAxisRange& view, double centre) {
    const double halfSpan = std::min(view.Span(), full.Span() / 2);
    return CentredInside(full, centre, 2 * halfSpan);
}

std::optional<TTickStep> AxisTicks(const TAxisRange& view, int lengthPixels, int fontHeight) {
    if (fontHeight <= 0 || !(view.Span() > 0) || !std::isfinite(view.Span())) return std::nullopt;
    const int labels = lengthPixels / (6 * fontHeight);
    if (labels <= 0) return std::nullopt;
    const double raw = view.Span() / labels;
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    const int leading = static_cast<int>(raw / decade);
    double step = 10 * decade;
    if (leading < 2) {
        step = decade;
    } else if (leading < 5) {
        step = 2 * decade;
    } else if (leading < 9) {
        step = 5 * decade;
    }
    TTickStep ticks;
    ticks.Minor = step / 5;
    // Only the ticks inside the view are drawn; their indices stay counted from 0, so that every
    // fifth (a labelled one) falls on a multiple of the labelled step.
    ticks.First = static_cast<std::int64_t>(std::ceil(view.Min / ticks.Minor));
    ticks.Last = static_cast<std::int64_t>(std::floor(view.Max / ticks.Minor));
    return ticks;
}

double TPlotMapping::ToX(double x) const {
    return rect_.left() + (x - view_.X.Min) / view_.X.Span() * (rect_.right() - rect_.left());
}

double TPlotMapping::ToY(double y) const {
    const double offset = (y - view_.Y.Min) / view_.Y.Span() * (rect_.bottom() - rect_.top());
    return xOnTop_ ? rect_.top() + offset : rect_.bottom() - offset;
}

// Far outside points stay far outside without overflowing an int.
static int RoundedPixel(double value) {
    return static_cast<int>(std::lround(std::clamp(value, -1e7, 1e7)));
}

QPoint TPlotMapping::ToPixelRounded(double x, double y) const {
    return {RoundedPixel(ToX(x)), RoundedPixel(ToY(y))};
}

QPointF TPlotMapping::ToData(const QPoint& pixel) const {
    const double px = std::clamp(pixel.x(), rect_.left(), rect_.right());
    const double py = std::clamp(pixel.y(), rect_.top(), rect_.bottom());
    const double width = std::max(rect_.right() - rect_.left(), 1);
    const double height = std::max(rect_.bottom() - rect_.top(), 1);
    const double x = view_.X.Min + (px - rect_.left()) / width * view_.X.Span();
    const double offset = xOnTop_ ? py - rect_.top() : rect_.bottom() - py;
    return {x, view_.Y.Min + offset / height * view_.Y.Span()};
}

}  // namespace keldar
