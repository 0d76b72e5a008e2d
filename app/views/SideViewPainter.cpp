#include "SideViewPainter.h"

#include <QPainter>
#include <QPolygon>
#include <cmath>

#include "SideViewGeometry.h"

namespace keldar {

namespace {

// The label sits just under the line at the top of its layer.
void DrawLabel(QPainter& painter, QPointF topLeft, const QString& text) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent() + 1), text);
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

    const auto& layers = geometry.Layers();
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const int y = screenY(layers[i].Bottom);
        painter.drawLine(0, y, rect.width(), y);
        const int top = screenY(geometry.LayerTop(i));
        if (i == 0) {
            painter.drawLine(0, top, rect.width(), top);
            for (int j = 1; j <= 20; ++j) {
                painter.drawLine(100 + 20 * j, top, 115 + 20 * j, top + 5);
            }
        }
        DrawLabel(painter, QPointF(0, top),
                  LayerLabel(geometry.LayerTop(i), layers[i].Bottom, layers[i].SoilCode));
    }

    painter.setBrush(style.Text);
    for (const TWorldQuad& quad : geometry.Shapes()) {
        // Corners are stored row by row; the outline goes round them.
        const QPolygon outline({geometry.WorldToScreen(quad[0]), geometry.WorldToScreen(quad[1]),
                                geometry.WorldToScreen(quad[3]), geometry.WorldToScreen(quad[2])});
        painter.drawPolygon(outline);
    }
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
                  LayerLabel(geometry.LayerTop(i), layers[i].Bottom, layers[i].SoilCode));
    }

    if (!layers.empty() && printed > 0) {
        const double barWidth = static_cast<double>(geometry.PileWidth() / printed) * 0.8 * height;
        const double centre = page.left() + width / 2;
        const QRectF bar(QPointF(centre - barWidth / 2, pageY(0)),
                         QPointF(centre + barWidth / 2, pageY(geometry.PileLength())));
        painter.fillRect(bar, Qt::black);
    }
    painter.restore();
}

}  // namespace keldar
