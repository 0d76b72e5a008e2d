#include <gtest/gtest.h>

#include "CsvWriter.h"
#include "ExportLayout.h"
#include "ExportTestPlots.h"
#include "MainPlots.h"

namespace keldar {
namespace {

TEST(ExportLayout, ColumnLetters) {
    EXPECT_EQ(GetExcelCol(1), "A");
    EXPECT_EQ(GetExcelCol(26), "Z");
    EXPECT_EQ(GetExcelCol(27), "AA");
    EXPECT_EQ(GetExcelCol(50), "AX");
    EXPECT_EQ(GetExcelCol(52), "AZ");
    EXPECT_EQ(GetExcelCol(53), "BA");
    EXPECT_EQ(GetExcelCol(702), "ZZ");
    EXPECT_EQ(GetExcelCol(0), "");
    EXPECT_EQ(GetExcelCol(703), "");
}

TEST(ExportLayout, UnitsTitles) {
    EXPECT_EQ(UnitsTitle("L2", 2), "m");
    EXPECT_EQ(UnitsTitle("F1", 1), "kips");
    EXPECT_EQ(UnitsTitle("F/L^2", 1), "lbs/in^2");
    EXPECT_EQ(UnitsTitle("F/L^2", 2), "kN/m^2");
    EXPECT_EQ(UnitsTitle("F1/L2^2", 1), "kips/ft^2");
    EXPECT_EQ(UnitsTitle("L1", 2), "mm");
    EXPECT_EQ(UnitsTitle("F/L^2", 3), "F/L^2");
}

TEST(ExportLayout, TwentyFiveCurvesOfTenPoints) {
    TMainPlots plots;
    test::FillPlot(plots.pltTZcurves, 25, 10);
    const TExportPlot plot = ExportPlotFrom(plots.pltTZcurves);
    EXPECT_EQ(SourceRange(plot), "A6:Z15");
    EXPECT_EQ(plot.XTitle, "Displacement, z (in)");
    EXPECT_EQ(plot.YTitle, "Unit Load Transfer, t (lbs/in^2)");
    const std::vector<TExportRow> rows = DataSheetRows(plot);
    ASSERT_EQ(rows.size(), 15u);
    ASSERT_EQ(rows[5].size(), 50u);  // columns A .. AX
    EXPECT_EQ(rows[3][48].Text, "Curve #25");
    EXPECT_EQ(rows[4][48].Text, "X");
    EXPECT_EQ(rows[4][49].Text, "Y");
    EXPECT_DOUBLE_EQ(rows[14][49].Number, 2409);
    EXPECT_EQ(SeriesRange(1, 49, 10), "=Page_1!$AW$6:$AW$15");
}

TEST(ExportLayout, ShorterLinesLeaveBlanksAndLongerOnesKeepEveryPoint) {
    TExportPlot plot;
    plot.Lines = {{"a", {{1, 2}}}, {"b", {{3, 4}, {5, 6}}}};
    EXPECT_EQ(plot.PointRows(), 2);
    const std::vector<TExportRow> rows = DataSheetRows(plot);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[6][0].Type, TExportCell::Kind::Empty);
    EXPECT_DOUBLE_EQ(rows[6][3].Number, 6);
}

TEST(ExportLayout, MeasuredCurveFollowsTheComputedOnesInTheAxesUnits) {
    TMainPlots plots;
    TGraphPlot& axial = plots.pltAxial;
    axial.SetUnits(1);
    axial.SetCurveCount(1);
    axial.SetPointCount(2);
    TMeasuredCurve test;
    test.Points = {{0, 0}, {100, 0.0254}, {200, 0.0508}};  // kN and m
    axial.SetMeasured(test);
    const TExportPlot out = ExportPlotFrom(axial);
    ASSERT_EQ(out.Lines.size(), 2u);
    EXPECT_EQ(out.Lines[1].Name, QStringLiteral("measured"));
    EXPECT_EQ(out.PointRows(), 3);
    // kips and inches, as the plot's axes show them.
    EXPECT_NEAR(out.Lines[1].Points[2].X, 200 * 0.2248089237, 1e-9);
    EXPECT_NEAR(out.Lines[1].Points[2].Y, 2.0, 1e-6);
}

TEST(ExportLayout, CsvHoldsTheDataSheet) {
    TExportPlot plot;
    plot.Caption = "Load, Distribution";
    plot.XTitle = "Q (lbs)";
    plot.YTitle = "w \"tip\" (in)";
    plot.Lines = {{"Curve #1", {{0.1, 2.5e-7}, {1e20, -3}}}};
    EXPECT_EQ(DataSheetCsv(plot),
              "\"Load, Distribution\",\r\n"
              "X,Q (lbs)\r\n"
              "Y,\"w \"\"tip\"\" (in)\"\r\n"
              "Curve #1,\r\n"
              "X,Y\r\n"
              "0.1,2.5E-7\r\n"
              "1E20,-3\r\n");
    EXPECT_EQ(CsvFileNames("/data/run.csv", 2),
              QStringList({"/data/run_Page_1.csv", "/data/run_Page_2.csv"}));
}

}  // namespace
}  // namespace keldar
