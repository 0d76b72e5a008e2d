#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "PlotRange.h"

namespace keldar {
namespace {

TEST(PlotRange, FullRangeHoldsTheOriginAndIsRounded) {
    struct Case {
        double lo, hi, min, max;
    };
    const Case cases[] = {
        {0, 0, -0.01, 0.01},  // all points equal: a small symmetric range
        {0, 1234, 0, 1300},   // span 1234, leading digits below 3: unit 100
        {-5, 47, -10, 50},    // span 52: unit 10
        {0, 0.37, 0, 0.4},    // span 0.37: unit 0.1
        {-2.9, 0, -2.9, 0},   // span 2.9: unit 0.1
        {0, 500, 0, 500},     // an exact multiple stays
    };
    for (const Case& c : cases) {
        const TAxisRange range = RoundedAxisRange(c.lo, c.hi);
        EXPECT_NEAR(range.Min, c.min, 1e-9) << c.lo << ".." << c.hi;
        EXPECT_NEAR(range.Max, c.max, 1e-9) << c.lo << ".." << c.hi;
    }
}

TEST(PlotRange, CurvesWithInvalidValuesAreLeftOutOfTheRange) {
    TGraphPlot plot;
    plot.SetCurveCount(3);
    plot.SetPointCount(2);
    plot.Point(0, 1) = {40, 8};
    plot.Point(1, 1) = {std::numeric_limits<double>::quiet_NaN(), 3};
    plot.Point(2, 1) = {5, 1e300};
    EXPECT_TRUE(IsDrawableCurve(plot.Curve(0)));
    EXPECT_FALSE(IsDrawableCurve(plot.Curve(1)));
    EXPECT_FALSE(IsDrawableCurve(plot.Curve(2)));
    const TPlotRange range = FullPlotRange(plot);
    EXPECT_EQ(range.X, (TAxisRange{0, 40}));
    EXPECT_EQ(range.Y, (TAxisRange{0, 8}));
}

TEST(PlotRange, ZoomingInStopsAtATwentiethOfTheFullSpan) {
    const TAxisRange full{0, 100};
    // A wide band is taken as it is, ordered.
    EXPECT_EQ(ZoomedAxis(full, 60, 20), (TAxisRange{20, 60}));
    // A narrow band becomes a twentieth, centred on it ...
    const TAxisRange narrow = ZoomedAxis(full, 40, 41);
    EXPECT_NEAR(narrow.Min, 38, 1e-12);
    EXPECT_NEAR(narrow.Max, 43, 1e-12);
    // ... and shifted inside the full range at its edges.
    EXPECT_EQ(ZoomedAxis(full, 99.5, 100), (TAxisRange{95, 100}));
    EXPECT_EQ(ZoomedAxis(full, 0, 0.1), (TAxisRange{0, 5}));
}

TEST(PlotRange, ZoomingOutStaysInsideTheFullRange) {
    const TAxisRange full{-10, 90};
    // Twice the span around the clicked point.
    EXPECT_EQ(ZoomedOutAxis(full, {40, 50}, 45), (TAxisRange{35, 55}));
    // Near an edge the range is moved inside.
    EXPECT_EQ(ZoomedOutAxis(full, {-10, 0}, -9), (TAxisRange{-10, 10}));
    EXPECT_EQ(ZoomedOutAxis(full, {80, 90}, 89), (TAxisRange{70, 90}));
    // Never wider than the full range.
    EXPECT_EQ(ZoomedOutAxis(full, {0, 80}, 85), full);
}

TEST(PlotRange, TickSteps) {
    struct Case {
        double min, max;
        int pixels;
        double minor;
    };
    // Labels about 6 font heights apart (font height 10: one label per 60 pixels).
    const Case cases[] = {
        {0, 100, 600, 2},     // raw 10: step 10
        {0, 1300, 600, 20},   // raw 130: step 100
        {0, 0.4, 300, 0.01},  // raw 0.08: step 0.05
        {-10, 50, 360, 2},    // raw 10: step 10
        {0, 35, 600, 0.4},    // raw 3.5: step 2
        {0, 60, 600, 1},      // raw 6: step 5
        {0, 90, 600, 2},      // raw 9: step 10
    };
    for (const Case& c : cases) {
        const auto ticks = AxisTicks({c.min, c.max}, c.pixels, 10);
        ASSERT_TRUE(ticks) << c.max;
        EXPECT_NEAR(ticks->Minor, c.minor, c.minor * 1e-9) << c.max;
        EXPECT_EQ(ticks->First, std::llround(std::ceil(c.min / c.minor))) << c.max;
        EXPECT_EQ(ticks->Last, std::llround(std::floor(c.max / c.minor))) << c.max;
    }
    // No room for a label, or nothing to divide: no grid.
    EXPECT_FALSE(AxisTicks({0, 100}, 59, 10));
    EXPECT_FALSE(AxisTicks({5, 5}, 600, 10));
    // A view far from the origin counts only the ticks it shows.
    const auto far = AxisTicks({1e15 - 5e13, 1e15}, 600, 10);
    ASSERT_TRUE(far);
    EXPECT_LE(far->Last - far->First, 60);
}

TEST(PlotRange, PixelsAndDataRoundTrip) {
    const QRect rect(QPoint(100, 50), QPoint(500, 250));
    const TPlotRange view{{0, 40}, {0, 20}};
    const TPlotMapping depth(rect, view, true);  // y grows downward
    EXPECT_EQ(depth.ToPixelRounded(0, 0), QPoint(100, 50));
    EXPECT_EQ(depth.ToPixelRounded(40, 20), QPoint(500, 250));
    const TPlotMapping upward(rect, view, false);
    EXPECT_EQ(upward.ToPixelRounded(10, 5), QPoint(200, 200));
    const QPointF back = upward.ToData(QPoint(200, 200));
    EXPECT_NEAR(back.x(), 10, 1e-12);
    EXPECT_NEAR(back.y(), 5, 1e-12);
    // Outside the plot the pointer reads the nearest edge.
    EXPECT_EQ(upward.ToData(QPoint(0, 1000)), QPointF(0, 0));
}

}  // namespace
}  // namespace keldar
