#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "PlotLegend.h"
#include "PlotPainter.h"

namespace keldar {
namespace {

TEST(PlotLegend, MarkerShapesRepeatEveryTenCurves) {
    // Curves 11, 15 and 20 (indices 10, 14, 19) take shapes 1, 5 and 10.
    EXPECT_EQ(MarkerShape(10), 1);
    EXPECT_EQ(MarkerShape(14), 5);
    EXPECT_EQ(MarkerShape(19), 10);
    const double px = 96, py = 96;  // corners 3 pixels from the point
    const QPointF at(100, 100);
    // Shape 1: a triangle with a corner straight left of the point.
    const QPolygonF triangle = MarkerPolygon(MarkerShape(10), at, px, py);
    ASSERT_EQ(triangle.size(), 3);
    EXPECT_NEAR(triangle[0].x(), 97, 1e-9);
    EXPECT_NEAR(triangle[0].y(), 100, 1e-9);
    // Shape 2: a square standing on its side, corners on the diagonals.
    const QPolygonF square = MarkerPolygon(2, at, px, py);
    ASSERT_EQ(square.size(), 4);
    EXPECT_NEAR(square[0].x() - 100, 3 / std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(square[0].y() - 100, -3 / std::sqrt(2.0), 1e-9);
    // Shapes 5 and 10: polygons starting straight right; screen y grows downward.
    for (const int curve : {14, 19}) {
        const QPolygonF polygon = MarkerPolygon(MarkerShape(curve), at, px, py);
        ASSERT_EQ(polygon.size(), MarkerShape(curve));
        EXPECT_NEAR(polygon[0].x(), 103, 1e-9);
        EXPECT_LT(polygon[1].y(), 100);
    }
}

// Known ratios of the accessibility guidelines: black 21, white 1, #767676 4.54, #808080 3.95.
TEST(PlotLegend, ContrastOnWhite) {
    EXPECT_NEAR(ContrastOnWhite(Qt::black), 21, 1e-9);
    EXPECT_NEAR(ContrastOnWhite(Qt::white), 1, 1e-9);
    EXPECT_NEAR(ContrastOnWhite(QColor(0x76, 0x76, 0x76)), 4.54, 0.005);
    EXPECT_NEAR(ContrastOnWhite(QColor(0x80, 0x80, 0x80)), 3.95, 0.005);
}

// Every colour of the sequence reads on white, and each is the classic colour, only darkened
// where it was too light: the same hue, the dark ones untouched.
TEST(PlotLegend, EveryCurveColourReadsOnWhite) {
    const QRgb classic[17] = {0x000000, 0x0000FF, 0xFF0000, 0x008000, 0x800080, 0x800000,
                              0x000080, 0xFF00FF, 0x808000, 0x008080, 0x808080, 0x00FF00,
                              0x808080, 0xC0C0C0, 0xC0C0C0, 0xFFFF00, 0x00FFFF};
    for (int i = 0; i < 17; ++i) {
        const QColor colour = CurveColour(i);
        const QColor original = QColor::fromRgb(classic[i]);
        SCOPED_TRACE(original.name().toStdString() + " -> " + colour.name().toStdString());
        EXPECT_GE(ContrastOnWhite(colour), 3.0);
        if (ContrastOnWhite(original) >= 3.0) {
            EXPECT_EQ(colour, original);
            continue;
        }
        // Lime, silver, yellow and aqua: darker, the channels in the same proportions, and no
        // darker than needed (one level lighter would not read).
        const int top = std::max({original.red(), original.green(), original.blue()});
        const int level = std::max({colour.red(), colour.green(), colour.blue()});
        EXPECT_LT(level, top);
        for (const auto& [c, o] :
             {std::pair{colour.red(), original.red()}, std::pair{colour.green(), original.green()},
              std::pair{colour.blue(), original.blue()}}) {
            EXPECT_EQ(c, std::lround(o * static_cast<double>(level) / top));
        }
        const double f = (level + 1.0) / top;
        const QColor lighter(static_cast<int>(std::lround(original.red() * f)),
                             static_cast<int>(std::lround(original.green() * f)),
                             static_cast<int>(std::lround(original.blue() * f)));
        EXPECT_LT(ContrastOnWhite(lighter), 3.0);
    }
}

TEST(PlotLegend, ColoursCycleOverTheActiveCurves) {
    EXPECT_EQ(CurveColour(0), QColor(Qt::black));
    EXPECT_EQ(CurveColour(2), QColor(0xFF, 0, 0));
    EXPECT_EQ(CurveColour(17), CurveColour(0));

    TGraphPlot plot;
    plot.SetCurveCount(25);
    ActivateCurvesForNewWindow(plot);
    QVector<TLegendEntry> entries = LegendEntries(plot);
    ASSERT_EQ(entries.size(), 20);
    EXPECT_EQ(entries.back().Text, "Curve #20");
    plot.LimitCurves = false;
    ActivateCurvesForNewWindow(plot);
    EXPECT_EQ(LegendEntries(plot).size(), 25);
    // An inactive curve gives its colour to the next active one.
    plot.Curve(0).Active = false;
    entries = LegendEntries(plot);
    EXPECT_EQ(entries[0].Curve, 1);
    EXPECT_EQ(entries[0].Position, 0);
}

}  // namespace
}  // namespace keldar
