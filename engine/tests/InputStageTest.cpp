// Runs of the driver on small data files: the report header and input echo, column by column as
// the report layouts give them, the plot file's curve blocks, the derived input, and the
// problems that stop a run.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "RunDriver.h"
#include "RunStore.h"
#include "TestFiles.h"

namespace keldar {
namespace {

using test::lines;
using test::readFile;
using test::sp;
using test::TempDir;
using test::writeFile;

struct RunResult {
    std::int32_t status;
    std::string report;
    std::string plot;
    std::shared_ptr<const RunStore> store;  // as the run left it
};

RunIdentity testIdentity() {
    RunIdentity id;
    id.version = "2014.3.4";
    id.user1 = "Test Engineer   ";
    id.user2 = "Acme Geotechnical, J. Smith";
    id.number = 1234;
    return id;
}

RunPaths pathsIn(const TempDir& dir, const std::string& name) {
    return {dir.file(name + ".kd3d"), dir.file(name + ".kd3o"), dir.file(name + ".kd3p"),
            dir.file(name + ".kd3r")};
}

RunResult runPaths(const RunPaths& paths) {
    RunOptions options;
    options.fixedTime = ReportTime{2026, 3, 5, 9, 4, 7};
    options.consoleBanner = false;
    auto store = std::make_shared<RunStore>();
    options.finalStore = store.get();
    const std::int32_t status = runKeldar(paths, testIdentity(), options);
    return {status, readFile(paths.reportFile), readFile(paths.plotFile), store};
}

RunResult runText(const TempDir& dir, const std::string& name, const std::string& data) {
    const RunPaths paths = pathsIn(dir, name);
    writeFile(paths.dataFile, data);
    return runPaths(paths);
}

// Report header and the opening of the echo, from the banner, identification, file block,
// date and time and program heading layouts.
std::string expectedHeader(const TempDir& dir, const std::string& name, const std::string& title) {
    const std::string equals(73, '=');
    const std::string dashes(73, '-');
    return lines({
        sp(5) + equals,
        "",
        sp(20) + "  KELDAR for Windows, Version " + "2014.3.4    ",
        "",
        sp(20) + "  User Identification No." + "      1234",
        "",
        sp(20) + "   A Program for Computing Load Vs Settlement ",
        sp(20) + "           For an Axially Loaded Pile ",
        "",
        sp(5) + equals,
        "",
        "",
        sp(5) + "This analysis is performed for:",
        "",
        sp(5) + "Test Engineer",
        sp(5) + "Acme Geotechnical, J. Smith",
        "",
        sp(5) + "Path to file locations      : " + (dir.path() / "").string(),
        sp(5) + "Name of input data file     : " + name + ".kd3d",
        sp(5) + "Name of output file         : " + name + ".kd3o",
        sp(5) + "Name of plot output file    : " + name + ".kd3p",
        "",
        sp(5) + dashes,
        sp(26) + "Time and Date of Analysis",
        sp(5) + dashes,
        "",
        sp(15) + "Date:  March 05, 2026" + sp(5) + "Time:  09:04:07",
        " ",
        " PROGRAM KELDAR FOR COMPUTING LOAD VS. SETTLEMENT",
        " FOR AN AXIALLY LOADED PILE",
        " VERSION 2014.3.4",
        "",
        "",
        "",
        " " + title + sp(72 - static_cast<int>(title.size())),
        "",
        "",
        "",
        "  AXIALLY LOADED PILE, CONSTANT OD",
        "",
    });
}

// User curves, English units, with top loads and both multiplier options.
const char* const kUserEnglish =
    "Test pile A\r\n"
    "20 0 1\r\n"
    "1 \r\n"
    "2\r\n"
    "1 0 3\r\n"
    "0 0\r\n"
    "1.5 0.1\r\n"
    "2 0.5\r\n"
    "2 120 2\r\n"
    "0 0\r\n"
    "3.25 0.2\r\n"
    "2\r\n"
    "1E6 0\r\n"
    "2E6 120\r\n"
    "3\r\n"
    "0 0\r\n"
    "100 0.05\r\n"
    "250 1\r\n"
    "1E-5 120 12 113.1\r\n"
    "2\r\n"
    "0.01\r\n"
    "0.1\r\n"
    "2\r\n"
    "500\r\n"
    "1000.5\r\n"
    " 0\r\n"
    " 1\r\n"
    "2\r\n"
    "0 1 1\r\n"
    "120 0.5 2\r\n"
    " 1\r\n"
    "0.8 1.25\r\n";

TEST(InputEcho, UserCurvesEnglish) {
    TempDir dir;
    const RunResult r = runText(dir, "pileA", kUserEnglish);
    ASSERT_EQ(r.status, 0) << r.report;
    const std::string expected =
        expectedHeader(dir, "pileA", "Test pile A") +
        lines({
            "",
            "",
            "    T-Z       NO. OF    DEPTH TO    LOAD TRANSFER  PILE",
            "   CURVE NO.  POINTS    CURVE,IN.   TRANSFER,PSI   MOVEMENT,IN.",
            "",
            "      1          3      0.0000E+00",
            sp(31) + "     0.0000E+00     0.0000E+00",
            sp(31) + "     0.1500E+01     0.1000E+00",
            sp(31) + "     0.2000E+01     0.5000E+00",
            "      2          2      0.1200E+03",
            sp(31) + "     0.0000E+00     0.0000E+00",
            sp(31) + "     0.3250E+01     0.2000E+00",
            "",
            sp(9) + "  DEPTH" + sp(13) + "AE PILE",
            sp(12) + "IN." + sp(16) + "LBS",
            sp(8) + "0.0000E+00" + sp(9) + "0.1000E+07",
            sp(8) + "0.1200E+03" + sp(9) + "0.2000E+07",
            "",
            "",
            "",
            sp(8) + "TIP   LOAD" + sp(8) + "TIP MOVEMENT",
            sp(12) + "LBS" + sp(15) + "IN.",
            sp(8) + "0.0000E+00" + sp(9) + "0.0000E+00",
            sp(8) + "0.1000E+03" + sp(9) + "0.5000E-01",
            sp(8) + "0.2500E+03" + sp(9) + "0.1000E+01",
            "",
            "",
            "",
            sp(8) + "PILE LENGTH" + sp(7) + "OUTER DIAMETER" + sp(6) + "TOLERANCE",
            sp(12) + "IN." + sp(16) + "IN." + sp(15) + "IN.",
            sp(8) + "0.1200E+03" + sp(9) + "0.1200E+02" + sp(8) + "0.1000E-04",
            "",
            "",
            sp(10) + "   LOADS      ",
            sp(10) + "    LB.       ",
            sp(4) + "   500.000",
            sp(4) + "  1000.500",
            "",
            "",
            sp(10) + "DEPTH" + sp(20) + "t-Multiplier  " + sp(10) + "z-Multiplier  ",
            sp(10) + "IN.",
            sp(7) + " 0.000E+00" + sp(18) + " 0.100E+01" + sp(15) + " 0.100E+01",
            sp(7) + " 0.120E+03" + sp(18) + " 0.500E+00" + sp(15) + " 0.200E+01",
            "",
            "",
            sp(10) + "PILE TIP" + sp(17) + "Q-Multiplier  " + sp(10) + "w-Multiplier ",
            sp(38) + "0.80" + sp(19) + "1.25",
        });
    // The analysis writes its sections after the echo.
    EXPECT_EQ(r.report.substr(0, expected.size()), expected);

    // The plot file holds the curves as entered, before the multipliers.
    const std::string expectedPlot = lines({
        "           2",
        "      1          3      0.0000E+00",
        sp(31) + "     0.0000E+00     0.0000E+00",
        sp(31) + "     0.1500E+01     0.1000E+00",
        sp(31) + "     0.2000E+01     0.5000E+00",
        "      2          2      0.1200E+03",
        sp(31) + "     0.0000E+00     0.0000E+00",
        sp(31) + "     0.3250E+01     0.2000E+00",
        "           3",
        sp(8) + "0.0000E+00" + sp(9) + "0.0000E+00",
        sp(8) + "0.1000E+03" + sp(9) + "0.5000E-01",
        sp(8) + "0.2500E+03" + sp(9) + "0.1000E+01",
    });
    EXPECT_EQ(r.plot.substr(0, expectedPlot.size()), expectedPlot);

    // The analysis works on the scaled curves: curve 2 lies at the last factor row (t x 0.5,
    // z x 2); curve 1 at the first (x 1); the tip curve is scaled by 0.8 and 1.25.
    const RunStore& s = *r.store;
    EXPECT_FLOAT_EQ(s.TC[1][2], 1.5f);
    EXPECT_FLOAT_EQ(s.ZC[1][2], 0.1f);
    EXPECT_FLOAT_EQ(s.TC[2][2], 1.625f);
    EXPECT_FLOAT_EQ(s.ZC[2][2], 0.4f);
    EXPECT_FLOAT_EQ(s.QTIP[3], 200.0f);
    EXPECT_FLOAT_EQ(s.WTIP[3], 1.25f);
    EXPECT_EQ(s.NTM, 2);
    EXPECT_FLOAT_EQ(s.TIPMOV[2], 0.1f);
    EXPECT_FLOAT_EQ(s.ATIP, 113.1f);
}

// User curves, SI units, default tip movements and a soil settlement profile.
const char* const kUserSi =
    "Pile B SI\n"
    "10 1 2\n"
    "1 \n"
    "1\n"
    "1 0 2\n"
    "0 0\n"
    "50 0.005\n"
    "2\n"
    "5E5 0\n"
    "5E5 10\n"
    "2\n"
    "0 0\n"
    "300 0.02\n"
    "0.0001 10 0.5 0.19635\n"
    " 0\n"
    " 0\n"
    "3\n"
    "0 0.01\n"
    "5 0.005\n"
    "10 0\n"
    " 0\n"
    " 0\n";

TEST(InputEcho, UserCurvesSi) {
    TempDir dir;
    const RunResult r = runText(dir, "pileB", kUserSi);
    ASSERT_EQ(r.status, 0) << r.report;
    const std::string expected =
        expectedHeader(dir, "pileB", "Pile B SI") +
        lines({
            "",
            "",
            "    T-Z       NO. OF    DEPTH TO    LOAD TRANSFER  PILE",
            "   CURVE NO.  POINTS    CURVE, M.   TRANSFER,KPA   MOVEMENT, M.",
            "",
            "      1          2      0.0000E+00",
            sp(31) + "     0.0000E+00     0.0000E+00",
            sp(31) + "     0.5000E+02     0.5000E-02",
            "",
            sp(9) + "  DEPTH" + sp(13) + "AE PILE",
            sp(12) + " M." + sp(16) + "KN.",
            sp(8) + "0.0000E+00" + sp(9) + "0.5000E+06",
            sp(8) + "0.1000E+02" + sp(9) + "0.5000E+06",
            "",
            "",
            "",
            sp(8) + "TIP   LOAD" + sp(8) + "TIP MOVEMENT",
            sp(12) + "KN." + sp(15) + " M.",
            sp(8) + "0.0000E+00" + sp(9) + "0.0000E+00",
            sp(8) + "0.3000E+03" + sp(9) + "0.2000E-01",
            "",
            "",
            "",
            sp(8) + "PILE LENGTH" + sp(7) + "OUTER DIAMETER" + sp(6) + "TOLERANCE",
            sp(12) + " M." + sp(16) + " M." + sp(15) + " M.",
            sp(8) + "0.1000E+02" + sp(9) + "0.5000E+00" + sp(8) + "0.1000E-03",
            "",
            "",
            sp(10) + "   SOIL SETTLEMENT PROFILE",
            "",
            sp(10) + "   DEPTH     SETTLEMENT",
            sp(10) + "     M           M",
            sp(10) + " 0.000E+00   0.100E-01",
            sp(10) + " 0.500E+01   0.500E-02",
            sp(10) + " 0.100E+02   0.000E+00",
        });
    EXPECT_EQ(r.report.substr(0, expected.size()), expected);

    // The nine default tip movements, in metres.
    const RunStore& s = *r.store;
    const float metres[] = {0.00000254f, 0.0000254f, 0.000254f, 0.000762f, 0.001778f,
                            0.00254f,    0.00508f,   0.0127f,   0.127f};
    ASSERT_EQ(s.NTM, 9);
    for (int i = 1; i <= 9; ++i) EXPECT_FLOAT_EQ(s.TIPMOV[i], metres[i - 1]) << i;
    EXPECT_EQ(s.NSET, 3);
    EXPECT_EQ(s.IOUT, 1);
}

TEST(InputEcho, DefaultTipMovementsInInches) {
    TempDir dir;
    std::string data = kUserSi;
    data.replace(data.find("10 1 2"), 6, "10 1 1");
    const RunResult r = runText(dir, "pileE", data);
    ASSERT_EQ(r.status, 0);
    const float inches[] = {0.0001f, 0.001f, 0.01f, 0.03f, 0.07f, 0.1f, 0.2f, 0.5f, 5.0f};
    for (int i = 1; i <= 9; ++i) EXPECT_FLOAT_EQ(r.store->TIPMOV[i], inches[i - 1]) << i;
}

// Generated curves, English units: two layers written as the GUI writes them.
const char* const kGeneratedEnglish =
    "Generated C\r\n"
    "30 0 1\r\n"
    "2 \r\n"
    "2\r\n"
    "1 1 0.0  0.20000000000000E+0003\r\n"
    "2 2  0.20000000000000E+0003  0.50000000000000E+0003\r\n"
    "0.0361 5 0.0  0.005 4 0\r\n"
    "0.0361 9 0.0  0.007 8 0\r\n"
    "0.04 0.0  30 12 2.5 0\r\n"
    "0.04 0.0  34 20 3.1 150\r\n"
    "2\r\n"
    "1E9 0\r\n"
    "1E9 480\r\n"
    "1E-5 480 18 254.47\r\n"
    " 0\r\n"
    " 0\r\n"
    " 0\r\n"
    " 0\r\n"
    " 0\r\n";

TEST(InputEcho, GeneratedCurvesEnglish) {
    TempDir dir;
    const RunResult r = runText(dir, "pileC", kGeneratedEnglish);
    ASSERT_EQ(r.status, 0) << r.report;
    const std::string expected =
        expectedHeader(dir, "pileC", "Generated C") +
        lines({
            "",
            "",
            sp(10) + "  LAYER      KSOIL      XTOP      XBOT",
            sp(10) + "                         IN.       IN.",
            sp(10) + "    1" + sp(5) + "    1" + sp(5) + " 0.000E+00" + "  " + " 0.200E+03",
            sp(10) + "    2" + sp(5) + "    2" + sp(5) + " 0.200E+03" + "  " + " 0.500E+03",
            "",
            "",
            sp(10) + "    XG1        GAM1",
            sp(10) + "    IN.       LB/IN**3",
            sp(10) + " 0.000E+00   0.361E-01",
            sp(10) + " 0.200E+03   0.361E-01",
            sp(10) + " 0.200E+03   0.400E-01",
            sp(10) + " 0.500E+03   0.400E-01",
            "",
            "",
            sp(7) + "XSTR         C1          PHI1        EE50       SKIN        TIP",
            sp(7) + " IN.       LB/IN**2      DEG.                 LB/IN**2    lb/in**2",
            sp(3) + " 0.000E+00   0.500E+01   0.000E+00   0.500E-02   0.400E+01   0.000E+00",
            sp(3) + " 0.200E+03   0.900E+01   0.000E+00   0.700E-02   0.800E+01   0.000E+00",
            sp(3) + " 0.200E+03   0.000E+00   0.300E+02   0.120E+02   0.250E+01   0.000E+00",
            sp(3) + " 0.500E+03   0.000E+00   0.340E+02   0.200E+02   0.310E+01   0.150E+03",
            "",
            "",
            "  ",
            "",
            sp(9) + "  DEPTH" + sp(13) + "AE PILE",
            sp(12) + "IN." + sp(16) + "LBS",
            sp(8) + "0.0000E+00" + sp(9) + "0.1000E+10",
            sp(8) + "0.4800E+03" + sp(9) + "0.1000E+10",
        });
    // The generated curve tables follow; they depend on curve generation.
    EXPECT_EQ(r.report.substr(0, expected.size()), expected);

    // Five curves per layer: top, quarter points, and 0.01 above the bottom.
    const RunStore& s = *r.store;
    const float depths[] = {0, 50, 100, 149.995f, 199.99f, 200, 275, 350, 424.995f, 499.99f};
    ASSERT_EQ(s.NCURV, 10);
    EXPECT_EQ(s.NSTR, 4);
    for (int j = 1; j <= 10; ++j) {
        EXPECT_FLOAT_EQ(s.XC[j], depths[j - 1]) << j;
        EXPECT_EQ(s.KSOILC[j], j <= 5 ? 1 : 2) << j;
    }
    EXPECT_FLOAT_EQ(s.XSTR[3], 200.0f);
    EXPECT_FLOAT_EQ(s.XG1[4], 500.0f);
    EXPECT_FLOAT_EQ(s.TIP[4], 150.0f);
}

const char* const kGeneratedSi =
    "Generated D SI\n"
    "25 0 2\n"
    "2 \n"
    "1\n"
    "1 4 0.0  0.12000000000000E+0002\n"
    "18 0.0  32 15 40 0\n"
    "19 0.0  36 25 60 2000\n"
    "2\n"
    "2E6 0\n"
    "2E6 12\n"
    "0.0001 12 0.6 0.28274\n"
    "0\n"
    "0\n"
    "0\n"
    "0\n"
    "0\n";

TEST(InputEcho, GeneratedCurvesSi) {
    TempDir dir;
    const RunResult r = runText(dir, "pileD", kGeneratedSi);
    ASSERT_EQ(r.status, 0) << r.report;
    const std::string expected =
        expectedHeader(dir, "pileD", "Generated D SI") +
        lines({
            "",
            "",
            sp(10) + "  LAYER      KSOIL      XTOP      XBOT",
            sp(10) + "                          M         M",
            sp(10) + "    1" + sp(5) + "    4" + sp(5) + " 0.000E+00" + "  " + " 0.120E+02",
            "",
            "",
            sp(10) + "    XG1        GAM1",
            sp(10) + "     M        kN/M**3",
            sp(10) + " 0.000E+00   0.180E+02",
            sp(10) + " 0.120E+02   0.190E+02",
            "",
            "",
            sp(7) + "XSTR         C1          PHI1        EE50       SKIN        TIP",
            sp(7) + " M." + " " + "        kN/M**2      DEG.                 kN/M**2" +
                "    kN/M**2",
            sp(3) + " 0.000E+00   0.000E+00   0.320E+02   0.150E+02   0.400E+02   0.000E+00",
            sp(3) + " 0.120E+02   0.000E+00   0.360E+02   0.250E+02   0.600E+02   0.200E+04",
            "",
            "",
            "  ",
            "",
            sp(9) + "  DEPTH" + sp(13) + "AE PILE",
            sp(12) + " M." + sp(16) + "KN.",
            sp(8) + "0.0000E+00" + sp(9) + "0.2000E+07",
            sp(8) + "0.1200E+02" + sp(9) + "0.2000E+07",
        });
    EXPECT_EQ(r.report.substr(0, expected.size()), expected);
    // One layer from 0 to 12: curves at 0, 3, 6, 8.995 and 11.99.
    const RunStore& s = *r.store;
    const float depths[] = {0, 3, 6, 8.995f, 11.99f};
    for (int j = 1; j <= 5; ++j) EXPECT_FLOAT_EQ(s.XC[j], depths[j - 1]) << j;
}

TEST(InputEcho, PlotFileListsAtMostThirtyGeneratedCurves) {
    // Seven clay layers of 100 each: 35 curves in the report, the first 30 in the plot file.
    std::string data = "Seven layers\n50 1 1\n2 \n7\n";
    for (int i = 1; i <= 7; ++i)
        data += std::to_string(i) + " 1 " + std::to_string((i - 1) * 100) + " " +
                std::to_string(i * 100) + "\n";
    for (int i = 1; i <= 14; ++i) data += "0.04 " + std::to_string(5 + i) + " 0.0  0.01 3 0\n";
    data += "2\n1E9 0\n1E9 650\n1E-5 650 12 113.1\n0\n0\n0\n0\n0\n";
    TempDir dir;
    const RunResult r = runText(dir, "seven", data);
    ASSERT_EQ(r.status, 0) << r.report;
    EXPECT_EQ(r.store->NCURV, 35);
    EXPECT_EQ(r.plot.substr(0, 13), "          30\n");
}

TEST(InputEcho, SecondRunInOneProcessGivesTheSameOutput) {
    TempDir dir;
    const RunResult first = runText(dir, "pileA", kUserEnglish);
    runText(dir, "pileC", kGeneratedEnglish);
    const RunResult second = runText(dir, "pileA", kUserEnglish);
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(second.status, 0);
    EXPECT_EQ(second.report, first.report);
    EXPECT_EQ(second.plot, first.plot);
}

// ---------------------------------------------------------------------------------------------
// Problems that stop a run: a status above 0 and a message in the report.

TEST(InputProblems, EachStopsTheRunWithAMessage) {
    struct Case {
        const char* name;
        const char* data;  // a whole file, with `from` replaced by `to`, or cut at `from`
        const char* from;
        const char* to;  // nullptr: the file ends where `from` starts
        std::int32_t status;
        const char* message;
    };
    const Case cases[] = {
        {"truncated", kUserEnglish, "3.25 0.2\r\n", nullptr, kStatusInputTruncated,
         "The data file ends after line 10; the load transfer of point 2 of t-z curve 2 was "
         "expected."},
        {"not a number", kUserEnglish, "1.5 0.1", "1.5 O.1", kStatusInputMalformed,
         "Line 7 of the data file: a number was expected for the movement of point 2 of t-z "
         "curve 1, found \"O.1\"."},
        // Each value of a table row or a record of scalars is named in the message.
        {"load not a number", kUserEnglish, "1000.5", "x1000.5", kStatusInputMalformed,
         "Line 25 of the data file: a number was expected for pile-head load 2, found "
         "\"x1000.5\"."},
        {"factor not a number", kUserEnglish, "120 0.5 2", "120 0.5 z2", kStatusInputMalformed,
         "Line 30 of the data file: a number was expected for the z-multiplier of t-z factor row "
         "2, found \"z2\"."},
        {"property not a number", kGeneratedEnglish, "3.1 150", "3.1 l50", kStatusInputMalformed,
         "Line 10 of the data file: a number was expected for the ultimate tip resistance of soil "
         "property row 4, found \"l50\"."},
        {"stiffness point not a number", kUserEnglish, "2E6 120", "2E6 l20", kStatusInputMalformed,
         "Line 14 of the data file: a number was expected for the depth of axial stiffness point "
         "2, found \"l20\"."},
        {"tip curve point not a number", kUserEnglish, "250 1\r\n", "250 w1\r\n",
         kStatusInputMalformed,
         "Line 18 of the data file: a number was expected for the tip movement of Q-w curve point "
         "3, found \"w1\"."},
        {"scalar not a number", kUserEnglish, "12 113.1", "12 a113.1", kStatusInputMalformed,
         "Line 19 of the data file: a number was expected for the area of the pile tip, found "
         "\"a113.1\"."},
        {"real for a count", kUserEnglish, "1 \r\n2\r\n", "1 \r\n2.5\r\n", kStatusInputMalformed,
         "Line 4 of the data file: an integer was expected for the number of t-z curves, found "
         "\"2.5\"."},
        {"too many curves", kUserEnglish, "1 \r\n2\r\n", "1 \r\n151\r\n", kStatusCountOutOfRange,
         "Line 4 of the data file: the number of t-z curves is 151; it must lie between 1 and "
         "150."},
        {"too many points", kUserEnglish, "1 0 3", "1 0 101", kStatusCountOutOfRange,
         "Line 5 of the data file: the number of points of t-z curve 1 is 101; it must lie "
         "between 1 and 100."},
        {"negative tip movements", kUserEnglish, "2\r\n0.01", "-1\r\n0.01", kStatusCountOutOfRange,
         "Line 20 of the data file: the number of tip movements is -1; it must lie between 0 "
         "and 100."},
        {"too many loads", kUserEnglish, "2\r\n500", "51\r\n500", kStatusCountOutOfRange,
         "Line 23 of the data file: the number of pile-head loads is 51; it must lie between 0 "
         "and 50."},
        {"too many factor rows", kUserEnglish, " 1\r\n2\r\n", " 1\r\n51\r\n",
         kStatusCountOutOfRange,
         "Line 28 of the data file: the number of t-z factor rows is 51; it must lie between 0 "
         "and 50."},
        {"no increments", kUserEnglish, "20 0 1", "0 0 1", kStatusCountOutOfRange,
         "Line 2 of the data file: the number of pile increments is 0; it must lie between 1 "
         "and 1000."},
        {"unit system 3", kUserEnglish, "20 0 1", "20 0 3", kStatusCountOutOfRange,
         "Line 2 of the data file: the unit system is 3; it must be 1 (English) or 2 (SI)."},
        {"soil code 7", kGeneratedEnglish, "2 2  0.2", "2 7  0.2", kStatusBadSoilCode,
         "Line 6 of the data file: soil layer 2 has the soil type code 7; the codes are 1 to "
         "6."},
        {"pile without diameter", kUserEnglish, "1E-5 120 12 113.1", "1E-5 120 0 113.1",
         kStatusBadPileGeometry,
         "Line 19 of the data file: the pile length and the outer diameter must be above 0."},
        {"file ends before the options", kUserEnglish, " 1\r\n0.8 1.25\r\n", nullptr,
         kStatusInputTruncated,
         "The data file ends after line 30; the Q-w modification option was expected."},
        {"empty file", "", "", "", kStatusInputTruncated,
         "The data file ends after line 0; the title line was expected."},
    };
    for (const Case& c : cases) {
        std::string data = c.data;
        if (*c.from != '\0') {
            const std::size_t at = data.find(c.from);
            ASSERT_NE(at, std::string::npos) << c.name;
            if (c.to == nullptr)
                data.resize(at);
            else
                data.replace(at, std::string(c.from).size(), c.to);
        }
        TempDir dir;
        const RunResult r = runText(dir, "bad", data);
        EXPECT_EQ(r.status, c.status) << c.name;
        // The report ends with the error block.
        const std::string block =
            lines({"", sp(29) + "**** ERROR ****", sp(5) + c.message,
                   sp(5) + "THE RUN IS STOPPED WITH STATUS " + std::to_string(c.status) + "."});
        ASSERT_GE(r.report.size(), block.size()) << c.name;
        EXPECT_EQ(r.report.substr(r.report.size() - block.size()), block) << c.name;
    }
}

TEST(InputProblems, MessageAlsoGoesToStandardError) {
    TempDir dir;
    testing::internal::CaptureStderr();
    const RunResult r = runText(dir, "bad", "Title\n20 0 1\nx\n");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(r.status, kStatusInputMalformed);
    EXPECT_NE(err.find("Line 3 of the data file: an integer was expected for the curve mode, "
                       "found \"x\"."),
              std::string::npos)
        << err;
}

TEST(InputProblems, MissingDataFile) {
    TempDir dir;
    const RunPaths paths = pathsIn(dir, "absent");
    const RunResult r = runPaths(paths);
    EXPECT_EQ(r.status, kStatusCannotOpenInput);
    EXPECT_NE(r.report.find("The data file \"" + paths.dataFile + "\" cannot be opened."),
              std::string::npos);
    // The plot file is still replaced, so no earlier results stay under this name.
    EXPECT_TRUE(std::filesystem::exists(paths.plotFile));
    EXPECT_EQ(r.plot, "");
}

TEST(InputProblems, OutputFilesThatCannotBeCreated) {
    TempDir dir;
    RunPaths paths = pathsIn(dir, "pileA");
    writeFile(paths.dataFile, kUserEnglish);

    RunPaths noReport = paths;
    noReport.reportFile = dir.file("missing-folder/pileA.kd3o");
    EXPECT_EQ(runPaths(noReport).status, kStatusCannotCreateOutput);

    RunPaths noPlot = paths;
    noPlot.plotFile = dir.file("missing-folder/pileA.kd3p");
    const RunResult r = runPaths(noPlot);
    EXPECT_EQ(r.status, kStatusCannotCreateOutput);
    EXPECT_NE(r.report.find("The file \"" + noPlot.plotFile + "\" cannot be created."),
              std::string::npos);
}

}  // namespace
}  // namespace keldar
