#include <gtest/gtest.h>

#include "GraphPlot.h"
#include "MainPlots.h"

namespace keldar {
namespace {

TEST(GraphPlot, UnitsAreClampedToTheThreeSystems) {
    TGraphPlot plot;
    EXPECT_EQ(plot.Units(), 1);
    const std::pair<int, int> cases[] = {{7, 3}, {0, 1}, {-5, 1}, {2, 2}, {3, 3}, {1, 1}};
    for (const auto& [set, stored] : cases) {
        plot.SetUnits(set);
        EXPECT_EQ(plot.Units(), stored) << set;
    }
}

TEST(GraphPlot, UnitLabels) {
    struct Case {
        const char* code;
        int units;
        const char* label;
    };
    const Case cases[] = {
        {"F/L^2", 1, "lbs/in^2"},
        {"F/L^2", 2, "kN/m^2"},
        {"F1/L2^2", 1, "kips/ft^2"},
        {"F1/L2^2", 2, "kN/m^2"},
        {"F1/L2^2", 3, "F1/L2^2"},
        {"L", 2, "m"},
        {"L2/L", 1, "ft/L"},  // only the first symbol form found is replaced
        {"F2", 1, "tons"},
        {"F1/F", 1, "kips/F"},
        {"L1", 2, "mm"},
        {"L1", 1, "in"},
        {"", 1, ""},
        {"x^2", 2, "x^2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlotUnitLabel(QString::fromLatin1(c.code), c.units), c.label)
            << c.code << " in system " << c.units;
    }
}

TEST(GraphPlot, CurveCountKeepsAndNumbersCurves) {
    TGraphPlot plot;
    EXPECT_EQ(plot.PointCount(), 0);
    plot.SetCurveCount(3);
    plot.SetPointCount(4);
    plot.Curve(0).Name = "first";
    plot.Point(0, 3) = {1.5, 2.5};
    plot.SetCurveCount(1);
    plot.SetCurveCount(3);
    EXPECT_EQ(plot.LineName(0), "first");
    EXPECT_EQ(plot.Point(0, 3), (TFloatPoint{1.5, 2.5}));
    EXPECT_EQ(plot.LineName(1), "Curve #2");
    EXPECT_EQ(plot.LineName(2), "Curve #3");
    // New curves take the first curve's point count.
    EXPECT_EQ(plot.Curve(2).Points.size(), 4u);
    EXPECT_TRUE(plot.Curve(2).Shown);
    EXPECT_TRUE(plot.Curve(2).Active);
    EXPECT_EQ(plot.Curve(2).Owner, &plot);

    plot.SetPointCount(-1);
    EXPECT_EQ(plot.PointCount(), 0);
    plot.SetCurveCount(-2);
    EXPECT_EQ(plot.CurveCount(), 0);
    EXPECT_THROW(plot.Curve(0), std::out_of_range);
}

TEST(GraphPlot, CurveNameRule) {
    TGraphPlot plot;
    plot.SetCurveCount(3);
    plot.LegendTexts = {"from the legend", "second"};
    plot.Curve(1).Name = "explicit";
    EXPECT_EQ(plot.LineName(0), "from the legend");
    EXPECT_EQ(plot.LineName(1), "explicit");
    EXPECT_EQ(plot.LineName(2), "Curve #3");
    plot.SetCurveName("Case ");
    EXPECT_EQ(plot.LineName(2), "Case 3");

    plot.OnLegendText = [](int index, QString& text) { text += QString::number(index); };
    EXPECT_EQ(plot.LegendEntry(2), "Case 32");
}

TEST(GraphPlot, TellsObserversOfRealChangesOnly) {
    TGraphPlot plot;
    int changes = 0;
    QObject::connect(&plot, &TGraphPlot::changed, [&changes] { ++changes; });
    plot.SetMarkers(1);
    plot.SetCurveCount(0);
    plot.SetPointCount(5);  // no curves: nothing to resize
    plot.SetUnits(9);
    plot.SetUnits(3);
    EXPECT_EQ(changes, 1);
    plot.SetCurveCount(2);
    plot.SetPointCount(5);
    plot.SetCaption("Load");
    EXPECT_EQ(changes, 4);
}

TEST(MainPlots, AxisTextsAsDeclared) {
    TMainPlots plots;
    struct Case {
        TGraphPlot* plot;
        const char* caption;
        bool xOnTop;
        const char* englishX;
        const char* siY;
    };
    const Case cases[] = {
        {&plots.pltLoad, "Load Distribution", true, "Total Capacity  (kips)", "Depth  (m)"},
        {&plots.pltTZcurves, "t-z Curves", false, "Displacement, z (in)",
         "Unit Load Transfer, t (kN/m^2)"},
        {&plots.PltQW, "Tip Resistance Curve", true, "Q (lbs)", "w (m)"},
        {&plots.pltUSkin, "Unit Skin Friction vs Depth", true, "Unit Skin Friction (kips/ft^2)",
         "Depth (m)"},
        {&plots.pltCombine, "Axial Capacity vs Depth", false, "Axial Capacity (kips)", "Depth (m)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.plot->Caption(), c.caption);
        EXPECT_EQ(c.plot->XOnTop(), c.xOnTop) << c.caption;
        EXPECT_EQ(c.plot->CurveName(), "Curve #");
        EXPECT_EQ(c.plot->Units(), 1);
        EXPECT_EQ(c.plot->XAxisText(), c.englishX);
        c.plot->SetUnits(2);
        EXPECT_EQ(c.plot->YAxisText(), c.siY);
    }
}

}  // namespace
}  // namespace keldar
