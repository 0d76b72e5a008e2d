#include "SideViewPainter.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

#include "DepthScale.h"
#include "SideViewGeometry.h"

namespace keldar {

namespace {

// The pile is never narrower than this on screen, whatever its slenderness.
constexpr double kLeastPileWidth = 6;

// The label sits just under the line at the top of its layer.
void DrawLabel(QPainter& painter, QPointF topLeft, const QString& text) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent() + 1), text);
}

// A vertical depth scale whose line stands at lineX, from depth top to bottom: ticks to its left,
// their labels left of the ticks, the caption with the unit rotated to the right of the line.
// depthY gives the surface y of a depth; tick is the length of a labelled tick.
template <class DepthY>
void DrawDepthScale(QPainter& painter, double lineX, long double top, long double bottom,
                    DepthY depthY, double tick, int unitSystem) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double height = depthY(bottom) - depthY(top);
    const auto textHeight = static_cast<int>(std::ceil(metrics.height()));
    painter.drawLine(QPointF(lineX, depthY(top)), QPointF(lineX, depthY(bottom)));
    for (const TDepthMark& mark :
         DepthScaleMarks(top, bottom, static_cast<int>(height), textHeight)) {
        const double y = depthY(mark.Depth);
        const double length = mark.Label.isEmpty() ? tick / 2 : tick;
        painter.drawLine(QPointF(lineX - length, y), QPointF(lineX, y));
        if (mark.Label.isEmpty()) continue;
        const double width = metrics.horizontalAdvance(mark.Label);
        // The label at the ground stands below its tick, clear of the surface line.
        const double baseline = mark.Depth == top ? y + metrics.ascent() + 1
                                                  : y + (metrics.ascent() - metrics.descent()) / 2;
        painter.drawText(QPointF(lineX - tick * 1.5 - width, baseline), mark.Label);
    }
    const QString caption = DepthScaleCaption(unitSystem);
    painter.save();
    painter.translate(lineX + tick, depthY(top) + height / 2);
    painter.rotate(90);
    painter.drawText(QPointF(-metrics.horizontalAdvance(caption) / 2, -metrics.descent()), caption);
    painter.restore();
}

// Room the scale takes left of its line for ticks and labels of this many characters.
double ScaleLabelRoom(const QPainter& painter, double tick) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    return tick * 1.5 + metrics.horizontalAdvance(QStringLiteral("00000"));
}

}  // namespace

void PaintSideView(QPainter& painter, const QRect& rect, const TSideViewGeometry& geometry,
                   const TSideViewStyle& style) {
    painter.save();
    painter.fillRect(rect, style.Background);
    if (geometry.Disabled()) {
        painter.restore();
        return;
    }
    painter.translate(rect.topLeft());
    painter.setFont(style.Font);
    painter.setPen(QPen(style.Text, 0));
    const auto screenY = [&](long double depth) { return geometry.WorldToScreen({0, depth}).y(); };

    // The depth scale runs down the right edge; the ground's hatching stops short of its labels.
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double scaleX = rect.width() - metrics.height() * 1.5;
    const double scaleTick = metrics.height() / 2;
    const double hatchEnd = scaleX - ScaleLabelRoom(painter, scaleTick);

    const auto& layers = geometry.Layers();
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const int y = screenY(layers[i].Bottom);
        painter.drawLine(0, y, rect.width(), y);
        const int top = screenY(geometry.LayerTop(i));
        if (i == 0) {
            painter.drawLine(0, top, rect.width(), top);
            for (int j = 1; j <= 20 && 115 + 20 * j < hatchEnd; ++j) {
                painter.drawLine(100 + 20 * j, top, 115 + 20 * j, top + 5);
            }
        }
        DrawLabel(painter, QPointF(0, top),
                  LayerLabel(geometry.LayerTop(i), layers[i].Bottom, layers[i].SoilCode,
                             geometry.UnitSystem()));
    }

    if (!layers.empty()) {
        const long double bottom = geometry.ScreenToWorld(QPoint(0, rect.height() - 1)).Y;
        DrawDepthScale(painter, scaleX, 0, bottom, screenY, scaleTick, geometry.UnitSystem());
    }

    painter.fillRect(geometry.PileScreenRect(kLeastPileWidth), style.Text);
    painter.restore();
}

void PaintSideViewPage(QPainter& painter, const QRect& page, const TSideViewGeometry& geometry,
                       const QFont& font) {
    painter.save();
    const double width = page.width();
    const double height = page.height();
    const double left = page.left() + 0.1 * width;
    const double right = page.left() + 0.9 * width;
    const long double printed = geometry.PrintedDepth();
    const auto pageY = [&](long double depth) {
        return PrintPageY(depth, printed, page.top(), height);
    };
    // Pens of 6 and 12 units on a 600 dpi landscape letter page, kept in proportion elsewhere.
    const QPen thin(Qt::black, height / 850.0);
    const QPen thick(Qt::black, height / 425.0);
    painter.setFont(font);

    const auto& layers = geometry.Layers();
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const double y = pageY(layers[i].Bottom);
        const double top = pageY(geometry.LayerTop(i));
        painter.setPen(thin);
        painter.drawLine(QPointF(left, y), QPointF(right, y));
        if (i == 0) {
            painter.setPen(thick);
            painter.drawLine(QPointF(left, top), QPointF(right, top));
            // The strokes stand right of the pile, clear of the layer label.
            const double step = width / 50.0;
            const double first = page.left() + 0.6 * width;
            for (int j = 1; j <= 10; ++j) {
                const double x = first + step * j;
                painter.drawLine(QPointF(x, top), QPointF(x + 0.75 * step, top + 0.25 * step));
            }
        }
        painter.setPen(Qt::black);
        DrawLabel(painter, QPointF(page.left() + 0.15 * height, top),
                  LayerLabel(geometry.LayerTop(i), layers[i].Bottom, layers[i].SoilCode,
                             geometry.UnitSystem()));
    }

    if (!layers.empty() && printed > 0) {
        painter.setPen(thin);
        const double tick = height / 100;
        DrawDepthScale(painter, right + ScaleLabelRoom(painter, tick), 0, printed, pageY, tick,
                       geometry.UnitSystem());
        // As on screen, a slender pile is drawn a little wider than to scale.
        const double barWidth = std::max(
            static_cast<double>(geometry.PileWidth() / printed) * 0.8 * height, height / 150);
        const double centre = page.left() + width / 2;
        const QRectF bar(QPointF(centre - barWidth / 2, pageY(0)),
                         QPointF(centre + barWidth / 2, pageY(geometry.PileLength())));
        painter.fillRect(bar, Qt::black);
    }
    painter.restore();
}

}  // namespace keldar
