// Generated-curve runs through the driver on small data files: the curves in the report and the
// plot data file, and runs stopped by a pile longer than the soil profile.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "ProjectRun.h"
#include "RunDriver.h"
#include "RunResults.h"
#include "RunStore.h"
#include "TestFiles.h"

namespace keldar {
namespace {

using test::readFile;
using test::sp;
using test::TempDir;
using test::writeFile;

struct RunResult {
    std::int32_t status;
    std::string report;
    std::string plot;
};

RunResult run(const TempDir& dir, const std::string& data) {
    const RunPaths paths{dir.file("pile.kd3d"), dir.file("pile.kd3o"), dir.file("pile.kd3p"),
                         dir.file("pile.kd3r")};
    writeFile(paths.dataFile, data);
    RunOptions options;
    options.fixedTime = ReportTime{2026, 3, 5, 9, 4, 7};
    options.consoleBanner = false;
    const std::int32_t status = runKeldar(paths, RunIdentity{}, options);
    return {status, readFile(paths.reportFile), readFile(paths.plotFile)};
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// A curve's heading row (2X, I5, I11, E16.4) and a point row (31X, E15.4, E15.4).
std::string curveRow(const std::string& number, const std::string& depth) {
    return "  " + number + "         10" + sp(6) + depth + "\n";
}
std::string pointRow(const std::string& t, const std::string& z) {
    return sp(31) + sp(5) + t + sp(5) + z + "\n";
}
// A tip curve row (E18.4, E19.4).
std::string tipRow(const std::string& q, const std::string& w) {
    return sp(8) + q + sp(9) + w + "\n";
}

bool isCurveRow(const std::string& line) {
    return line.size() == 34 && line.compare(7, 11, "         10") == 0;
}
int countCurveRows(const std::string& text) {
    int n = 0;
    for (const std::string& line : splitLines(text)) n += isCurveRow(line) ? 1 : 0;
    return n;
}

TEST(GeneratedRun, CoyleReeseClayEnglish) {
    // Clay 0-100 in: cu 5 to 9 psi, side friction 4 to 8 psi, e50 0.01; 12 in pile 80 in long.
    TempDir dir;
    const RunResult r = run(dir,
                            "Clay E\n20 1 1\n2 \n1\n1 1 0.0  0.10000000000000E+0003\n"
                            "0.04 5 0.0  0.01 4 0\n0.04 9 0.0  0.01 8 0\n"
                            "2\n1E9 0\n1E9 80\n1E-5 80 12 113.1\n 0\n 0\n 0\n 0\n 0\n");
    ASSERT_EQ(r.status, 0) << r.report;
    // Curve 3 at 50 in: tmax = 6 psi; t = 6 x 0.18 = 1.08 at 0.01 in ... 6 x 0.93 = 5.58.
    const std::string curve3 =
        curveRow("    3", "0.5000E+02") + pointRow("0.0000E+00", "0.0000E+00") +
        pointRow("0.1080E+01", "0.1000E-01") + pointRow("0.2280E+01", "0.2000E-01") +
        pointRow("0.4740E+01", "0.4000E-01") + pointRow("0.5820E+01", "0.6000E-01") +
        pointRow("0.6000E+01", "0.8000E-01") + pointRow("0.5820E+01", "0.1200E+00") +
        pointRow("0.5580E+01", "0.1600E+00") + pointRow("0.5580E+01", "0.5000E+00") +
        pointRow("0.5580E+01", "0.1000E+02");
    EXPECT_NE(r.report.find(curve3), std::string::npos) << r.report;
    EXPECT_NE(r.plot.find(curve3), std::string::npos) << r.plot;
    // Tip: cu(80) = 5 + 80 x 4 / 100 = 8.2; Qult = 9 x 8.2 x 113.1 = 8346.78 lb;
    // wmax = 8 x 0.01 x 12 = 0.96 in; Q = Qult sqrt(k / 8) at k x 0.12 in.
    const std::string tip =
        "\n\n\n" + sp(8) + "TIP   LOAD" + sp(8) + "TIP MOVEMENT\n" + sp(12) + "LBS" + sp(15) +
        "IN.\n" + tipRow("0.0000E+00", "0.0000E+00") + tipRow("0.2951E+04", "0.1200E+00") +
        tipRow("0.4173E+04", "0.2400E+00") + tipRow("0.5111E+04", "0.3600E+00") +
        tipRow("0.5902E+04", "0.4800E+00") + tipRow("0.6599E+04", "0.6000E+00") +
        tipRow("0.7229E+04", "0.7200E+00") + tipRow("0.7808E+04", "0.8400E+00") +
        tipRow("0.8347E+04", "0.9600E+00") + tipRow("0.8347E+04", "0.9600E+01");
    EXPECT_NE(r.report.find(tip), std::string::npos) << r.report;
}

TEST(GeneratedRun, ApiSandSi) {
    // Sand 0-10 m: phi 30, 18 kN/m^3, side friction 20 to 40 kPa; 0.5 m pile 10 m long.
    TempDir dir;
    const RunResult r = run(dir,
                            "Sand SI\n20 1 2\n2 \n1\n1 6 0.0  0.10000000000000E+0002\n"
                            "18 0.0  30 10 20 0\n18 0.0  30 10 40 0\n"
                            "2\n1E6 0\n1E6 10\n1E-4 10 0.5 0.19635\n 0\n 0\n 0\n 0\n 0\n");
    ASSERT_EQ(r.status, 0) << r.report;
    // Curve 3 at 5 m: tmax 30 kPa, movements in inches x 0.0254.
    const std::string curve3 =
        curveRow("    3", "0.5000E+01") + pointRow("0.0000E+00", "0.0000E+00") +
        pointRow("0.3000E+01", "0.2540E-03") + pointRow("0.6000E+01", "0.5080E-03") +
        pointRow("0.1200E+02", "0.1016E-02") + pointRow("0.1800E+02", "0.1524E-02") +
        pointRow("0.2400E+02", "0.2032E-02") + pointRow("0.2700E+02", "0.2286E-02") +
        pointRow("0.3000E+02", "0.2540E-02") + pointRow("0.3000E+02", "0.1270E-01") +
        pointRow("0.3000E+02", "0.5080E-01");
    EXPECT_NE(r.report.find(curve3), std::string::npos) << r.report;
    // Tip: q = 10 m x 18 x Nq(30) 18.4015 = 3312.27 kPa; Qult = x 0.19635 = 650.36 kN;
    // API shape at fractions of 0.5 m.
    const std::string tip =
        tipRow("0.0000E+00", "0.0000E+00") + tipRow("0.4065E+02", "0.2500E-03") +
        tipRow("0.8130E+02", "0.5000E-03") + tipRow("0.1626E+03", "0.1000E-02") +
        tipRow("0.3252E+03", "0.6500E-02") + tipRow("0.4878E+03", "0.2100E-01") +
        tipRow("0.5853E+03", "0.3650E-01") + tipRow("0.6504E+03", "0.5000E-01") +
        tipRow("0.6504E+03", "0.7500E-01") + tipRow("0.6504E+03", "0.1000E+00");
    EXPECT_NE(r.report.find(sp(12) + "KN." + sp(15) + " M.\n" + tip), std::string::npos)
        << r.report;
    EXPECT_NE(r.plot.find("          10\n" + tip), std::string::npos) << r.plot;
}

TEST(GeneratedRun, APileLongerThanTheProfileStopsAfterTheSideCurves) {
    struct Case {
        const char* name;
        const char* data;
        std::int32_t status;
        std::string lastPoint;  // curve 5, point 10
        std::string warning;
    };
    const std::string strength = "IS BEYOND THE EXTENT OF/\n     THE INPUT STRENGTH CURVE\n";
    const Case cases[] = {
        // Reese & O'Neill clay 0-10 m, pile 12 m: cu at the tip is beyond the table.
        {"clay, SI",
         "Short SI\n20 1 2\n2 \n1\n1 3 0.0  0.10000000000000E+0002\n"
         "8 50 0.0  0.01 40 0\n8 60 0.0  0.01 40 0\n"
         "2\n1E6 0\n1E6 12\n1E-4 12 0.5 0.19635\n 0\n 0\n 0\n 0\n 0\n",
         5, pointRow("0.3340E+02", "0.5000E-01"), " 0.12E+02"},
        // Reese & O'Neill sand 0-100 in, pile 120 in: phi at the tip is beyond the table.
        {"sand, English",
         "Short E\n20 1 1\n2 \n1\n1 4 0.0  0.10000000000000E+0003\n"
         "0.04 0.0  32 10 2 0\n0.04 0.0  34 10 2 0\n"
         "2\n1E9 0\n1E9 120\n1E-5 120 24 452.4\n 0\n 0\n 0\n 0\n 0\n",
         8, pointRow("0.1900E+01", "0.2400E+01"), " 0.12E+03"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const RunResult r = run(dir, c.data);
        EXPECT_EQ(r.status, c.status);
        // The report ends with the t-z table and the warning block, column for column.
        const std::string end = c.lastPoint + "\n" + sp(29) + "**** WARNING ****\n" + sp(5) +
                                "THE VALUE OF X =" + c.warning + strength;
        ASSERT_GE(r.report.size(), end.size());
        EXPECT_EQ(r.report.substr(r.report.size() - end.size()), end) << r.report;
        // The plot file holds the five t-z curves and nothing after them.
        const std::vector<std::string> plot = splitLines(r.plot);
        ASSERT_EQ(plot.size(), 1u + 5u * 11u) << r.plot;
        EXPECT_EQ(plot.front(), "           5");
        EXPECT_EQ(plot.back() + "\n", c.lastPoint);
    }
}

// One soil layer of a data file: its code, depths and its two property rows.
struct LayerData {
    int code;
    const char* top;
    const char* bottom;
    const char* topRow;  // GAM1 C1 PHI1 EE50 SKIN TIP
    const char* bottomRow;
};

// A 12 in pile with its tip at `tip`, 20 increments and the nine default tip movements.
std::string layeredData(const std::vector<LayerData>& layers, const std::string& tip) {
    std::string data = "Tip on a boundary\n20 1 1\n2\n" + std::to_string(layers.size()) + "\n";
    for (std::size_t i = 0; i < layers.size(); ++i)
        data += std::to_string(i + 1) + " " + std::to_string(layers[i].code) + " " + layers[i].top +
                " " + layers[i].bottom + "\n";
    for (const LayerData& layer : layers)
        data += std::string(layer.topRow) + "\n" + layer.bottomRow + "\n";
    return data + "2\n1E9 0\n1E9 " + tip + "\n1E-5 " + tip + " 12 113.1\n 0\n 0\n 0\n 0\n 0\n";
}

RunResults resultsOf(const std::string& data) { return test::runProject(data).results; }

TEST(GeneratedRun, ATipOnALayerBoundaryIgnoresTheSoilBelow) {
    const char* clayTop = "0.02 5 0 0.01 4 0";
    const char* clayBottom = "0.02 8 0 0.008 6 0";
    const char* sandTop = "0.035 0 30 25 3 0";  // the blow count stands in the e50 place
    const char* sandBottom = "0.035 0 36 40 7 0";
    struct Case {
        const char* name;
        LayerData upper;
        LayerData lower;
    };
    // The tip at 600 in, the bottom of the upper layer: without the lower layer's rows a clay
    // tip would read cu = 0 from the sand and Coyle & Reese the blow count as e50, a sand tip
    // phi = 0 from the clay, and Mosher the exponent of the clay's deepest curve.
    const Case cases[] = {
        {"Coyle & Reese over API sand",
         {1, "0", "600", clayTop, clayBottom},
         {6, "600", "1200", sandTop, sandBottom}},
        {"API clay over Mosher sand",
         {5, "0", "600", clayTop, clayBottom},
         {2, "600", "1200", sandTop, sandBottom}},
        {"Mosher sand over Coyle & Reese",
         {2, "0", "600", sandTop, sandBottom},
         {1, "600", "1200", clayTop, clayBottom}},
        {"API sand over Reese & O'Neill clay",
         {6, "0", "600", sandTop, sandBottom},
         {3, "600", "1200", clayTop, clayBottom}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RunResults both = resultsOf(layeredData({c.upper, c.lower}, "600"));
        const RunResults alone = resultsOf(layeredData({c.upper}, "600"));
        ASSERT_EQ(both.status, 0) << both.message;
        ASSERT_EQ(alone.status, 0) << alone.message;
        ASSERT_EQ(both.qwCurve.size(), 10u);
        ASSERT_EQ(alone.qwCurve.size(), 10u);
        EXPECT_GT(alone.qwCurve.back().y, 1000.0f);  // a real tip, in pounds
        for (std::size_t k = 0; k < 10; ++k) {
            EXPECT_EQ(both.qwCurve[k].x, alone.qwCurve[k].x) << k;
            EXPECT_EQ(both.qwCurve[k].y, alone.qwCurve[k].y) << k;
        }
        ASSERT_EQ(both.loadSettlement.size(), alone.loadSettlement.size());
        for (std::size_t k = 0; k < both.loadSettlement.size(); ++k) {
            const LoadSettlementRow& a = both.loadSettlement[k];
            const LoadSettlementRow& b = alone.loadSettlement[k];
            EXPECT_EQ(a.topLoad, b.topLoad) << k;
            EXPECT_EQ(a.topMovement, b.topMovement) << k;
            EXPECT_EQ(a.tipLoad, b.tipLoad) << k;
        }
        // The side curves of the upper layer are the same; the lower layer adds its own.
        ASSERT_EQ(both.tzCurves.size(), 10u);
        for (std::size_t j = 0; j < 5; ++j)
            for (std::size_t k = 0; k < 10; ++k)
                EXPECT_EQ(both.tzCurves[j].points[k].y, alone.tzCurves[j].points[k].y);
    }
}

TEST(GeneratedRun, SevenLayersPutEveryCurveInTheReportAndThirtyInThePlotFile) {
    std::string data = "Seven layers\n20 1 1\n2 \n7\n";
    for (int i = 1; i <= 7; ++i) {
        data += std::to_string(i) + " 5 " + std::to_string((i - 1) * 100) + " " +
                std::to_string(i * 100) + "\n";
    }
    for (int i = 1; i <= 14; ++i) data += "0.04 6 0.0  0.01 3 0\n";
    data += "2\n1E9 0\n1E9 650\n1E-5 650 12 113.1\n 0\n 0\n 0\n 0\n 0\n";
    TempDir dir;
    const RunResult r = run(dir, data);
    ASSERT_EQ(r.status, 0) << r.report;
    EXPECT_EQ(countCurveRows(r.report), 35);
    EXPECT_EQ(countCurveRows(r.plot), 30);
    EXPECT_EQ(r.plot.substr(0, 13), "          30\n");
    // The last curve of the report: 699.99, 0.01 above the bottom at 700 (0.7000E+03 in four
    // digits); the plot stops at curve 30 (599.99) and goes on with the tip curve (API clay: 9 x 6
    // x 113.1 = 6107.4 lb).
    EXPECT_NE(r.report.find(curveRow("   35", "0.7000E+03")), std::string::npos);
    EXPECT_NE(r.plot.find(curveRow("   30", "0.6000E+03")), std::string::npos);
    EXPECT_EQ(r.plot.find(curveRow("   31", "0.6000E+03")), std::string::npos);
    EXPECT_NE(r.plot.find(pointRow("0.2700E+01", "0.2400E+01") + "          10\n" +
                          tipRow("0.0000E+00", "0.0000E+00") + tipRow("0.3817E+03", "0.6000E-02")),
              std::string::npos)
        << r.plot;
}

}  // namespace
}  // namespace keldar
