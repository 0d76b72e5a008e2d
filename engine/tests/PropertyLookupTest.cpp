#include <gtest/gtest.h>

#include "CurveTestProfile.h"
#include "PropertyLookup.h"

namespace keldar {
namespace {

using test::reportText;
using test::setProfile;

// Two clay layers 0-5 and 5-10 (inches); rows at 0, 5 (layer 1) and 5, 10 (layer 2).
void twoLayers() {
    setProfile(1, {{1, 0.0f, 5.0f}, {1, 5.0f, 10.0f}},
               {{0.06f, 100.0f, 20.0f, 0.010f, 1.0f, 10.0f},
                {0.06f, 200.0f, 22.0f, 0.020f, 2.0f, 20.0f},
                {0.07f, 300.0f, 30.0f, 0.005f, 3.0f, 30.0f},
                {0.07f, 400.0f, 34.0f, 0.007f, 4.0f, 40.0f}});
}

struct StrengthCase {
    float depth;
    double c1, phi, skin, tip, e50;
};

TEST(StrengthLookup, InterpolatesWithinTheRowsAndTakesTheLowerLayerAtABoundary) {
    const StrengthCase cases[] = {
        // Quarter of layer 1: halfway between rows 1 and 2.
        {2.5f, 150.0, 21.0, 1.5, 15.0, 0.015},
        // Exactly at the boundary: the top row of layer 2, not the bottom row of layer 1.
        {5.0f, 300.0, 30.0, 3.0, 30.0, 0.005},
        // Just above it: 100 + 4.99 x 100 / 5.
        {4.99f, 199.8, 21.996, 1.998, 19.98, 0.01998},
        {7.5f, 350.0, 32.0, 3.5, 35.0, 0.006},
        // The deepest row itself is inside the table.
        {10.0f, 400.0, 34.0, 4.0, 40.0, 0.007},
    };
    for (const StrengthCase& c : cases) {
        twoLayers();
        std::int32_t status = 0;
        SCOPED_TRACE(c.depth);
        EXPECT_NEAR(lookupC1(c.depth, status), c.c1, 1e-4);
        EXPECT_NEAR(lookupPHI1(c.depth, status), c.phi, 1e-5);
        EXPECT_NEAR(lookupSKIN(c.depth, status), c.skin, 1e-6);
        EXPECT_NEAR(lookupTIP(c.depth, status), c.tip, 1e-5);
        EXPECT_NEAR(lookupEE50(c.depth), c.e50, 1e-8);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(reportText(), "");
    }
}

TEST(StrengthLookup, ExtrapolatesAboveTheFirstRow) {
    // Soil from 2 to 6 with cu 100 and 200: at 0, 100 + (0 - 2) x 100 / 4 = 50; at 1, 75.
    // Side friction 1 and 3: at 1, 1 + (1 - 2) x 2 / 4 = 0.5.
    setProfile(1, {{1, 2.0f, 6.0f}},
               {{0.0f, 100.0f, 0.0f, 0.01f, 1.0f, 0.0f}, {0.0f, 200.0f, 0.0f, 0.01f, 3.0f, 0.0f}});
    std::int32_t status = 0;
    EXPECT_FLOAT_EQ(lookupC1(0.0f, status), 50.0f);
    EXPECT_FLOAT_EQ(lookupC1(1.0f, status), 75.0f);
    EXPECT_FLOAT_EQ(lookupSKIN(1.0f, status), 0.5f);
    EXPECT_EQ(status, 0);
}

TEST(StrengthLookup, TwoRowsAtOneDepthGiveTheirMean) {
    // A layer of no thickness at 5: no slope to extrapolate, (100 + 300) / 2 = 200.
    setProfile(1, {{1, 5.0f, 5.0f}},
               {{0.0f, 100.0f, 0.0f, 0.0f, 0.0f, 0.0f}, {0.0f, 300.0f, 0.0f, 0.0f, 0.0f, 0.0f}});
    std::int32_t status = 0;
    EXPECT_FLOAT_EQ(lookupC1(3.0f, status), 200.0f);
    EXPECT_FLOAT_EQ(lookupC1(5.0f, status), 200.0f);
    EXPECT_EQ(status, 0);
}

TEST(StrengthLookup, E50HasNoRangeTest) {
    // Beyond the table the last segment goes on: 0.005 + (12 - 5) x 0.002 / 5 = 0.0078.
    twoLayers();
    EXPECT_NEAR(lookupEE50(12.0f), 0.0078, 1e-8);
    EXPECT_EQ(reportText(), "");
}

using Lookup = float (*)(float, std::int32_t&);

struct BeyondCase {
    const char* property;
    Lookup lookup;
    std::int32_t status;
    std::string text;
};

TEST(StrengthLookup, BeyondTheLastRowWarnsAndSetsThePropertyStatus) {
    const std::string strength = test::extentWarning(" 0.12E+02", "THE INPUT STRENGTH CURVE");
    const BeyondCase cases[] = {
        {"C1", lookupC1, 5, strength},
        // The side-friction warning is preceded by NSTR and the deepest row depth.
        {"SKIN", lookupSKIN, 6, "           4   0.1000000E+02\n" + strength},
        {"TIP", lookupTIP, 7, test::extentWarning(" 0.12E+02", "THE INPUT MAX. LOAD TRANSFER")},
        {"PHI1", lookupPHI1, 8, strength},
    };
    for (const BeyondCase& c : cases) {
        SCOPED_TRACE(c.property);
        twoLayers();
        std::int32_t status = 0;
        EXPECT_EQ(c.lookup(12.0f, status), 0.0f);
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(reportText(), c.text);
    }
}

// Unit weights: layer 1 from 0 to 4 at 100, layer 2 from 4 to 10 rising from 110 to 130.
void unitWeightProfile() {
    setProfile(1, {{2, 0.0f, 4.0f}, {2, 4.0f, 10.0f}},
               {{100.0f, 0, 30, 0, 1, 0},
                {100.0f, 0, 30, 0, 1, 0},
                {110.0f, 0, 30, 0, 1, 0},
                {130.0f, 0, 30, 0, 1, 0}});
}

TEST(AverageUnitWeight, PartialAndWholeSegments) {
    struct Case {
        float depth;
        double expected;
    };
    const Case cases[] = {
        // Partial first segment: (100 + 100) / 2 x 2 / 2.
        {2.0f, 100.0},
        // Whole first segment, the zero-length step at 4 adds nothing.
        {4.0f, 100.0},
        // 100 x 4 / 7, plus the part 4-7 of layer 2: g = 110 + 3 x 20 / 6 = 120,
        // (120 + 110) / 2 x 3 / 7; together 745 / 7.
        {7.0f, 745.0 / 7.0},
        // (100 x 4 + 120 x 6) / 10.
        {10.0f, 112.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.depth);
        unitWeightProfile();
        std::int32_t status = 0;
        EXPECT_NEAR(GAMAVG(c.depth, status), c.expected, test::tolerance(c.expected));
        EXPECT_EQ(status, 0);
        EXPECT_EQ(reportText(), "");
    }
}

TEST(AverageUnitWeight, AboveAndAtTheTopOfTheSoil) {
    // Soil from 2: nothing above it; at its top the first positive unit weight.
    setProfile(1, {{2, 2.0f, 6.0f}, {2, 6.0f, 9.0f}},
               {{0.0f, 0, 30, 0, 1, 0},
                {50.0f, 0, 30, 0, 1, 0},
                {60.0f, 0, 30, 0, 1, 0},
                {70.0f, 0, 30, 0, 1, 0}});
    std::int32_t status = 0;
    EXPECT_EQ(GAMAVG(1.0f, status), 0.0f);
    EXPECT_EQ(GAMAVG(2.0f, status), 50.0f);
    EXPECT_EQ(status, 0);
}

TEST(AverageUnitWeight, BelowTheDeepestRowWarnsWithStatus4) {
    unitWeightProfile();
    std::int32_t status = 0;
    // Whole table averaged over the 11-inch column: (400 + 720) / 11.
    EXPECT_NEAR(GAMAVG(11.0f, status), 1120.0 / 11.0, test::tolerance(1120.0 / 11.0));
    EXPECT_EQ(status, 4);
    EXPECT_EQ(reportText(), test::extentWarning(" 0.11E+02", "THE INPUT CURVE FOR UNIT WEIGHT"));
}

}  // namespace
}  // namespace keldar
