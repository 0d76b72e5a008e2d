#include <gtest/gtest.h>

#include <array>
#include <string>

#include "CurveGeneration.h"
#include "CurveTestProfile.h"
#include "TipCurve.h"

namespace keldar {
namespace {

using test::reportText;
using test::setPile;
using test::setProfile;
using test::tolerance;

using Points = std::array<double, 10>;

void expectTipCurve(const Points& q, const Points& w) {
    const RunStore& s = runStore();
    ASSERT_EQ(s.NQW, 10);
    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        EXPECT_NEAR(s.QTIP[k], q[k - 1], tolerance(q[k - 1]));
        EXPECT_NEAR(s.WTIP[k], w[k - 1], tolerance(w[k - 1]));
    }
}

// One layer from 0 to 200 (inches or metres) of the given code with uniform properties.
void uniformLayer(int iunit, int code, const test::Row& row) {
    setProfile(iunit, {{code, 0.0f, 200.0f}}, {row, row});
}

TEST(TipMethod, TheLayerHoldingTheTipOrElseTheLast) {
    struct Case {
        float plen;
        TSoilCode code;
    };
    const Case cases[] = {{3.0f, scReeseONeillClay},
                          {5.0f, scReeseONeillClay},
                          {5.01f, scApiSand},
                          {10.0f, scApiSand},
                          {12.0f, scApiSand}};
    for (const Case& c : cases) {
        setProfile(1, {{scReeseONeillClay, 0.0f, 5.0f}, {scApiSand, 5.0f, 10.0f}}, {});
        runStore().PLEN = c.plen;
        EXPECT_EQ(tipSoilCode(), c.code) << c.plen;
    }
    // No layers, or a tip layer whose number names no method: no tip method.
    clearRunStore();
    EXPECT_EQ(tipSoilCode(), std::nullopt);
    setProfile(1, {{scReeseONeillClay, 0.0f, 5.0f}, {7, 5.0f, 10.0f}}, {});
    runStore().PLEN = 8.0f;
    EXPECT_EQ(tipSoilCode(), std::nullopt);
}

TEST(TipLoad, BearingFactorFromTheFrictionAngle) {
    // Nq = exp(3.1416 tan phi) tan^2(45 + phi / 2): phi 30 gives exp(1.813799) x 3 = 18.4015.
    // With pi = 3.1416, 45 degrees is 1.84e-6 rad past pi / 4: tan^2 = 1 + 4 x 1.84e-6.
    EXPECT_NEAR(bearingFactorNq(0.0f), 1.0000073, 1e-6);
    EXPECT_NEAR(bearingFactorNq(30.0f), 18.401503, tolerance(18.401503) * 4);
    EXPECT_NEAR(bearingFactorNq(35.0f), 33.296900, tolerance(33.2969) * 4);
}

struct TipLoadCase {
    const char* name;
    TSoilCode code;
    float tip;
    double qult;
};

TEST(TipLoad, ComputedUnlessATipResistanceIsGivenAboveTheThreshold) {
    // Clay: cu = 10, ATIP = 100 gives 9 x 10 x 100 = 9000; a given TIP counts above 0.00001.
    // Sand: PLEN 100 x gamma 0.06 x Nq(30) 18.4015 = 110.409, x ATIP 113.1 = 12487.26; a given TIP
    // counts above 0.0001.
    const TipLoadCase cases[] = {
        {"clay, no TIP", scCoyleReeseClay, 0.0f, 9000.0},
        {"clay, TIP 0.00001 is not above the threshold", scReeseONeillClay, 0.00001f, 9000.0},
        {"clay, TIP 0.0001", scApiClay, 0.0001f, 0.0001 * 100.0},
        {"clay, TIP 5", scCoyleReeseClay, 5.0f, 500.0},
        {"sand, no TIP", scMosherSand, 0.0f, 12487.26},
        {"sand, TIP 0.00005 is a clay resistance but not a sand one", scReeseONeillSand, 0.00005f,
         12487.26},
        {"sand, TIP 0.0001 is not above the threshold", scApiSand, 0.0001f, 12487.26},
        {"sand, TIP 0.0002", scMosherSand, 0.0002f, 0.0002 * 113.1},
    };
    for (const TipLoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const bool clay = SoilKindOf(c.code) == skClay;
        const test::Row row{0.06f, clay ? 10.0f : 0.0f, clay ? 0.0f : 30.0f, 0.01f, 1.0f, c.tip};
        setProfile(1, {{c.code, 0.0f, 100.0f}}, {row, row});
        setPile(100.0f, 12.0f, clay ? 100.0f : 113.1f);
        std::int32_t status = 0;
        EXPECT_NEAR(ultimateTipLoad(c.code, status), c.qult, 2e-6 * c.qult);
        EXPECT_EQ(status, 0);
    }
}

TEST(TipCurve, CoyleReeseParabolaEnglish) {
    // Qult = 9 x 10 x 100 = 9000; wmax = 8 x 0.01 x 12 in = 0.96 in; w = (k-1)/8 wmax and
    // Q = Qult sqrt((k-1)/8), then (10 wmax, Qult).
    uniformLayer(1, 1, {0.06f, 10.0f, 0.0f, 0.01f, 1.0f, 0.0f});
    setPile(10.0f, 12.0f, 100.0f);
    std::int32_t status = 0;
    buildTipCurve(status);
    EXPECT_EQ(status, 0);
    expectTipCurve(
        {0, 3181.9805, 4500, 5511.3519, 6363.961, 7115.1247, 7794.2286, 8418.7291, 9000, 9000},
        {0, 0.12, 0.24, 0.36, 0.48, 0.6, 0.72, 0.84, 0.96, 9.6});
}

TEST(TipCurve, CoyleReeseParabolaSi) {
    // D = 0.3 m = 11.811 in; wmax = 8 x 0.02 x 11.811 = 1.88976 in = 0.048 m.
    // Qult = 9 x 50 kPa x 0.0707 m^2 = 31.815 kN.
    uniformLayer(2, 1, {8.0f, 50.0f, 0.0f, 0.02f, 20.0f, 0.0f});
    setPile(6.0f, 0.3f, 0.0707f);
    std::int32_t status = 0;
    buildTipCurve(status);
    EXPECT_EQ(status, 0);
    expectTipCurve({0, 11.248301, 15.9075, 19.482629, 22.496602, 25.151966, 27.552598, 29.760207,
                    31.815, 31.815},
                   {0, 0.006, 0.012, 0.018, 0.024, 0.03, 0.036, 0.042, 0.048, 0.48});
}

TEST(TipCurve, CoyleReeseWithoutE50IsRejected) {
    for (const float e50 : {0.0f, -0.01f}) {
        SCOPED_TRACE(e50);
        uniformLayer(1, 1, {0.06f, 10.0f, 0.0f, e50, 1.0f, 0.0f});
        setPile(150.0f, 12.0f, 100.0f);
        std::int32_t status = 0;
        buildTipCurve(status);
        EXPECT_EQ(status, kStatusTipCurveUndefined);
        EXPECT_EQ(runStore().NQW, 0);
        EXPECT_EQ(reportText(),
                  "\n                             **** WARNING ****\n"
                  "     AT THE PILE TIP X = 0.15E+03\n"
                  "     E50 IS NOT ABOVE ZERO: NO COYLE & REESE TIP CURVE\n");
    }
}

TEST(TipCurve, MosherPowerLawIsNotCappedForA12InchPile) {
    // wr = 0.05 x 12 = 0.6 in; deepest curve phi 30: n = 0.5; Qult = 50 psi x 113.1 = 5655.
    // Q = 5655 (w / 0.6)^0.5: 1.118 Qult at 0.75 in and 1.291 Qult at 1.0 in.
    uniformLayer(1, 2, {0.06f, 0.0f, 30.0f, 0.0f, 1.0f, 50.0f});
    setPile(100.0f, 12.0f, 113.1f);
    runStore().PHIC[5] = 30.0f;
    std::int32_t status = 0;
    buildTipCurve(status);
    EXPECT_EQ(status, 0);
    expectTipCurve({0, 73.0057, 516.2285, 730.0574, 1632.4579, 2308.6441, 3264.9158, 5162.2851,
                    6322.4822, 7300.5736},
                   {0, 0.0001, 0.005, 0.01, 0.05, 0.1, 0.2, 0.5, 0.75, 1.0});
    EXPECT_GT(runStore().QTIP[9], 5655.0f);
}

TEST(TipCurve, MosherExponentFromTheDeepestCurve) {
    struct Case {
        float phi;
        double lastRatio;  // (1.0 / 0.6)^n
    };
    const Case cases[] = {
        {31.0f, 1.2909944}, {31.5f, 1.1854292}, {38.0f, 1.1854292}, {38.5f, 1.1362194}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.phi);
        // SI, D = 0.3048 m = 12 in: the same wr, movements stored in metres.
        uniformLayer(2, 2, {9.0f, 0.0f, 30.0f, 0.0f, 1.0f, 1000.0f});
        setPile(10.0f, 0.3048f, 0.073f);
        runStore().PHIC[1] = 45.0f;  // only the deepest curve counts
        runStore().PHIC[5] = c.phi;
        std::int32_t status = 0;
        buildTipCurve(status);
        EXPECT_EQ(status, 0);
        EXPECT_NEAR(runStore().QTIP[10], 73.0 * c.lastRatio, 4e-6 * 73.0);
        EXPECT_NEAR(runStore().WTIP[10], 0.0254, tolerance(0.0254));
        EXPECT_NEAR(runStore().WTIP[2], 0.00000254, tolerance(0.00000254));
    }
}

struct TableShapeCase {
    const char* name;
    int code;
    int iunit;
    float diam;
    float atip;
    test::Row row;
    Points q;
    Points w;
};

TEST(TipCurve, TabulatedShapesInFractionsOfTheDiameter) {
    // clang-format off
    const TableShapeCase cases[] = {
        {"Reese & O'Neill clay: Qult = 9 x 2 x 500 = 9000, D = 36 in", 3, 1, 36.0f, 500.0f,
         {0.06f, 2.0f, 0.0f, 0.01f, 1.0f, 0.0f},
         {0, 3555, 5040, 6300, 7785, 8100, 8550, 8730, 8820, 8910},
         {0, 0.18, 0.36, 0.54, 0.9, 1.08, 1.44, 1.8, 2.52, 3.6}},
        {"Reese & O'Neill sand, SI: TIP 1000 x 0.5 = 500 kN, 1.46 Qult at 0.1 D", 4, 2, 0.9f, 0.5f,
         {9.0f, 0.0f, 30.0f, 0.0f, 10.0f, 1000.0f},
         {0, 100, 172.5, 242.5, 320, 365, 415, 507.5, 597.5, 730},
         {0, 0.0045, 0.009, 0.0135, 0.0225, 0.027, 0.036, 0.045, 0.063, 0.09}},
        {"API clay: Qult = 9 x 4 x 100 = 3600, D = 24 in", 5, 1, 24.0f, 100.0f,
         {0.06f, 4.0f, 0.0f, 0.01f, 1.0f, 0.0f},
         {0, 225, 450, 900, 1800, 2700, 3240, 3600, 3600, 3600},
         {0, 0.012, 0.024, 0.048, 0.312, 1.008, 1.752, 2.4, 3.6, 4.8}},
        {"API sand: TIP 40 x 100 = 4000, D = 24 in", 6, 1, 24.0f, 100.0f,
         {0.06f, 0.0f, 35.0f, 0.0f, 1.0f, 40.0f},
         {0, 250, 500, 1000, 2000, 3000, 3600, 4000, 4000, 4000},
         {0, 0.012, 0.024, 0.048, 0.312, 1.008, 1.752, 2.4, 3.6, 4.8}},
    };
    // clang-format on
    for (const TableShapeCase& c : cases) {
        SCOPED_TRACE(c.name);
        uniformLayer(c.iunit, c.code, c.row);
        setPile(10.0f, c.diam, c.atip);
        std::int32_t status = 0;
        buildTipCurve(status);
        EXPECT_EQ(status, 0);
        expectTipCurve(c.q, c.w);
    }
}

TEST(TipCurve, APileLongerThanTheProfileStopsWith5InClayAnd8InSand) {
    const std::string strength = test::extentWarning(" 0.25E+02", "THE INPUT STRENGTH CURVE");
    for (int code = 1; code <= 6; ++code) {
        SCOPED_TRACE(code);
        setProfile(1, {{1, 0.0f, 10.0f}, {code, 10.0f, 20.0f}},
                   {{0.06f, 10.0f, 0.0f, 0.01f, 1.0f, 0.0f},
                    {0.06f, 10.0f, 0.0f, 0.01f, 1.0f, 0.0f},
                    {0.06f, 10.0f, 30.0f, 0.01f, 1.0f, 0.0f},
                    {0.06f, 10.0f, 30.0f, 0.01f, 1.0f, 0.0f}});
        setPile(25.0f, 12.0f, 113.1f);
        std::int32_t status = 0;
        buildTipCurve(status);
        EXPECT_EQ(status, IsClayCode(code) ? 5 : 8);
        EXPECT_EQ(reportText(), strength);
        EXPECT_EQ(runStore().NQW, 0);
    }
}

TEST(TipCurve, UnknownCodeAtTheTipBuildsNothing) {
    uniformLayer(1, 9, {0.06f, 10.0f, 30.0f, 0.01f, 1.0f, 0.0f});
    setPile(10.0f, 12.0f, 113.1f);
    std::int32_t status = 0;
    buildTipCurve(status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(runStore().NQW, 0);
    EXPECT_EQ(reportText(), "");
}

}  // namespace
}  // namespace keldar
