#include <gtest/gtest.h>

#include <cmath>

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

TEST(PlotLegend, ColoursCycleOverTheActiveCurves) {
    EXPECT_EQ(CurveColour(0), QColor(Qt::black));
    EXPECT_EQ(CurveColour(2), QColor(0xFF, 0, 0));
    EXPECT_EQ(CurveColour(16), QColor(0, 0xFF, 0xFF));
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
