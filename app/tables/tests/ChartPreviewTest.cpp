#include <gtest/gtest.h>

#include "ChartPreview.h"

namespace keldar {
namespace {

TEST(ChartPreview, AxisLabelFormats) {
    EXPECT_EQ(AxisLabelFormat(0, 0), "%.6g");
    EXPECT_EQ(AxisLabelFormat(0.5, 1), "%.6g");
    EXPECT_EQ(AxisLabelFormat(0, 100000), "%.6g");
    EXPECT_EQ(AxisLabelFormat(0, 200000), "%.3E");
    EXPECT_EQ(AxisLabelFormat(-150000, 0), "%.3E");
    EXPECT_EQ(AxisLabelFormat(0.0001, 0.0005), "%.3E");
}

TEST(ChartPreview, ANewCurveOfZerosStillHasAnAxisToDrawOn) {
    TTableRegistry tables;
    TGridTableChart curve(tables);
    curve.SetDefinitionText(
        "2 2 (\"t,\") True False False \"FLOATCOLUMN2\" \"F/L^2\" 0.0"
        " 2 (\"z,\") True False False \"FLOATCOLUMN2\" \"L\" 0.0 True False 1 0 0 0");
    curve.SetRowCount(2);
    const auto access = MakeTableAccess(curve);
    const TChartPreview chart = BuildChartPreview(*access);
    EXPECT_TRUE(chart.Flat);
    EXPECT_LT(chart.Left.Minimum, chart.Left.Maximum);
    EXPECT_LT(chart.Bottom.Minimum, chart.Bottom.Maximum);
    EXPECT_EQ(chart.Left.Title, "t, (lbs/in^2)");
    EXPECT_EQ(chart.Bottom.Title, "z, (in)");
    // A negative flat value keeps its range the right way round.
    curve.Cell(0, 0).SetFloat(-0.5L);
    curve.Cell(0, 1).SetFloat(-0.5L);
    const TChartPreview negative = BuildChartPreview(*access);
    EXPECT_NEAR(negative.Left.Minimum, -0.55, 1e-12);
    EXPECT_NEAR(negative.Left.Maximum, -0.45, 1e-12);
}

}  // namespace
}  // namespace keldar
