#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "ProjectRun.h"
#include "ResultsSummary.h"

namespace keldar {
namespace {

// Load and settlement at t between two points of a curve, as read off a plot by hand.
float between(float a, float b, float t) { return a + t * (b - a); }

const std::vector<CurvePoint> kCurve = {{0.1f, 100.0f}, {0.3f, 200.0f}, {0.7f, 250.0f}};

TEST(CurveCrossing, SettlementLineIsInterpolatedAndNeverExtrapolated) {
    // 0.5 lies halfway between 0.3 and 0.7.
    EXPECT_FLOAT_EQ(settlementLineCrossing(kCurve, 0.0f, 0.5f).load, 225.0f);
    EXPECT_FLOAT_EQ(settlementLineCrossing(kCurve, 0.0f, 0.3f).load, 200.0f);   // a computed point
    EXPECT_TRUE(std::isnan(settlementLineCrossing(kCurve, 0.0f, 0.8f).load));   // curve stops short
    EXPECT_TRUE(std::isnan(settlementLineCrossing(kCurve, 0.0f, 0.05f).load));  // before its start
    EXPECT_TRUE(std::isnan(settlementLineCrossing({}, 0.0f, 0.5f).load));
    // Offset line w = 0.001 P + 0.05: 0.1 - 0.15 = -0.05 at the first point, 0.3 - 0.25 = +0.05
    // at the second, so the crossing is halfway: P = 150, w = 0.2.
    const CurveCrossing davisson = settlementLineCrossing(kCurve, 0.001f, 0.05f);
    EXPECT_FLOAT_EQ(davisson.load, 150.0f);
    EXPECT_FLOAT_EQ(davisson.settlement, 0.2f);
}

TEST(CurveCrossing, LoadOnASofteningCurveIsTheFirstCrossing) {
    const std::vector<CurvePoint> softening = {
        {0.1f, 100.0f}, {0.2f, 300.0f}, {0.4f, 250.0f}, {0.8f, 320.0f}};
    // 280 is first reached at 0.9 of the way from 100 to 300, not on the later rise.
    EXPECT_FLOAT_EQ(loadCrossing(softening, 280.0f).settlement, between(0.1f, 0.2f, 0.9f));
    EXPECT_TRUE(std::isnan(loadCrossing(softening, 400.0f).settlement));
    EXPECT_TRUE(std::isnan(loadCrossing(softening, std::nanf("")).settlement));
}

// A pile in settling soil, made by hand: 11 nodes from the tip (10 m) up to the head, the axial
// load following P(z) = 500 - 20 (z - 3.3)^2 and the movement 0.05 + 0.001 z.
CaseDistribution parabolicDistribution() {
    CaseDistribution d;
    for (int n = 10; n >= 0; --n) {
        const float z = static_cast<float>(n);
        d.nodeDepth.push_back(z);
        d.nodeLoad.push_back(500.0f - 20.0f * (z - 3.3f) * (z - 3.3f));
        d.nodeMovement.push_back(0.05f + 0.001f * z);
    }
    return d;
}

TEST(NeutralPlane, LiesBetweenNodesAtTheVertexOfTheLoadCurve) {
    const LoadPeak peak = largestAxialLoad(parabolicDistribution());
    EXPECT_NEAR(peak.depth, 3.3f, 1e-5f);
    EXPECT_NEAR(peak.load, 500.0f, 1e-3f);
}

TEST(NeutralPlane, IsAtTheHeadOrTipWhenTheLargestLoadIsThere) {
    CaseDistribution d;
    d.nodeDepth = {10, 5, 0};
    d.nodeLoad = {40, 70, 100};  // no drag: the load falls from the head down
    EXPECT_FLOAT_EQ(largestAxialLoad(d).depth, 0.0f);
    d.nodeLoad = {120, 70, 100};
    EXPECT_FLOAT_EQ(largestAxialLoad(d).depth, 10.0f);
    EXPECT_TRUE(std::isnan(largestAxialLoad(CaseDistribution{}).load));
}

// The hand-made pile in settling soil as a whole run: two cases, one pile-head load.
RunResults handMadeDownDragRun() {
    RunResults r;
    r.unitSystem = 2;
    r.input.read = true;
    r.input.diameter = 1.0f;  // 10 % D = 0.1 m
    r.input.settlementPoints = 2;
    r.pileFlexibility = 0.0001f;  // m/kN
    r.loadSettlement = {{282.2f, 0.03f, 0.01f, 100.0f}, {600.0f, 0.09f, 0.03f, 250.0f}};
    r.distributions = {parabolicDistribution(), parabolicDistribution()};
    r.loadControlled = {{450.0f, 0.05f, 0.02f, 150.0f}};
    return r;
}

TEST(ResultsSummary, HandMadeDownDragRun) {
    const ResultsSummary s = summarizeResults(handMadeDownDragRun());
    ASSERT_TRUE(s.downDrag);
    ASSERT_EQ(s.cases.size(), 2u);
    const CaseSummary& c = s.cases[0];
    EXPECT_FLOAT_EQ(c.sideLoad, 182.2f);
    EXPECT_FLOAT_EQ(c.sideShare, 182.2f / 282.2f);
    EXPECT_NEAR(c.neutralPlaneDepth, 3.3f, 1e-5f);
    EXPECT_NEAR(c.maxAxialLoad, 500.0f, 1e-3f);
    // The head node carries 500 - 20 * 3.3^2 = 282.2.
    EXPECT_NEAR(c.dragLoad, 217.8f, 1e-3f);
    EXPECT_NEAR(c.neutralPlaneSettlement, 0.0533f, 1e-6f);
    // Curve in tip-movement order: (0.03, 282.2), (0.05, 450), (0.09, 600). 10 % D = 0.1 lies
    // beyond its last point: not reached.
    EXPECT_FLOAT_EQ(s.settlement10PctDiameter, 0.1f);
    EXPECT_TRUE(std::isnan(s.capacity10PctDiameter));
    // Davisson offset 0.00381 + 1 / 120 = 0.012143 m; the line w = 0.0001 P + offset lies above
    // the first two points and below the third, and meets the curve where
    // 0.05 + 0.04 t = 0.0001 (450 + 150 t) + offset.
    const double offset = 0.00381 + 1.0 / 120.0;
    const double t = (0.045 + offset - 0.05) / (0.04 - 0.015);
    EXPECT_NEAR(s.davissonCapacity, 450.0 + 150.0 * t, 1e-3);
    EXPECT_NEAR(s.davissonSettlement, 0.05 + 0.04 * t, 1e-7);
    // 25 mm lies before the curve; the first pile-head load is a point of it.
    EXPECT_FLOAT_EQ(s.chosenSettlement, 0.025f);
    EXPECT_TRUE(std::isnan(s.loadAtChosenSettlement));
    EXPECT_FLOAT_EQ(s.chosenLoad, 450.0f);
    EXPECT_FLOAT_EQ(s.settlementAtChosenLoad, 0.05f);
    // A chosen settlement and load replace the defaults.
    const ResultsSummary chosen = summarizeResults(handMadeDownDragRun(), {0.085f, 300.0f});
    EXPECT_FLOAT_EQ(chosen.loadAtChosenSettlement, 450.0f + 0.875f * 150.0f);
    EXPECT_FLOAT_EQ(chosen.settlementAtChosenLoad, between(0.03f, 0.05f, 17.8f / 167.8f));
}

TEST(ResultsSummary, LoadWithoutSolutionHasNoSettlementAndStaysOffTheCurve) {
    RunResults r = handMadeDownDragRun();
    r.loadControlled[0].converged = false;
    const ResultsSummary s = summarizeResults(r);
    EXPECT_TRUE(std::isnan(s.headLoadCases[0].headSettlement));
    EXPECT_TRUE(std::isnan(s.headLoadCases[0].sideShare));
    // The curve is now (0.03, 282.2), (0.09, 600).
    EXPECT_FLOAT_EQ(s.settlementAtChosenLoad, between(0.03f, 0.09f, 167.8f / 317.8f));
}

std::string exampleText(const std::string& name) {
    const char* root = std::getenv("KELDAR_SOURCE_DIR");
    return test::readFile(std::string(root ? root : ".") + "/examples/" + name + ".kd3d");
}

struct ExampleRun {
    RunResults results;
    ResultsSummary summary;
};

ExampleRun runExample(const std::string& name) {
    test::ProjectRun run = test::runProject(exampleText(name));
    EXPECT_EQ(run.status, 0) << name;
    ExampleRun e{std::move(run.results), {}};
    e.summary = summarizeResults(e.results);
    return e;
}

// The head load where the curve reaches `settlement`, between two computed rows.
float loadBetween(const LoadSettlementRow& a, const LoadSettlementRow& b, float settlement) {
    return between(a.topLoad, b.topLoad,
                   (settlement - a.topMovement) / (b.topMovement - a.topMovement));
}

void expectCasesAsComputed(const ExampleRun& e) {
    ASSERT_EQ(e.summary.cases.size(), e.results.loadSettlement.size());
    for (std::size_t i = 0; i < e.summary.cases.size(); ++i) {
        const LoadSettlementRow& row = e.results.loadSettlement[i];
        const CaseSummary& c = e.summary.cases[i];
        EXPECT_EQ(c.headLoad, row.topLoad);
        EXPECT_EQ(c.headSettlement, row.topMovement);
        EXPECT_EQ(c.tipLoad, row.tipLoad);
        EXPECT_EQ(c.tipMovement, row.tipMovement);
        EXPECT_FLOAT_EQ(c.sideLoad, row.topLoad - row.tipLoad);
    }
}

// On Davisson's line: w = P L / AE + 0.15 in + D / 120.
void expectOnDavissonLine(const ExampleRun& e, double lengthOverAe, double offset) {
    EXPECT_NEAR(e.summary.davissonFlexibility, lengthOverAe, 1e-6 * lengthOverAe);
    EXPECT_NEAR(e.summary.davissonSettlement, lengthOverAe * e.summary.davissonCapacity + offset,
                1e-5);
}

TEST(ExampleSummary, SteelPipeInClay) {
    const ExampleRun e = runExample("steel-pipe-clay");
    expectCasesAsComputed(e);
    const auto& rows = e.results.loadSettlement;
    // 10 % of 16 in = 1.6 in, between the last two cases (1.123 in and 1.626 in).
    EXPECT_FLOAT_EQ(e.summary.capacity10PctDiameter, loadBetween(rows[8], rows[9], 1.6f));
    // AE 7.0607e8 lb over 600 in; the line meets the curve between 0.418 in and 0.721 in.
    expectOnDavissonLine(e, 600.0 / 7.0607e8, 0.15 + 16.0 / 120.0);
    EXPECT_GT(e.summary.davissonSettlement, rows[6].topMovement);
    EXPECT_LT(e.summary.davissonSettlement, rows[7].topMovement);
    // 1 in between the cases at 0.721 in and 1.123 in.
    EXPECT_FLOAT_EQ(e.summary.loadAtChosenSettlement, loadBetween(rows[7], rows[8], 1.0f));
    // The first pile-head load, 50000 lb, is a computed point.
    EXPECT_EQ(e.summary.settlementAtChosenLoad, e.results.loadControlled[0].topMovement);
}

TEST(ExampleSummary, PipePileInClayWithSofteningCurve) {
    const ExampleRun e = runExample("pipe-pile-clay");
    expectCasesAsComputed(e);
    const auto& rows = e.results.loadSettlement;
    // 2.4 in lies on the long last step, from 0.789 in to 5.31 in.
    EXPECT_FLOAT_EQ(e.summary.capacity10PctDiameter, loadBetween(rows[7], rows[8], 2.4f));
    expectOnDavissonLine(e, 960.0 / 1.07e9, 0.15 + 24.0 / 120.0);
}

TEST(ExampleSummary, DrilledShaftInSand) {
    const ExampleRun e = runExample("drilled-shaft-sand");
    expectCasesAsComputed(e);
    const auto& rows = e.results.loadSettlement;
    EXPECT_FLOAT_EQ(e.summary.capacity10PctDiameter, loadBetween(rows[7], rows[8], 0.12f));
    expectOnDavissonLine(e, 20.0 / 3.39e7, 0.00381 + 1.2 / 120.0);
    EXPECT_FLOAT_EQ(e.summary.chosenSettlement, 0.025f);  // SI: 25 mm
}

TEST(ExampleSummary, UserCurvesWithUpliftAndSteppedStiffness) {
    const ExampleRun e = runExample("user-curves-si");
    expectCasesAsComputed(e);
    // The curve ends at 0.042 m: 10 % of 0.6 m = 0.06 m is not reached.
    EXPECT_TRUE(std::isnan(e.summary.capacity10PctDiameter));
    // AE 8.5e6 kN over the upper 6 m and 7e6 kN over the lower 6 m, in series.
    expectOnDavissonLine(e, 6.0 / 8.5e6 + 6.0 / 7.0e6, 0.00381 + 0.6 / 120.0);
    // The uplift case has its own signs and is no point of the compression curve.
    EXPECT_LT(e.summary.cases[0].headLoad, 0.0f);
    EXPECT_GT(e.summary.davissonCapacity, 0.0f);
    // The 5000 kN head load has no solution.
    EXPECT_TRUE(std::isnan(e.summary.headLoadCases[2].headSettlement));
}

TEST(ExampleSummary, LayeredDownDrag) {
    const ExampleRun e = runExample("layered-downdrag");
    expectCasesAsComputed(e);
    ASSERT_TRUE(e.summary.downDrag);
    EXPECT_TRUE(std::isnan(e.summary.capacity10PctDiameter));  // 1.6 in, beyond 1.07 in
    expectOnDavissonLine(e, 720.0 / 5e8, 0.15 + 16.0 / 120.0);
    for (std::size_t k = 0; k < e.summary.cases.size(); ++k) {
        const CaseDistribution& d = e.results.distributions[k];
        const CaseSummary& c = e.summary.cases[k];
        // The neutral plane lies within one increment of the node of the largest load, at a
        // load no smaller than that node's; the drag load is measured from the head load.
        const auto top = std::max_element(d.nodeLoad.begin(), d.nodeLoad.end());
        const float nodeDepth = d.nodeDepth[static_cast<std::size_t>(top - d.nodeLoad.begin())];
        EXPECT_LE(std::fabs(c.neutralPlaneDepth - nodeDepth), 720.0f / 40.0f) << k;
        EXPECT_GE(c.maxAxialLoad, *top) << k;
        EXPECT_FLOAT_EQ(c.dragLoad, c.maxAxialLoad - d.nodeLoad.back()) << k;
        EXPECT_GT(c.dragLoad, 0.0f) << k;
    }
    // Settling soil pulls the pile down most at small head loads: the neutral plane rises as
    // the head load grows.
    EXPECT_GT(e.summary.cases.front().neutralPlaneDepth, e.summary.cases.back().neutralPlaneDepth);
}

}  // namespace
}  // namespace keldar
