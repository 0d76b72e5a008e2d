// The whole road of one analysis without windows: the example project is opened and saved by
// the project model, analysed by the engine, and the plot data file it writes is read into the
// plots.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>

#include "PlotFileReader.h"
#include "ProgramData.h"
#include "ProjectTestSupport.h"
#include "RunDriver.h"
#include "WordReader.h"

namespace keldar {
namespace {

double Value(const TGridTable& table, int column, int row) {
    return static_cast<double>(table.Cell(column, row).GetFloat());
}

// The plot file keeps 4 significant digits (E15.4 and the like: 0.1086E+05).
void ExpectClose(double written, double read) {
    EXPECT_NEAR(read, written, 5e-4 * std::fabs(written));
}

// True when the file ends right after its Q-w block.
bool CurveBlocksOnly(const QString& plotFile) {
    TWordReader reader(plotFile);
    const int curves = reader.ReadInteger();
    for (int i = 0; i < curves; ++i) {
        reader.ReadInteger();
        const int points = reader.ReadInteger();
        for (int j = 0; j < 2 * points + 1; ++j) reader.ReadFloat();
    }
    const int tipPoints = reader.ReadInteger();
    for (int j = 0; j < 2 * tipPoints; ++j) reader.ReadFloat();
    return reader.WordsLeft() == 0;
}

TEST(EnginePlotFile, ExampleRunReadIntoThePlots) {
    TMainTables tables = TMainTables::BuiltIn();
    TProgramData project(tables);
    test::MessageTexts messages;
    ASSERT_TRUE(project.LoadFromFile(
        qEnvironmentVariable("KELDAR_SOURCE_DIR") + "/examples/steel-pipe-clay.kd3d", true,
        messages));

    QTemporaryDir dir;
    project.FileName = dir.filePath("pile.kd3d");
    project.SaveToFile();
    RunPaths paths;
    paths.dataFile = project.FileName.toStdString();
    paths.reportFile = ChangeFileExt(project.FileName, ".kd3o").toStdString();
    paths.plotFile = ChangeFileExt(project.FileName, ".kd3p").toStdString();
    paths.notesFile = ChangeFileExt(project.FileName, ".kd3r").toStdString();
    RunOptions options;
    options.consoleBanner = false;
    options.fixedTime = ReportTime{2014, 3, 4, 12, 0, 0};
    ASSERT_EQ(runKeldar(paths, RunIdentity{}, options), 0);

    TMainPlots plots;
    const QString plotFile = QString::fromStdString(paths.plotFile);
    const bool complete = ReadPlotFile(plots, plotFile, true, project.UnitSystem, messages);
    EXPECT_EQ(messages.texts.size(), complete ? 0 : 1);

    // The entered t-z curves come back as written, named by depth in inches.
    const TGridTableChart& depths = tables.Chart("TblTZDepth2");
    const TGraphPlot& tz = plots.pltTZcurves;
    ASSERT_EQ(tz.CurveCount(), depths.RowCount());
    for (int k = 0; k < depths.RowCount(); ++k) {
        EXPECT_EQ(tz.LineName(k), QString::number(Value(depths, 0, k)) + " in");
        const TGridTable& curve = *depths.Cell(1, k).GetTable();
        ASSERT_EQ(tz.PointCount(), curve.RowCount());
        for (int j = 0; j < curve.RowCount(); ++j) {
            ExpectClose(Value(curve, 1, j), tz.Point(k, j).X);  // z
            ExpectClose(Value(curve, 0, j), tz.Point(k, j).Y);  // t
        }
    }
    const TGridTableChart& tip = tables.Chart("TblQwcurve2");
    ASSERT_EQ(plots.PltQW.PointCount(), tip.RowCount());
    for (int j = 0; j < tip.RowCount(); ++j) {
        ExpectClose(Value(tip, 0, j), plots.PltQW.Point(0, j).X);
        ExpectClose(Value(tip, 1, j), plots.PltQW.Point(0, j).Y);
    }

    // The curve blocks are read even from a file without results, which is what the engine
    // writes until its solver is in; then nothing more can be checked.
    if (!complete && CurveBlocksOnly(plotFile)) {
        GTEST_SKIP() << "the engine wrote no analysis results";
    }
    ASSERT_TRUE(complete);
    for (TGraphPlot* plot : plots.All()) EXPECT_EQ(plot->Units(), 1);

    // One load-distribution curve per tip movement, in feet: the tip at the pile length, one
    // point per increment, the head at depth 0.
    const TGridTable& movements = tables.Plain("TblTipMove");
    const TGraphPlot& load = plots.pltLoad;
    ASSERT_EQ(load.CurveCount(), movements.RowCount());
    ASSERT_EQ(load.PointCount(), project.IncrementCount + 2);
    const double pileFeet = static_cast<double>(project.PileLength) / 12;
    for (int i = 0; i < load.CurveCount(); ++i) {
        const auto& points = load.Curve(i).Points;
        EXPECT_NEAR(points.front().Y, pileFeet, pileFeet * 1e-3);
        EXPECT_EQ(points.back().Y, 0);
        for (std::size_t j = 1; j + 1 < points.size(); ++j) {
            EXPECT_GT(points[j].Y, 0);
            EXPECT_LT(points[j].Y, pileFeet);
        }
    }

    // The load-settlement curve starts at the origin; the head of a compressed pile moves more
    // than its tip, and more load needs more movement.
    const TGraphPlot& axial = plots.pltAxial;
    ASSERT_EQ(axial.PointCount(), movements.RowCount() + 1);
    EXPECT_EQ(axial.Point(0, 0), (TFloatPoint{0, 0}));
    for (int v = 1; v < axial.PointCount(); ++v) {
        EXPECT_GT(axial.Point(0, v).X, 0);
        EXPECT_GT(axial.Point(0, v).Y, static_cast<double>(movements.Cell(0, v - 1).GetFloat()));
        EXPECT_GT(axial.Point(0, v).Y, axial.Point(0, v - 1).Y);
    }
}

}  // namespace
}  // namespace keldar
