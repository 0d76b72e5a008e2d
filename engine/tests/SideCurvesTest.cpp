#include <gtest/gtest.h>

#include <array>

#include "CurveGeneration.h"
#include "CurveTestProfile.h"
#include "SideCurves.h"

namespace keldar {
namespace {

using test::reportText;
using test::setProfile;
using test::tolerance;

using Points = std::array<double, 10>;

struct ShapeCase {
    const char* name;
    TSoilCode code;
    int iunit;
    float diam;
    float skin;  // SKINC of the curve
    float phi;   // PHIC of the curve
    Points t;
    Points z;
};

void expectCurve(int j, const Points& t, const Points& z) {
    const RunStore& s = runStore();
    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        EXPECT_NEAR(s.TC[j][k], t[k - 1], tolerance(t[k - 1]));
        EXPECT_NEAR(s.ZC[j][k], z[k - 1], tolerance(z[k - 1]));
    }
}

// Mosher, English, phi 30: Es = 6000 + 2 x 1333.3 = 8666.6 lb/ft^2/in, E = Es / 144 = 60.1847
// psi/in; tmax 5 psi; t = z / (1 / E + z / 5), e.g. 0.01 / (0.0166155 + 0.002) = 0.537186.
constexpr Points kMosherT{0.0,      0.537186, 0.970143, 1.624992, 2.096765,
                          2.452821, 2.954536, 3.291131, 4.287594, 4.958803};

// clang-format off
const ShapeCase kShapes[] = {
    {"Coyle & Reese clay, English: t = 10 psi x ratio, z in inches",
     scCoyleReeseClay, 1, 12.0f, 10.0f, 0.0f,
     {0, 1.8, 3.8, 7.9, 9.7, 10.0, 9.7, 9.3, 9.3, 9.3},
     {0, 0.01, 0.02, 0.04, 0.06, 0.08, 0.12, 0.16, 0.5, 10.0}},
    {"Coyle & Reese clay, SI: z x 0.0254, last point at 0.254 m",
     scCoyleReeseClay, 2, 0.3f, 50.0f, 0.0f,
     {0, 9.0, 19.0, 39.5, 48.5, 50.0, 48.5, 46.5, 46.5, 46.5},
     {0, 0.000254, 0.000508, 0.001016, 0.001524, 0.002032, 0.003048, 0.004064, 0.0127, 0.254}},
    {"Mosher sand, English", scMosherSand, 1, 12.0f, 5.0f, 30.0f, kMosherT,
     {0, 0.01, 0.02, 0.04, 0.06, 0.08, 0.12, 0.16, 0.5, 10.0}},
    {"Reese & O'Neill clay, English: z = 24 in x fraction", scReeseONeillClay, 1, 24.0f, 8.0f, 0.0f,
     {0, 4.08, 5.76, 7.2, 7.4, 7.56, 7.64, 7.4, 7.2, 6.68},
     {0, 0.024, 0.048, 0.072, 0.12, 0.144, 0.192, 0.288, 0.384, 2.4}},
    {"Reese & O'Neill sand, SI: z = 0.6 m x fraction, no conversion",
     scReeseONeillSand, 2, 0.6f, 60.0f, 33.0f,
     {0, 20.1, 34.8, 43.2, 51.6, 54.6, 57.0, 57.9, 57.6, 57.0},
     {0, 0.0006, 0.0012, 0.0018, 0.003, 0.0036, 0.0048, 0.0072, 0.0096, 0.06}},
    {"API clay, English: z = 12 in x fraction", scApiClay, 1, 12.0f, 5.0f, 0.0f,
     {0, 1.5, 2.5, 3.75, 4.5, 5.0, 4.5, 4.5, 4.5, 4.5},
     {0, 0.0192, 0.0372, 0.0684, 0.096, 0.12, 0.24, 0.36, 0.6, 2.4}},
    {"API sand, SI: inches x 0.0254", scApiSand, 2, 0.6f, 20.0f, 35.0f,
     {0, 2.0, 4.0, 8.0, 12.0, 16.0, 18.0, 20.0, 20.0, 20.0},
     {0, 0.000254, 0.000508, 0.001016, 0.001524, 0.002032, 0.002286, 0.00254, 0.0127, 0.0508}},
};
// clang-format on

TEST(TzShapes, EveryMethodFromItsTable) {
    for (const ShapeCase& c : kShapes) {
        SCOPED_TRACE(c.name);
        clearRunStore();
        RunStore& s = runStore();
        s.IUNIT = c.iunit;
        s.DIAM = c.diam;
        s.SKINC[3] = c.skin;
        s.PHIC[3] = c.phi;
        buildTzCurve(c.code, 3);
        expectCurve(3, c.t, c.z);
    }
}

TEST(TzShapes, MosherInSiGoesThroughPoundsPerSquareFoot) {
    // phi 36: Es = 14000 + 1333.3 = 15333.3; tmax = 40 kPa x 20.88 = 835.2 lb/ft^2;
    // t = z / (1 / 15333.3 + z / 835.2) / 20.88 with z in inches, stored z x 0.0254.
    clearRunStore();
    RunStore& s = runStore();
    s.IUNIT = 2;
    s.SKINC[1] = 40.0f;
    s.PHIC[1] = 36.0f;
    buildTzCurve(scMosherSand, 1);
    EXPECT_EQ(s.TC[1][1], 0.0f);
    EXPECT_EQ(s.ZC[1][1], 0.0f);
    EXPECT_NEAR(s.TC[1][2], 6.204467, tolerance(6.204467));
    EXPECT_NEAR(s.ZC[1][2], 0.000254, tolerance(0.000254));
    EXPECT_NEAR(s.TC[1][9], 36.070502, tolerance(36.070502));
    EXPECT_NEAR(s.TC[1][10], 39.783302, tolerance(39.783302));
    EXPECT_NEAR(s.ZC[1][10], 0.254, tolerance(0.254));
}

TEST(TzShapes, MosherModulusRangesAndTheStepAt34) {
    struct Case {
        float phi;
        double es;
    };
    const Case cases[] = {
        {20.0f, 6000.0},   {28.0f, 6000.0},  {29.5f, 7999.95},  // 6000 + 1.5 x 1333.3
        {31.0f, 9999.9},   {31.5f, 10000.0}, {32.0f, 10000.0},
        {34.0f, 12666.6},   // 10000 + 2 x 1333.3 ...
        {34.01f, 14000.0},  // ... and a step just above
        {35.0f, 14000.0},  {38.0f, 17999.9}, {38.5f, 18000.0},
        {60.0f, 18000.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(mosherModulus(c.phi), c.es, 2e-3) << c.phi;
    }
}

TEST(TzShapes, NoSideFrictionGivesZeroLoadTransfer) {
    for (const TSoilCode code : {scCoyleReeseClay, scMosherSand, scReeseONeillClay,
                                 scReeseONeillSand, scApiClay, scApiSand}) {
        SCOPED_TRACE(code);
        clearRunStore();
        RunStore& s = runStore();
        s.IUNIT = 1;
        s.DIAM = 12.0f;
        s.PHIC[1] = 30.0f;
        s.TC[1][4] = 99.0f;  // anything left over is overwritten
        buildTzCurve(code, 1);
        for (int k = 1; k <= 10; ++k) EXPECT_EQ(s.TC[1][k], 0.0f) << k;
        EXPECT_GT(s.ZC[1][10], 0.0f);
    }
}

TEST(SideCurves, ANumberThatNamesNoMethodGivesCurvesOfZero) {
    for (const int number : {0, 7, -1}) {
        SCOPED_TRACE(number);
        setProfile(
            1, {{number, 0.0f, 10.0f}},
            {{0.06f, 10.0f, 0.0f, 0.01f, 2.0f, 0.0f}, {0.06f, 20.0f, 0.0f, 0.01f, 4.0f, 0.0f}});
        RunStore& s = runStore();
        s.TC[2][4] = 99.0f;
        s.ZC[2][4] = 99.0f;
        std::int32_t status = 0;
        buildSideCurves(status);
        EXPECT_EQ(status, 0);
        for (int j = 1; j <= 5; ++j) {
            EXPECT_EQ(s.NPTC[j], 10);
            for (int k = 1; k <= 10; ++k) {
                EXPECT_EQ(s.TC[j][k], 0.0f) << j << "," << k;
                EXPECT_EQ(s.ZC[j][k], 0.0f) << j << "," << k;
            }
        }
    }
}

TEST(SideCurves, OneLayerTakesThePropertiesAtEveryCurveDepth) {
    // Clay 0-10 in, side friction 2 at the top and 4 at the bottom: curves at 0, 2.5, 5, 7.495,
    // 9.99 with tmax = 2 + 0.2 x depth.
    setProfile(1, {{1, 0.0f, 10.0f}},
               {{0.06f, 10.0f, 0.0f, 0.01f, 2.0f, 0.0f}, {0.06f, 20.0f, 0.0f, 0.01f, 4.0f, 0.0f}});
    std::int32_t status = 0;
    buildSideCurves(status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(reportText(), "");
    const RunStore& s = runStore();
    const double depth[] = {0.0, 2.5, 5.0, 7.495, 9.99};
    for (int j = 1; j <= 5; ++j) {
        SCOPED_TRACE(j);
        const double tmax = 2.0 + 0.2 * depth[j - 1];
        EXPECT_NEAR(s.XC[j], depth[j - 1], 1e-5);
        EXPECT_NEAR(s.SKINC[j], tmax, 1e-5);
        EXPECT_EQ(s.PHIC[j], 0.0f);
        EXPECT_EQ(s.CURVNO[j], j);
        EXPECT_EQ(s.NPTC[j], 10);
        // Coyle & Reese: 0.79 tmax at 0.04 in, 0.93 tmax from 0.16 in on.
        EXPECT_NEAR(s.TC[j][4], 0.79 * tmax, 1e-5);
        EXPECT_NEAR(s.TC[j][10], 0.93 * tmax, 1e-5);
        EXPECT_FLOAT_EQ(s.ZC[j][10], 10.0f);
    }
}

TEST(SideCurves, TheCurveAtALayerBoundaryBelongsToTheLowerLayer) {
    // Clay 0-5 (tmax 1 to 2), sand 5-10 (tmax 3 to 4, phi 32 to 36). Curve 6 at depth 5 is the
    // first Mosher curve with tmax 3 and phi 32, so Es = 10000 and E = 69.444 psi/in.
    setProfile(1, {{1, 0.0f, 5.0f}, {2, 5.0f, 10.0f}},
               {{0.06f, 10.0f, 0.0f, 0.01f, 1.0f, 0.0f},
                {0.06f, 10.0f, 0.0f, 0.01f, 2.0f, 0.0f},
                {0.07f, 0.0f, 32.0f, 0.0f, 3.0f, 0.0f},
                {0.07f, 0.0f, 36.0f, 0.0f, 4.0f, 0.0f}});
    std::int32_t status = 0;
    buildSideCurves(status);
    EXPECT_EQ(status, 0);
    const RunStore& s = runStore();
    EXPECT_FLOAT_EQ(s.SKINC[5], 1.998f);  // 4.99 in layer 1
    EXPECT_FLOAT_EQ(s.SKINC[6], 3.0f);
    EXPECT_FLOAT_EQ(s.PHIC[6], 32.0f);
    // t = 0.01 / (1 / 69.444 + 0.01 / 3) = 0.01 / 0.0177333 = 0.563910.
    EXPECT_NEAR(s.TC[6][2], 0.563910, 1e-6);
    EXPECT_EQ(s.NCURV, 10);
    EXPECT_EQ(s.CURVNO[10], 10);
}

TEST(SideCurves, ACurveBelowTheDataStopsWithStatus6AndKeepsTheCurvesBefore) {
    setProfile(1, {{5, 0.0f, 10.0f}},
               {{0.06f, 10.0f, 0.0f, 0.01f, 2.0f, 0.0f}, {0.06f, 20.0f, 0.0f, 0.01f, 4.0f, 0.0f}});
    RunStore& s = runStore();
    s.DIAM = 12.0f;
    s.XC[3] = 12.0f;  // inconsistent layer data
    std::int32_t status = 0;
    buildSideCurves(status);
    EXPECT_EQ(status, 6);
    EXPECT_EQ(reportText(), "           2   0.1000000E+02\n" +
                                test::extentWarning(" 0.12E+02", "THE INPUT STRENGTH CURVE"));
    EXPECT_EQ(s.CURVNO[2], 2);
    EXPECT_NEAR(s.TC[2][6], 2.5, 1e-6);  // API clay: tmax at 0.01 D
    EXPECT_EQ(s.CURVNO[3], 0);
    EXPECT_EQ(s.NPTC[4], 0);
    EXPECT_EQ(s.TC[4][6], 0.0f);
}

}  // namespace
}  // namespace keldar
