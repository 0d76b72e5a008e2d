#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "IncrementTable.h"
#include "PileLookups.h"
#include "SolverFixtures.h"

namespace keldar {
namespace {

using namespace keldar::testing;

struct Probe {
    float at;
    float expected;
};

TEST(PileLookups, TipLoadInterpolatesAndHoldsTheLastLoad) {
    freshEnglishRun();
    setTipCurve({{0.0f, 0.0f}, {100.0f, 0.1f}, {300.0f, 0.5f}});
    for (const Probe& p : {Probe{0.0f, 0.0f}, Probe{-0.1f, 0.0f}, Probe{0.05f, 50.0f},
                           Probe{0.1f, 100.0f}, Probe{0.3f, 200.0f}, Probe{5.0f, 300.0f}}) {
        EXPECT_FLOAT_EQ(tipLoadAt(p.at), p.expected) << "w = " << p.at;
    }
    runStore().NQW = 0;
    EXPECT_EQ(tipLoadAt(0.2f), 0.0f);
}

TEST(PileLookups, CurveReadingInterpolatesAndHoldsTheLastValue) {
    freshEnglishRun();
    addCurve(0.0f, {{0.0f, 0.0f}, {2.0f, 0.1f}, {3.0f, 0.3f}});
    for (const Probe& p : {Probe{0.05f, 1.0f}, Probe{0.1f, 2.0f}, Probe{0.2f, 2.5f},
                           Probe{1.0f, 3.0f}, Probe{0.0f, 0.0f}}) {
        EXPECT_FLOAT_EQ(curveTransferAt(1, p.at), p.expected) << "z = " << p.at;
    }
}

TEST(PileLookups, StiffnessStepAndEnds) {
    freshEnglishRun();
    RunStore& s = runStore();
    // A step at depth 5: 100 above it, 50 below.
    s.NAE = 4;
    const float depths[] = {0.0f, 0.0f, 5.0f, 5.0f, 10.0f};
    const float values[] = {0.0f, 200.0f, 100.0f, 50.0f, 30.0f};
    std::memcpy(s.XAE, depths, sizeof depths);
    std::memcpy(s.AE, values, sizeof values);
    for (const Probe& p :
         {Probe{2.5f, 150.0f}, Probe{4.9f, 102.0f}, Probe{5.0f, 100.0f}, Probe{5.5f, 48.0f},
          Probe{7.5f, 40.0f}, Probe{-1.0f, 200.0f}, Probe{12.0f, 30.0f}}) {
        EXPECT_FLOAT_EQ(axialStiffnessAt(p.at), p.expected) << "x = " << p.at;
    }
    s.NAE = 1;  // one point: constant
    EXPECT_EQ(axialStiffnessAt(7.0f), 200.0f);
    s.NAE = 2;  // a step at the very first depth, probed exactly there
    s.XAE[2] = 0.0f;
    EXPECT_EQ(axialStiffnessAt(0.0f), 200.0f);
}

TEST(PileLookups, SoilSettlementRepeatedDepthTakesTheMean) {
    freshEnglishRun();
    setSettlementProfile({{0.0f, 2.0f}, {5.0f, 1.0f}, {5.0f, 0.5f}, {10.0f, 0.0f}});
    for (const Probe& p :
         {Probe{5.0f, 0.75f}, Probe{2.5f, 1.5f}, Probe{0.0f, 2.0f}, Probe{7.5f, 0.25f},
          Probe{10.0f, 0.0f}, Probe{-1.0f, 0.0f}, Probe{11.0f, 0.0f}}) {
        EXPECT_FLOAT_EQ(soilSettlementAt(p.at), p.expected) << "x = " << p.at;
    }
    setSettlementProfile({{3.0f, 0.4f}});
    EXPECT_EQ(soilSettlementAt(3.0f), 0.4f);
    EXPECT_EQ(soilSettlementAt(3.5f), 0.0f);
    setSettlementProfile({});
    EXPECT_EQ(soilSettlementAt(3.0f), 0.0f);
}

// The lookup rule written out plainly: first curve at or below the depth, read each curve point
// by point, interpolate in depth between the curve above and that one.
float readCurvePlainly(int j, float z) {
    const RunStore& s = runStore();
    for (int k = 1; k <= s.NPTC[j]; ++k) {
        if (s.ZC[j][k] >= z) {
            if (k == 1 || s.ZC[j][k] == z) return s.TC[j][k];
            return s.TC[j][k - 1] + (z - s.ZC[j][k - 1]) * (s.TC[j][k] - s.TC[j][k - 1]) /
                                        (s.ZC[j][k] - s.ZC[j][k - 1]);
        }
    }
    return s.TC[j][s.NPTC[j]];
}

float transferPlainly(float x, float z) {
    const RunStore& s = runStore();
    int j = 1;
    while (j <= s.NCURV && s.XC[j] < x) ++j;
    if (j > s.NCURV) return readCurvePlainly(s.NCURV, z);
    if (s.XC[j] == x) return readCurvePlainly(j, z);
    if (j == 1) return 0.0f;  // above the first curve
    const float above = readCurvePlainly(j - 1, z);
    const float below = readCurvePlainly(j, z);
    return above + (x - s.XC[j - 1]) * (below - above) / (s.XC[j] - s.XC[j - 1]);
}

// Curves of 10, 60 and 100 points, one with movements that go back, at uneven depths that
// include a depth hit exactly by increment middles.
void fillVariedCurves(std::mt19937& random) {
    std::uniform_real_distribution<float> step(0.001f, 0.05f);
    std::uniform_real_distribution<float> value(0.0f, 20.0f);
    const float depths[] = {4.0f, 12.5f, 12.75f, 30.0f, 47.0f, 90.0f};
    const int sizes[] = {10, 60, 100, 100, 30, 10};
    for (int c = 0; c < 6; ++c) {
        addCurve(depths[c], {{0.0f, 0.0f}});
        RunStore& s = runStore();
        const int j = s.NCURV;
        float z = 0.0f;
        for (int k = 2; k <= sizes[c]; ++k) {
            z += step(random);
            s.ZC[j][k] = (c == 3 && k % 7 == 0) ? z - 0.2f : z;  // curve 4 is not ordered
            s.TC[j][k] = value(random);
        }
        s.NPTC[j] = sizes[c];
    }
}

TEST(IncrementTable, TransferMatchesThePlainRuleBitForBit) {
    std::mt19937 random(20140304);
    std::uniform_real_distribution<float> movement(-0.5f, 6.0f);
    std::uniform_real_distribution<float> nudge(-0.02f, 0.02f);
    for (int increments : {7, 40, 100, 500}) {
        RunStore& s = freshEnglishRun();
        setPile(100.0f, 1.0f, increments, 1e-5f);
        setConstantStiffness(1e6f);
        fillVariedCurves(random);
        IncrementTable table;
        float badDepth = 0.0f;
        ASSERT_EQ(prepareIncrementTable(table, badDepth), kStatusOk);
        CurveHints hints;  // carried on from increment to increment, as in the march
        for (int i = 1; i <= s.NINC; ++i) {
            for (int trial = 0; trial < 40; ++trial) {
                // Mix random movements with exact curve points.
                const int j = 1 + trial % s.NCURV;
                // Exact curve points, small moves from the last movement and jumps.
                static float z = 0.0f;
                if (trial % 3 == 0)
                    z = s.ZC[j][1 + trial % s.NPTC[j]];
                else if (trial % 3 == 1)
                    z += nudge(random);
                else
                    z = movement(random);
                const float plain = transferPlainly(table.midDepth[i], z);
                const float fast = transferAtIncrement(table, i, z, hints);
                ASSERT_EQ(std::memcmp(&plain, &fast, sizeof plain), 0)
                    << "NINC " << increments << " increment " << i << " z " << z << ": " << plain
                    << " vs " << fast;
            }
        }
    }
}

TEST(IncrementTable, DepthsComeFromTheNodeIndex) {
    freshEnglishRun();
    setPile(30.1f, 1.0f, 7, 1e-5f);
    setConstantStiffness(1e6f);
    IncrementTable table;
    float badDepth = 0.0f;
    ASSERT_EQ(prepareIncrementTable(table, badDepth), kStatusOk);
    EXPECT_EQ(table.nodeDepth[1], 30.1f);
    EXPECT_EQ(table.nodeDepth[8], 0.0f);
    EXPECT_FALSE(std::signbit(table.nodeDepth[8]));
    EXPECT_FLOAT_EQ(table.midDepth[1], 30.1f - 0.5f * 30.1f / 7.0f);
    EXPECT_FLOAT_EQ(table.midDepth[7], 0.5f * 30.1f / 7.0f);
}

TEST(IncrementTable, StiffnessNotAboveZeroIsRefused) {
    freshEnglishRun();
    setPile(10.0f, 1.0f, 4, 1e-5f);
    RunStore& s = runStore();
    s.NAE = 2;
    s.XAE[1] = 0.0f;
    s.AE[1] = 100.0f;
    s.XAE[2] = 10.0f;
    s.AE[2] = -100.0f;  // zero at 5 m, negative below
    IncrementTable table;
    float badDepth = 0.0f;
    EXPECT_EQ(prepareIncrementTable(table, badDepth), kStatusBadStiffness);
    EXPECT_FLOAT_EQ(badDepth, 8.75f);  // the first middle from the tip
    s.NAE = 0;
    EXPECT_EQ(prepareIncrementTable(table, badDepth), kStatusBadStiffness);
}

}  // namespace
}  // namespace keldar
