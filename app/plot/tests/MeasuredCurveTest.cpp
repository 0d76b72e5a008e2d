#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "InputOutputError.h"
#include "MainPlots.h"
#include "MeasuredCurve.h"
#include "MeasuredCurveFile.h"
#include "PlotRange.h"

namespace keldar {
namespace {

constexpr double kKipsPerKn = 0.2248089237;  // the unit catalog's factors
constexpr double kTonsPerKn = 0.1124044745;
constexpr double kInPerM = 39.37007874;

struct GoodText {
    const char* text;
    int units;           // of a text without units
    TFloatPoint second;  // the second reading, in kN and m
};

TEST(MeasuredCurve, ReadsEveryCommonFormAndConvertsToKnAndM) {
    const GoodText cases[] = {
        {"load (kN),settlement (mm)\n0,0\n500,4.5\n", 1, {500, 0.0045}},
        // A spreadsheet's copy: tabs, columns the other way round, units in square brackets.
        {"Settlement [in]\tLoad [kips]\n0\t0\n0.5\t100\n", 2, {100 / kKipsPerKn, 0.5 / kInPerM}},
        // Without a header the project's units: lb and in, or kN and m.
        {"0 0\n1000 0.25\n", 1, {1000 / (1000 * kKipsPerKn), 0.25 / kInPerM}},
        // Named columns without units, semicolons, notes, CRLF and a trailing separator.
        {"# test pile 3\r\nsettlement;load\r\n0;0;\r\n\r\n0.01;750\r\n", 2, {750, 0.01}},
        {"\"load (MN)\",\"settlement (cm)\"\n0,0\n1.5,2\n", 2, {1500, 0.02}},
        {"load (tons)\tsettlement (ft)\n0\t0\n1\t1\n", 2, {1 / kTonsPerKn, 12 / kInPerM}},
    };
    for (const GoodText& c : cases) {
        const TMeasuredCurve curve =
            ReadMeasuredCurveText(QString::fromLatin1(c.text), c.units, QStringLiteral("test"));
        ASSERT_EQ(curve.Points.size(), 2u) << c.text;
        EXPECT_NEAR(curve.Points[1].X, c.second.X, 1e-9 * c.second.X) << c.text;
        EXPECT_NEAR(curve.Points[1].Y, c.second.Y, 1e-12) << c.text;
        EXPECT_EQ(curve.Points[0], (TFloatPoint{0, 0})) << c.text;
    }
}

struct BadText {
    const char* text;
    const char* message;
};

TEST(MeasuredCurve, RefusesABadTextWholeNamingTheLine) {
    const BadText cases[] = {
        {"load (kN),settlement (mm)\n0,0\n500,4,5\n",
         "test, line 3: 3 value(s) where a reading has two, a load and a settlement."},
        {"0;0\n1,5;2,3\n",
         "test, line 2: \"1,5\" is not a number (decimals are written with \".\")."},
        // A first row with a number in it is a reading, not a header.
        {"100,x\n0,0\n", "test, line 1: \"x\" is not a number (decimals are written with \".\")."},
        {"0,0\n1e999,1\n",
         "test, line 2: \"1e999\" is not a number (decimals are written with \".\")."},
        {"load (kg),settlement (mm)\n",
         "test, line 1: unknown unit \"kg\"; loads may be in lb, kips, tons, N, kN or MN, "
         "settlements in in, ft, mm, cm or m."},
        {"load (kN),settlement (in),time (min)\n",
         "test, line 1: the header names 3 column(s); a measured curve has two, a load and a "
         "settlement, as in \"load (kN), settlement (mm)\"."},
        {"load (kN),settlement\n",
         "test, line 1: the header gives the unit of one column only; give both, as in "
         "\"load (kN), settlement (mm)\", or neither for the project's units."},
        {"load (kN)\tforce (kips)\n",
         "test, line 1: both columns are loads; one must be a load and the other a settlement."},
        {"# only a note\nload (kN),settlement (mm)\n0,0\n",
         "test holds 1 reading(s); a measured curve needs at least 2, each a load and a "
         "settlement."},
        {"",
         "test holds 0 reading(s); a measured curve needs at least 2, each a load and a "
         "settlement."},
    };
    for (const BadText& c : cases) {
        try {
            ReadMeasuredCurveText(QString::fromLatin1(c.text), 2, QStringLiteral("test"));
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const EInputOutputError& e) {
            EXPECT_EQ(e.Message().toStdString(), c.message);
        }
    }
}

TEST(MeasuredCurve, KeptFileReadsBackTheSameCurveAndGoesWithIt) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString project = dir.filePath(QStringLiteral("pile.kd3d"));
    EXPECT_EQ(MeasuredFileName(project), dir.filePath(QStringLiteral("pile.measured.csv")));

    TMainPlots plots;
    TGraphPlot& plot = plots.pltAxial;
    plot.SetUnits(1);
    RestoreMeasuredCurve(plot, project);  // nothing kept yet
    EXPECT_FALSE(plot.Measured());
    const TMeasuredCurve curve = ReadMeasuredCurveText(
        QStringLiteral("load (kips),settlement (in)\n0,0\n120.5,0.31\n250,1.2\n"), 1,
        QStringLiteral("test.csv"));
    plot.SetMeasured(curve);
    KeepMeasuredCurve(plot);

    TMainPlots reopened;
    RestoreMeasuredCurve(reopened.pltAxial, project);
    ASSERT_TRUE(reopened.pltAxial.Measured());
    const auto& back = reopened.pltAxial.Measured()->Points;
    ASSERT_EQ(back.size(), curve.Points.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        EXPECT_NEAR(back[i].X, curve.Points[i].X, 1e-9);
        EXPECT_NEAR(back[i].Y, curve.Points[i].Y, 1e-12);
    }

    plot.SetMeasured(std::nullopt);
    KeepMeasuredCurve(plot);
    EXPECT_FALSE(QFile::exists(plot.MeasuredFile));

    // A kept file damaged by hand is refused, and the plot has no measured curve.
    QFile damaged(plot.MeasuredFile);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("load (kN),settlement (m)\n0,0\n");
    damaged.close();
    EXPECT_THROW(RestoreMeasuredCurve(reopened.pltAxial, project), EInputOutputError);
    EXPECT_FALSE(reopened.pltAxial.Measured());
}

TEST(MeasuredCurve, PlotShowsItInItsAxesUnitsAndKeepsItThroughNewCurves) {
    TMainPlots plots;
    TGraphPlot& plot = plots.pltAxial;
    plot.SetCurveCount(1);
    plot.SetPointCount(2);
    plot.Point(0, 1) = {200, 0.5};
    TMeasuredCurve curve;
    curve.Points = {{0, 0}, {1000, 0.02}};  // kN, m
    plot.SetMeasured(curve);
    plot.SetUnits(2);
    ASSERT_NE(plot.MeasuredLine(), nullptr);
    EXPECT_EQ(plot.MeasuredLine()->Name, QStringLiteral("measured"));
    EXPECT_EQ(plot.MeasuredLine()->Points[1], (TFloatPoint{1000, 0.02}));

    // An English run: kips and inches. The curve reaches past the computed one: the full range
    // holds it.
    plot.SetUnits(1);
    EXPECT_NEAR(plot.MeasuredLine()->Points[1].X, 1000 * kKipsPerKn, 1e-9);
    EXPECT_NEAR(plot.MeasuredLine()->Points[1].Y, 0.02 * kInPerM, 1e-9);
    EXPECT_GE(FullPlotRange(plot).X.Max, 1000 * kKipsPerKn);

    // A hidden measured curve stays hidden when a run refills the computed curves.
    plot.MeasuredLine()->Shown = false;
    plot.SetCurveCount(0);
    plot.SetCurveCount(1);
    plot.SetUnits(2);
    ASSERT_NE(plot.EntryLine(kMeasuredCurve), nullptr);
    EXPECT_FALSE(plot.EntryLine(kMeasuredCurve)->Shown);
    EXPECT_EQ(plot.EntryLine(5), nullptr);
}

}  // namespace
}  // namespace keldar
