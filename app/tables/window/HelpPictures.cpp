#include "HelpPictures.h"

#include <QPainter>
#include <algorithm>

namespace keldar {

namespace {

// A layer between two depths, crossed by the pile; the table's row 1 holds the values at the
// top of the layer and row 2 those at its bottom.
void DrawLayerTopBottom(QPainter& painter, const QSize& size) {
    const int w = size.width();
    const int top = 24;
    const int bottom = size.height() - 24;
    painter.fillRect(QRect(0, 0, w, size.height()), Qt::white);
    painter.fillRect(QRect(0, top, w, bottom - top), QColor(222, 200, 160));
    painter.setBrush(QBrush(QColor(170, 140, 100), Qt::Dense6Pattern));
    painter.setPen(Qt::NoPen);
    painter.drawRect(QRect(0, top, w, bottom - top));
    painter.setPen(QPen(Qt::black, 1.5));
    painter.drawLine(0, top, w, top);
    painter.drawLine(0, bottom, w, bottom);
    // The pile.
    painter.setBrush(QColor(150, 150, 150));
    painter.drawRect(QRect(28, 0, 16, size.height() - 1));

    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(font);
    const int x = 60;
    painter.fillRect(QRect(x - 2, top - metrics.height() - 3,
                           metrics.horizontalAdvance(QStringLiteral("Row 1: top of the layer")) + 4,
                           metrics.height()),
                     Qt::white);
    painter.drawText(QPoint(x, top - 6), QStringLiteral("Row 1: top of the layer"));
    painter.drawText(QPoint(x, bottom + metrics.ascent() + 4),
                     QStringLiteral("Row 2: bottom of the layer"));
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRect(x, top, w - x - 4, bottom - top), Qt::AlignVCenter | Qt::TextWordWrap,
                     QStringLiteral("values in between: straight line from top to bottom"));
}

}  // namespace

QSize HelpPictureSize(const std::string& name) {
    return name == "LayerTopBottom" ? QSize(300, 110) : QSize();
}

QPixmap HelpPicture(const std::string& name, qreal devicePixelRatio, int maxWidth) {
    const QSize size = HelpPictureSize(name);
    if (size.isEmpty() || maxWidth <= 0) return {};
    const double scale = std::min(1.0, static_cast<double>(maxWidth) / size.width());
    const QSize shown(std::max(1, static_cast<int>(size.width() * scale)),
                      std::max(1, static_cast<int>(size.height() * scale)));
    QPixmap picture(shown * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    DrawLayerTopBottom(painter, size);
    return picture;
}

}  // namespace keldar
