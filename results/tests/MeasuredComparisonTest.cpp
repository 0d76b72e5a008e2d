#include <gtest/gtest.h>

#include <cmath>

#include "MeasuredComparison.h"

namespace keldar {
namespace {

// A computed summary in kN and m, as a run of a 1 m pile with one pile-head load would give it.
ResultsSummary handMadeSummary() {
    ResultsSummary s;
    s.settlement10PctDiameter = 0.1f;
    s.capacity10PctDiameter = 900.0f;
    s.davissonFlexibility = 0.0001f;  // m/kN
    s.davissonOffset = 0.01f;
    s.davissonCapacity = 655.4f;
    s.davissonSettlement = 0.0777f;
    s.chosenSettlement = 0.025f;
    s.loadAtChosenSettlement = NAN;  // the computed curve starts beyond it
    s.chosenLoad = 450.0f;
    s.settlementAtChosenLoad = 0.05f;
    return s;
}

// Readings (settlement, load): a test taken to 0.12 m, then unloaded.
const std::vector<CurvePoint> kTest = {
    {0.0f, 0.0f}, {0.02f, 400.0f}, {0.06f, 600.0f}, {0.12f, 700.0f}, {0.09f, 0.0f}};

TEST(MeasuredComparison, ReadsTheCriteriaOffTheTestAsOffTheComputedCurve) {
    const MeasuredComparison m = compareMeasured(handMadeSummary(), kTest);
    // 0.1 m lies 2/3 of the way from 0.06 to 0.12 m.
    EXPECT_FLOAT_EQ(m.capacity10PctDiameter, 600.0f + 100.0f * 2 / 3);
    // Davisson's line w = 0.0001 P + 0.01 is 0.01 above the reading at 0.06 m and 0.04 below
    // the one at 0.12 m: they meet a fifth of the way, at 620 kN and 0.072 m.
    EXPECT_FLOAT_EQ(m.davissonCapacity, 620.0f);
    EXPECT_FLOAT_EQ(m.davissonSettlement, 0.072f);
    // 25 mm: an eighth of the way from 0.02 to 0.06 m; 450 kN: a quarter from 400 to 600 kN.
    EXPECT_FLOAT_EQ(m.loadAtChosenSettlement, 425.0f);
    EXPECT_FLOAT_EQ(m.settlementAtChosenLoad, 0.03f);

    // A test stopped at 0.06 m reaches neither capacity.
    const std::vector<CurvePoint> shortTest(kTest.begin(), kTest.begin() + 3);
    const MeasuredComparison stopped = compareMeasured(handMadeSummary(), shortTest);
    EXPECT_TRUE(std::isnan(stopped.capacity10PctDiameter));
    EXPECT_TRUE(std::isnan(stopped.davissonCapacity));
}

TEST(MeasuredComparison, Text) {
    const ResultsSummary s = handMadeSummary();
    const std::vector<std::string> expected = {
        "Measured load test beside the computed curve (loads in kN, settlements in m)",
        "  Criterion                                       Computed      Measured",
        "  Load at 10 % D (0.1000 m)                          900.0         666.7",
        "  Davisson offset limit load                         655.4         620.0",
        "    head settlement there                          0.07770       0.07200",
        "  Load at a settlement of 0.02500 m            not reached         425.0",
        "  Settlement at a load of 450.0 kN                 0.05000       0.03000",
    };
    EXPECT_EQ(measuredComparisonText(s, compareMeasured(s, kTest), 2), expected);

    // Without pile-head loads there is no chosen load, and its line goes.
    ResultsSummary noLoad = s;
    noLoad.chosenLoad = NAN;
    const std::vector<std::string> lines =
        measuredComparisonText(noLoad, compareMeasured(noLoad, kTest), 1);
    EXPECT_EQ(lines.front(),
              "Measured load test beside the computed curve (loads in lb, settlements in in)");
    EXPECT_EQ(lines.size(), expected.size() - 1);
}

}  // namespace
}  // namespace keldar
