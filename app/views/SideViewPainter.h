// Drawing of the soil profile: one routine for the screen, PNG and SVG pictures, one for the
// printed page.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

class QPainter;

namespace keldar {

class TSideViewGeometry;

struct TSideViewStyle {
    QColor Background = Qt::white;
    QColor Text = Qt::black;  // lines, labels and the pile
    QFont Font;
};

// Draws into rect; the geometry must be fitted to the rect's size. Draws only the background
// while the geometry is disabled.
void PaintSideView(QPainter& painter, const QRect& rect, const TSideViewGeometry& geometry,
                   const TSideViewStyle& style);

// The landscape page: the profile from the ground to the deeper of the profile's bottom and the
// pile tip, between 10 % and 90 % of the page height, layer lines across the middle 80 % of the
// width, the pile centred.
void PaintSideViewPage(QPainter& painter, const QRect& page, const TSideViewGeometry& geometry,
                       const QFont& font);

}  // namespace keldar
