#include "PlotPainter.h"

#include <QFontMetrics>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "AxisLabels.h"
#include "PlotLegend.h"

namespace keldar {

static int Round(double value) { return static_cast<int>(std::lround(value)); }

QFont PlotFont(const TGraphPlot& plot, double py, bool bold) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(std::max(1, Round(14.0 * plot.SizeFont() / 10 * py / 96)));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

QFont LegendFont(const TGraphPlot& plot, double py) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    const double points = std::max(1.0, plot.LegendFont() * plot.SizeFont() / 10.0);
    font.setPixelSize(std::max(1, Round(points * py / 72)));
    return font;
}

TPlotLayout LayOutPlot(const TGraphPlot& plot, const TPlotSurface& surface) {
    TPlotLayout layout;
    layout.CaptionFont = PlotFont(plot, surface.Py, true);
    layout.TickFont = PlotFont(plot, surface.Py, false);
    layout.FontHeight = layout.CaptionFont.pixelSize();
    layout.TickHeight = QFontMetrics(layout.TickFont).height();
    const QRect& page = surface.Page;
    const double h = layout.TickHeight, s = layout.FontHeight;
    const double px = surface.Px, py = surface.Py;
    const bool title = !plot.Title.isEmpty();

    double left = page.left() + 2 * h + px / 8 + h / 8;
    double right = page.right() - px / 4 - h / 2;
    double top = 0, bottom = 0;
    if (plot.XOnTop()) {
        top = page.top() + 2 * s + py / 8 + h / 8;
        bottom = page.bottom() - py / 4 - h / 2;
    } else {
        top = page.top() + s / 2 + py / 4;
        bottom = page.bottom() - 2 * h - py / 8 - h / 8;
    }
    if (surface.Printing) {
        right = page.right();
        if (plot.XOnTop()) {
            bottom = page.bottom();
        } else {
            top = page.top();
        }
    }
    if (title) {
        if (plot.TitleAtTop) {
            top += surface.Printing ? py / 4 : s / 8 + h;
        } else {
            bottom -= surface.Printing ? py / 2 : s;
        }
    }
    layout.Plot = QRect(QPoint(Round(left), Round(top)), QPoint(Round(right), Round(bottom)));
    return layout;
}

// Text of height lineHeight centred on a horizontal band starting at top.
static void DrawCentredLine(QPainter& painter, const QString& text, double centreX, double top,
                            double lineHeight) {
    const double width = QFontMetricsF(painter.font()).horizontalAdvance(text) + lineHeight;
    painter.drawText(QRectF(centreX - width / 2, top, width, lineHeight), Qt::AlignCenter, text);
}

// Text rotated to read upward, its top at x, centred vertically on centreY.
static void DrawRotatedLine(QPainter& painter, const QString& text, double x, double centreY,
                            double lineHeight) {
    const double width = QFontMetricsF(painter.font()).horizontalAdvance(text) + lineHeight;
    painter.save();
    painter.translate(x, centreY);
    painter.rotate(-90);
    painter.drawText(QRectF(-width / 2, 0, width, lineHeight), Qt::AlignCenter, text);
    painter.restore();
}

static void PaintCaptions(QPainter& painter, const TGraphPlot& plot, const TPlotLayout& layout,
                          const TPlotSurface& surface) {
    const QRect& page = surface.Page;
    const double line = QFontMetricsF(layout.CaptionFont).height();
    const double centreX = (page.left() + page.right()) / 2.0;
    const bool title = !plot.Title.isEmpty();
    painter.setFont(layout.CaptionFont);
    painter.setPen(Qt::black);
    double titleBand = 0;
    if (title) {
        if (plot.TitleAtTop) {
            titleBand = layout.FontHeight / 8.0 + layout.TickHeight;
            DrawCentredLine(painter, plot.Title, centreX, page.top(), line);
        } else {
            titleBand = layout.FontHeight;
            DrawCentredLine(painter, plot.Title, centreX, page.bottom() - line, line);
        }
    }
    const QString xText = plot.XAxisText();
    if (plot.XOnTop()) {
        const double below = title && plot.TitleAtTop ? titleBand : 0;
        DrawCentredLine(painter, xText, centreX, page.top() + below, line);
    } else {
        const double above = title && !plot.TitleAtTop ? titleBand : 0;
        DrawCentredLine(painter, xText, centreX, page.bottom() - above - line, line);
    }
    DrawRotatedLine(painter, plot.YAxisText(), page.left(), (page.top() + page.bottom()) / 2.0,
                    line);
}

static QPen GridPen(double px) {
    QPen pen(QColor(0x80, 0x80, 0x80), std::max(1, Round(px / 96)), Qt::DotLine);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

static QPen TickPen(double px) {
    QPen pen(Qt::black, std::max(1, Round(px / 96)));
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// A tick of an axis: its value and its pixel along the axis. Every fifth tick is a major one,
// with a grid line across the plot and a label.
struct TAxisTick {
    double Value;
    double Pixel;
    bool Major;
};

// The ticks whose pixels, rounded to whole ones for crisp lines, lie from `first` to `last`.
template <class ToPixel>
static std::vector<TAxisTick> TicksWithin(const TTickStep& ticks, double first, double last,
                                          ToPixel toPixel) {
    std::vector<TAxisTick> inside;
    for (std::int64_t k = ticks.First; k <= ticks.Last; ++k) {
        const double value = static_cast<double>(k) * ticks.Minor;
        const double pixel = std::round(toPixel(value));
        if (pixel >= first && pixel <= last) inside.push_back({value, pixel, k % 5 == 0});
    }
    return inside;
}

static void PaintTickMark(QPainter& painter, double px, const QLineF& mark) {
    painter.setPen(TickPen(px));
    painter.drawLine(mark);
}

// The grid line of a major tick; the pen is left black for its label.
static void PaintGridLine(QPainter& painter, double px, const QLineF& line) {
    painter.setPen(GridPen(px));
    painter.drawLine(line);
    painter.setPen(Qt::black);
}

static void PaintXGrid(QPainter& painter, const TGraphPlot& plot, const TPlotLayout& layout,
                       const TPlotMapping& mapping, const TTickStep& ticks,
                       const TPlotSurface& surface) {
    const QRect& r = layout.Plot;
    const double h = layout.TickHeight;
    // Marks point into the plot from the axis, on top or at the bottom.
    const double axis = plot.XOnTop() ? r.top() : r.bottom();
    const double mark = plot.XOnTop() ? surface.Py / 16 : -surface.Py / 16;
    const double labelTop =
        plot.XOnTop() ? r.top() - surface.Py / 32 - h : r.bottom() + surface.Py / 16;
    const TAxisLabelForm form = AxisLabelForm(ticks);
    const auto toX = [&mapping](double value) { return mapping.ToX(value); };
    for (const TAxisTick& tick : TicksWithin(ticks, r.left(), r.right(), toX)) {
        const double x = tick.Pixel;
        PaintTickMark(painter, surface.Px, QLineF(x, axis, x, axis + mark));
        if (!tick.Major) continue;
        PaintGridLine(painter, surface.Px, QLineF(x, r.top(), x, r.bottom()));
        DrawCentredLine(painter, AxisLabel(tick.Value, form), x, labelTop, h);
    }
}

static void PaintYGrid(QPainter& painter, const TPlotLayout& layout, const TPlotMapping& mapping,
                       const TTickStep& ticks, const TPlotSurface& surface) {
    const QRect& r = layout.Plot;
    const double mark = surface.Px / 16, h = layout.TickHeight;
    const TAxisLabelForm form = AxisLabelForm(ticks);
    const auto toY = [&mapping](double value) { return mapping.ToY(value); };
    for (const TAxisTick& tick : TicksWithin(ticks, r.top(), r.bottom(), toY)) {
        const double y = tick.Pixel;
        PaintTickMark(painter, surface.Px, QLineF(r.left(), y, r.left() + mark, y));
        if (!tick.Major) continue;
        PaintGridLine(painter, surface.Px, QLineF(r.left(), y, r.right(), y));
        DrawRotatedLine(painter, AxisLabel(tick.Value, form), r.left() - surface.Px / 32 - h, y, h);
    }
}

QPolygonF MarkerPolygon(int shape, const QPointF& at, double px, double py) {
    QPolygonF polygon;
    const auto corner = [&](double degrees) {
        const double angle = degrees * std::numbers::pi / 180;
        polygon << QPointF(at.x() + std::cos(angle) * px / 32, at.y() - std::sin(angle) * py / 32);
    };
    if (shape == 1) {
        for (double degrees : {180.0, 300.0, 60.0}) corner(degrees);
    } else if (shape == 2) {
        for (double degrees : {45.0, 135.0, 225.0, 315.0}) corner(degrees);
    } else {
        for (int i = 0; i < shape; ++i) corner(360.0 * i / shape);
    }
    return polygon;
}

static QPen CurvePen(const QColor& colour, const TGraphPlot& plot, double px) {
    QPen pen(colour, (Round(px / 300) + 1) * std::max(1, plot.WidthLine()));
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

static void PaintCurves(QPainter& painter, const TGraphPlot& plot, const TPlotLayout& layout,
                        const TPlotMapping& mapping, const TPlotSurface& surface) {
    if (plot.PointCount() <= 1) return;
    painter.save();
    painter.setClipRect(layout.Plot);
    painter.setBrush(Qt::NoBrush);
    for (const TLegendEntry& entry : LegendEntries(plot)) {
        if (!entry.Shown || !entry.Drawable) continue;
        const TLine& curve = *plot.EntryLine(entry.Curve);
        painter.setPen(CurvePen(CurveColour(entry.Position), plot, surface.Px));
        QPolygonF line;
        line.reserve(static_cast<qsizetype>(curve.Points.size()));
        for (const TFloatPoint& p : curve.Points) line << mapping.ToPixel(p.X, p.Y);
        painter.drawPolyline(line);
        // Every reading of a load test is a measurement of its own: each keeps its marker.
        const int every = entry.Curve == kMeasuredCurve ? 1 : plot.Markers();
        if (every <= 0) continue;
        const int shape = MarkerShape(entry.Curve);
        for (qsizetype j = 0; j < line.size(); j += every) {
            painter.drawPolygon(MarkerPolygon(shape, line[j], surface.Px, surface.Py));
        }
    }
    painter.restore();
}

// Shown entries: those the printed legend lists.
static QVector<TLegendEntry> ShownEntries(const TGraphPlot& plot) {
    QVector<TLegendEntry> shown;
    for (const TLegendEntry& entry : LegendEntries(plot)) {
        if (entry.Shown) shown.append(entry);
    }
    return shown;
}

// Text is measured on the surface itself: glyph widths differ between resolutions.
static QFontMetricsF SurfaceMetrics(const QFont& font, const QPaintDevice* device) {
    return device ? QFontMetricsF(font, device) : QFontMetricsF(font);
}

QRect SurfaceLegendRect(const TGraphPlot& plot, const TPlotLayout& layout,
                        const TPlotSurface& surface, const QPaintDevice* device) {
    const QVector<TLegendEntry> shown = ShownEntries(plot);
    if (shown.isEmpty() || !plot.ShowLegend()) return {};
    const QFontMetricsF metrics = SurfaceMetrics(LegendFont(plot, surface.Py), device);
    double widest = 0;
    for (const TLegendEntry& entry : shown) {
        widest = std::max(widest, metrics.horizontalAdvance(entry.Text));
    }
    const QSize size(
        Round(widest + surface.Px * 3 / 16),
        Round(static_cast<double>(shown.size()) * (metrics.height() + surface.Py / 32) +
              surface.Py / 32));
    const QRect& page = surface.Page;
    QPoint topLeft = layout.Plot.bottomRight() - QPoint(size.width(), size.height());
    if (surface.LegendAt) {
        topLeft = QPoint(page.left() + Round(surface.LegendAt->x() * page.width()),
                         page.top() + Round(surface.LegendAt->y() * page.height()));
    }
    // The page's text is larger against the plot than the window's: the box is kept inside the
    // plot when it fits there, so that it never hangs over the axes.
    const QRect& plotRect = layout.Plot;
    const bool fits = size.width() <= plotRect.width() && size.height() <= plotRect.height();
    const QRect bounds = fits ? plotRect : page;
    topLeft.setX(std::clamp(topLeft.x(), bounds.left(),
                            std::max(bounds.left(), bounds.right() + 1 - size.width())));
    topLeft.setY(std::clamp(topLeft.y(), bounds.top(),
                            std::max(bounds.top(), bounds.bottom() + 1 - size.height())));
    return {topLeft, size};
}

static void PaintSurfaceLegend(QPainter& painter, const TGraphPlot& plot, const TPlotLayout& layout,
                               const TPlotSurface& surface) {
    const QRect box = SurfaceLegendRect(plot, layout, surface, painter.device());
    if (box.isEmpty()) return;
    const QFont font = LegendFont(plot, surface.Py);
    const QFontMetricsF metrics = SurfaceMetrics(font, painter.device());
    const double row = metrics.height() + surface.Py / 32;
    painter.save();
    painter.setPen(TickPen(surface.Px));
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    painter.setFont(font);
    painter.setBrush(Qt::NoBrush);
    double top = box.top() + surface.Py / 64;
    for (const TLegendEntry& entry : ShownEntries(plot)) {
        const QColor colour = CurveColour(entry.Position);
        const QPointF centre(box.left() + surface.Px / 16, top + row / 2);
        painter.setPen(CurvePen(colour, plot, surface.Px));
        painter.drawPolygon(
            MarkerPolygon(MarkerShape(entry.Curve), centre, surface.Px, surface.Py));
        painter.setPen(colour);
        painter.drawText(QRectF(box.left() + surface.Px / 8, top, box.width(), row),
                         Qt::AlignLeft | Qt::AlignVCenter, entry.Text);
        top += row;
    }
    painter.restore();
}

void PaintPlot(QPainter& painter, const TGraphPlot& plot, const TPlotRange& view,
               const TPlotSurface& surface) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(surface.Page, Qt::white);
    if (surface.Page.width() < surface.Px || surface.Page.height() < surface.Py) {
        painter.restore();
        return;
    }
    const TPlotLayout layout = LayOutPlot(plot, surface);
    PaintCaptions(painter, plot, layout, surface);
    const TPlotMapping mapping(layout.Plot, view, plot.XOnTop());
    painter.setFont(layout.TickFont);
    const auto xTicks = AxisTicks(view.X, layout.Plot.width(), layout.FontHeight);
    const auto yTicks = AxisTicks(view.Y, layout.Plot.height(), layout.FontHeight);
    if (xTicks && yTicks) {
        PaintXGrid(painter, plot, layout, mapping, *xTicks, surface);
        PaintYGrid(painter, layout, mapping, *yTicks, surface);
    }
    PaintCurves(painter, plot, layout, mapping, surface);
    // The frame goes under the legend, so that its line never crosses the legend's text.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, std::max(1, Round(surface.Px / 96))));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(layout.Plot.adjusted(0, 0, -1, -1));
    painter.restore();
    if (surface.LegendOnSurface) PaintSurfaceLegend(painter, plot, layout, surface);
    painter.restore();
}

}  // namespace keldar
