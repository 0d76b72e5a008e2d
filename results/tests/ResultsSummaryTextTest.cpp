// The summary as text: number forms, one line per criterion with its unit or "not reached",
// the case tables in fixed columns and the down-drag block only for a run in settling soil.
#include <gtest/gtest.h>

#include <cmath>

#include "ResultsSummaryText.h"

namespace keldar {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(SummaryNumber, FourSignificantDigitsInFixedOrExponentForm) {
    EXPECT_EQ(summaryNumber(123456.7f), "123457");  // whole loads keep their digits
    EXPECT_EQ(summaryNumber(1234.56f), "1235");
    EXPECT_EQ(summaryNumber(0.85234f), "0.8523");
    EXPECT_EQ(summaryNumber(0.025f), "0.02500");
    EXPECT_EQ(summaryNumber(0.01f), "0.01000");  // 9.99999978E-3 in single precision
    EXPECT_EQ(summaryNumber(9999.7f), "10000");
    EXPECT_EQ(summaryNumber(-1018.4f), "-1018");
    EXPECT_EQ(summaryNumber(0.0f), "0");
    EXPECT_EQ(summaryNumber(1.2e-7f), "1.200E-07");
    EXPECT_EQ(summaryNumber(3.4e7f), "3.400E+07");
    EXPECT_EQ(summaryNumber(kNaN), "-");
    EXPECT_EQ(summaryNumber(INFINITY), "-");
}

// A run in SI with one pile-head load and a settling soil: every block.
ResultsSummary handMadeSummary() {
    ResultsSummary s;
    s.downDrag = true;
    CaseSummary c;
    c.headLoad = 282.2f;
    c.headSettlement = 0.03f;
    c.tipLoad = 100.0f;
    c.tipMovement = 0.01f;
    c.sideLoad = 182.2f;
    c.sideShare = 182.2f / 282.2f;
    c.neutralPlaneDepth = 3.3f;
    c.maxAxialLoad = 500.0f;
    c.dragLoad = 217.8f;
    c.neutralPlaneSettlement = 0.0533f;
    s.cases = {c};
    CaseSummary unsolved;
    unsolved.headLoad = 5000.0f;
    unsolved.headSettlement = unsolved.tipLoad = unsolved.tipMovement = kNaN;
    unsolved.sideLoad = unsolved.sideShare = kNaN;
    unsolved.converged = false;
    s.headLoadCases = {unsolved};
    s.settlement10PctDiameter = 0.1f;
    s.capacity10PctDiameter = kNaN;
    s.davissonFlexibility = 0.0001f;
    s.davissonOffset = 0.012143f;
    s.davissonCapacity = 478.3f;
    s.davissonSettlement = 0.05997f;
    s.chosenSettlement = 0.025f;
    s.loadAtChosenSettlement = kNaN;
    s.chosenLoad = 450.0f;
    s.settlementAtChosenLoad = 0.05f;
    return s;
}

TEST(SummaryText, EveryBlockOfARunInSettlingSoil) {
    const SummaryLines expected = {
        // clang-format off
        "RESULTS SUMMARY (units: m, kN)",
        "",
        "Capacity on the computed load-settlement curve",
        "  Load at 10 % of the diameter (0.1000 m)        not reached",
        "  Davisson's offset limit load                         478.3 kN",
        "    at a head settlement of                          0.05997 m",
        "    elastic line w = P x 0.0001000 m/kN + 0.01214 m",
        "",
        "Chosen settlement and load",
        "  Load at a settlement of 0.02500 m              not reached",
        "  Settlement at a load of 450.0 kN                   0.05000 m",
        "",
        "Tip-movement cases",
        "   No.   Head load Head settl.    Tip load   Tip mvmt.   Side load  Side share",
        "                kN           m          kN           m          kN           %",
        "     1       282.2     0.03000       100.0     0.01000       182.2       64.56",
        "",
        "Loads at the pile head",
        "   No.   Head load Head settl.    Tip load   Tip mvmt.   Side load  Side share",
        "                kN           m          kN           m          kN           %",
        "     1        5000           -           -           -           -           -  not converged",
        "",
        "Neutral plane (down-drag), per tip-movement case",
        "   No.       Depth   Max. load   Drag load  Settlement",
        "                 m          kN          kN           m",
        "     1       3.300       500.0       217.8     0.05330",
        // clang-format on
    };
    EXPECT_EQ(summaryText(handMadeSummary(), 2), expected);
}

TEST(SummaryText, WithoutHeadLoadsOrSettlingSoilTheirBlocksAreLeftOut) {
    ResultsSummary s = handMadeSummary();
    s.downDrag = false;
    s.headLoadCases.clear();
    s.chosenLoad = s.settlementAtChosenLoad = kNaN;
    s.davissonCapacity = s.davissonSettlement = kNaN;
    const SummaryLines lines = summaryText(s, 1);
    EXPECT_EQ(lines.front(), "RESULTS SUMMARY (units: in, lb)");
    EXPECT_EQ(lines[4], "  Davisson's offset limit load                   not reached");
    EXPECT_EQ(lines[5], "    elastic line w = P x 0.0001000 in/lb + 0.01214 in");
    EXPECT_EQ(lines[9], "  Settlement at a chosen load (none given)       not reached");
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find("Neutral plane"), std::string::npos);
        EXPECT_EQ(line.find("Loads at the pile head"), std::string::npos);
    }
}

}  // namespace
}  // namespace keldar
