// The run notes (.kd3r) and the matching marks of the results in numbers: increments that did
// not converge, and inputs outside the range of their published method.
#include <gtest/gtest.h>

#include <string>

#include "ProjectRun.h"
#include "RangeChecks.h"

namespace keldar {
namespace {

using NotedRun = test::ProjectRun;

NotedRun run(const std::string& data) { return test::runProject(data); }

// A 100 ft (1200 in) pile of 12 in in ten increments on one entered t-z curve, with the given
// AE, TOL, tip movements (NTM and values) and head loads.
std::string enteredCurveProject(const std::string& curve, const std::string& ae,
                                const std::string& tol, const std::string& tipMovements,
                                const std::string& loads = " 0\n") {
    return "Entered curve\n10 1 1\n1\n1\n" + curve + "2\n" + ae + " 0\n" + ae +
           " 1200\n2\n0 0\n1000 1\n" + tol + " 1200 12 113.1\n" + tipMovements + loads +
           " 0\n 0\n 0\n";
}

// t peaks at 50 psi at 0.0001 in and drops to 10 psi at 0.0002 in.
const std::string kBrittleCurve = "1 0 4\n0 0\n50 0.0001\n10 0.0002\n10 10\n";
// t reaches 50 psi at 0.0001 in and holds it.
const std::string kStiffCurve = "1 0 3\n0 0\n50 0.0001\n50 10\n";
const std::string kGentleCurve = "1 0 3\n0 0\n50 0.1\n50 10\n";
const std::string kDefaultTipMovements = " 0\n";

TEST(Convergence, AnOscillatingIncrementIsNamedCaseByCase) {
    // Where the curve softens, k pi D DL^2 / (8 AE) = 4E5 x 37.7 x 14400 / 8E10, about 2.7:
    // the iteration jumps between the peak and the residual and never settles.
    const NotedRun r =
        run(enteredCurveProject(kBrittleCurve, "1E10", "1E-5", " 3\n0.00001\n0.00002\n0.00005\n"));
    ASSERT_EQ(r.status, 0);  // the run still completes as designed
    ASSERT_EQ(r.results.loadSettlement.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(r.results.loadSettlement[k].unconvergedIncrements, 1);
    }
    EXPECT_NE(r.notes.find("NOT CONVERGED: case 1 (tip movement 1e-05 in): 1 of 10 increments "
                           "did not converge within 100 evaluations.\n"
                           "NOT CONVERGED: case 2 (tip movement 2e-05 in): 1 of 10 increments "
                           "did not converge within 100 evaluations.\n"
                           "NOT CONVERGED: case 3 (tip movement 5e-05 in): 1 of 10 increments "
                           "did not converge within 100 evaluations.\n"
                           "The loads and movements of a case or head load named NOT CONVERGED "
                           "are not a solution.\n"),
              std::string::npos)
        << r.notes;
    // What to change, once.
    EXPECT_NE(r.notes.find("use shorter increments (more of them), a stiffer pile section "
                           "(larger AE), or t-z curves that are softer near zero movement."),
              std::string::npos);
    EXPECT_EQ(r.notes.find("k x pi x D x DL^2 / (8 AE) < 1"),
              r.notes.rfind("k x pi x D x DL^2 / (8 AE) < 1"));
    EXPECT_TRUE(r.results.warnings.empty());
}

TEST(Convergence, AnImpossiblySoftPileIsNamedThoughItConverges) {
    // AE = 1E5 lb: the whole shaft carries its 50 psi and the pile shortens more than ten
    // times its own length. Every increment converges on that answer; the strain gives it away.
    const NotedRun r = run(enteredCurveProject(kStiffCurve, "1E5", "1E-5", kDefaultTipMovements));
    ASSERT_EQ(r.status, 0);
    ASSERT_EQ(r.results.warnings.size(), 9u);
    EXPECT_GT(r.results.loadSettlement[0].topMovement, 13000.0f);
    for (const LoadSettlementRow& row : r.results.loadSettlement)
        EXPECT_EQ(row.unconvergedIncrements, 0);
    const RangeWarning& first = r.results.warnings[0];
    EXPECT_EQ(first.quantity, "axial strain");
    EXPECT_GT(first.value, 10.0f);
    EXPECT_EQ(r.notes.find("WARNING: case 1 (tip movement 1e-04 in): the pile shortens by up to "),
              0u)
        << r.notes;
    EXPECT_NE(r.notes.find("check the axial stiffness AE and its unit.\n"), std::string::npos);
}

TEST(Convergence, AConvergingProjectLeavesTheNotesEmpty) {
    // k = 500 psi/in and AE = 1E9 lb: k pi D DL^2 / (8 AE) = 0.03.
    const NotedRun r =
        run(enteredCurveProject(kGentleCurve, "1E9", "1E-5", kDefaultTipMovements, " 1\n20000\n"));
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.notes, "");
    for (const LoadSettlementRow& row : r.results.loadSettlement)
        EXPECT_EQ(row.unconvergedIncrements, 0);
    ASSERT_EQ(r.results.loadControlled.size(), 1u);
    EXPECT_TRUE(r.results.loadControlled[0].converged);
    EXPECT_EQ(r.results.loadControlled[0].unconvergedIncrements, 0);
    EXPECT_TRUE(r.results.warnings.empty());
}

TEST(Convergence, AHeadLoadFoundOnUnconvergedIncrementsIsNamed) {
    // A negative tolerance can never be met: every increment of every solution is counted,
    // though the search for the head load still matches the load.
    const NotedRun r =
        run(enteredCurveProject(kGentleCurve, "1E9", "-1", kDefaultTipMovements, " 1\n20000\n"));
    ASSERT_EQ(r.status, 0);
    ASSERT_EQ(r.results.loadControlled.size(), 1u);
    const LoadSettlementRow& row = r.results.loadControlled[0];
    ASSERT_TRUE(row.converged);
    EXPECT_EQ(row.unconvergedIncrements, 10);
    EXPECT_NE(r.notes.find("NOT CONVERGED: head load 1 (20000 lb): 10 of 10 increments did not "
                           "converge within 100 evaluations in the solution found.\n"),
              std::string::npos)
        << r.notes;
    EXPECT_NE(r.notes.find("NOT CONVERGED: case 9 (tip movement 5 in): 10 of 10 increments"),
              std::string::npos)
        << r.notes;
}

// Two layers of the given codes, 0-300 and 300-900 in, and their four property rows; a 12 in
// pile 720 in long.
std::string layeredProject(int upper, int lower, const std::string& rows,
                           const std::string& tip = "720") {
    return "Layers\n20 1 1\n2\n2\n1 " + std::to_string(upper) + " 0 300\n2 " +
           std::to_string(lower) + " 300 900\n" + rows + "2\n1E9 0\n1E9 900\n1E-5 " + tip +
           " 12 113.1\n 0\n 0\n 0\n 0\n 0\n";
}

// Plausible clay over plausible sand: no warning at all.
const std::string kClayRows = "0.02 5 0 0.01 4 0\n0.02 8 0 0.01 6 0\n";
const std::string kSandRows = "0.035 0 30 20 3 0\n0.035 0 34 30 6 0\n";

void expectOneWarning(const NotedRun& r, const std::string& quantity, int layer, int row,
                      const std::string& text) {
    ASSERT_EQ(r.status, 0) << r.notes;
    ASSERT_EQ(r.results.warnings.size(), 1u) << r.notes;
    const RangeWarning& w = r.results.warnings[0];
    EXPECT_EQ(w.quantity, quantity);
    EXPECT_EQ(w.layer, layer);
    EXPECT_EQ(w.row, row);
    EXPECT_EQ(r.notes, "WARNING: " + w.message + "\n");
    EXPECT_NE(w.message.find(text), std::string::npos) << w.message;
}

TEST(RangeWarnings, UnitWeightsAreCheckedOnlyWhereASandTipUsesThem) {
    // Zero unit weights in a clay-only profile are never used.
    const NotedRun r = run(layeredProject(5, 3, "0 5 0 0.01 4 0\n0 8 0 0.01 6 0\n" + kClayRows));
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.notes, "");
}

TEST(RangeWarnings, PlausibleInputGivesNone) {
    const NotedRun r = run(layeredProject(1, 6, kClayRows + kSandRows));
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.notes, "");
    EXPECT_TRUE(r.results.warnings.empty());
}

TEST(RangeWarnings, E50EnteredAsAPercentage) {
    const NotedRun r = run(layeredProject(1, 6, "0.02 5 0 0.01 4 0\n0.02 8 0 1 6 0\n" + kSandRows));
    expectOneWarning(r, "e50", 1, 2,
                     "layer 1, row 2: e50 = 1 is above 0.05. Driven Pile in Clay (Coyle & Reese) "
                     "takes e50 as a decimal strain");
    EXPECT_EQ(r.results.warnings[0].value, 1.0f);
}

TEST(RangeWarnings, UnitWeightOutsideTheRangeOfSoils) {
    // 120 lb/ft^3 entered in lb/in^3; the tip resistance is entered, so that the unit weight
    // changes nothing else.
    const NotedRun r =
        run(layeredProject(5, 6, kClayRows + "0.035 0 32 20 3 500\n120 0 36 30 6 500\n"));
    expectOneWarning(r, "unit weight", 2, 4,
                     "layer 2, row 4: effective unit weight = 120 lb/in^3 is outside 0.0073678 to "
                     "0.0920975 lb/in^3");
}

TEST(RangeWarnings, FrictionAngleOutsideTheSandMethods) {
    const NotedRun r =
        run(layeredProject(5, 2, kClayRows + "0.035 0 32 20 3 0\n0.035 0 48 30 6 0\n"));
    expectOneWarning(r, "friction angle", 2, 4,
                     "friction angle = 48 degrees is outside 20 to 45 degrees, the range of "
                     "Driven Pile in Sand (Mosher)");
}

TEST(RangeWarnings, ApiSandTipAboveTheLimitingEndBearing) {
    // A clay-free sand column to 900 in, tip at 900: phi 40 gives Nq = 64.2 and
    // q = 900 x 0.04 x 64.2 = 2311 psi, above 250 ksf = 1736 psi of the Nq = 50 class.
    const NotedRun r = run(layeredProject(6, 6,
                                          "0.04 0 40 20 3 0\n0.04 0 40 20 3 0\n"
                                          "0.04 0 40 20 3 0\n0.04 0 40 20 3 0\n",
                                          "900"));
    expectOneWarning(r, "tip resistance", 2, 4,
                     "psi, the limiting unit end bearing of API RP 2A for its Nq class (Nq = 50)");
    EXPECT_NEAR(r.results.warnings[0].value, 2311.0, 2.0);
    EXPECT_NE(r.results.warnings[0].message.find("is above 1736.1111 psi"), std::string::npos)
        << r.results.warnings[0].message;
}

TEST(RangeWarnings, SandTipCurveAboveTheEnteredUltimate) {
    // Reese & O'Neill sand rises to 1.46 Qult; q entered as 500 psi: Qult = 56550 lb.
    const NotedRun r =
        run(layeredProject(5, 4, kClayRows + "0.035 0 32 20 3 500\n0.035 0 36 30 6 500\n"));
    expectOneWarning(r, "tip curve", 2, 4,
                     "the tip curve of Drilled Shaft in Sand (Reese & O'Neill) rises to 82563 lb, "
                     "1.46 times the ultimate tip load 56550 lb from the entered tip resistance "
                     "500 psi.");
}

TEST(RangeWarnings, ApiLimitingEndBearingByNqClass) {
    struct Case {
        float nq;
        float psi;
        float kpa;
    };
    // 1 kip/ft^2 = 1000/144 psi; the SI values are API's own.
    const Case cases[] = {{5.0f, 277.7778f, 1900.0f},   {8.0f, 277.7778f, 1900.0f},
                          {18.4f, 416.6667f, 2900.0f},  {20.0f, 694.4445f, 4800.0f},
                          {39.9f, 694.4445f, 4800.0f},  {40.0f, 1388.8889f, 9600.0f},
                          {64.2f, 1736.1111f, 12000.0f}};
    for (const Case& c : cases) {
        EXPECT_NEAR(apiLimitingEndBearing(c.nq, 1), c.psi, 1e-3) << c.nq;
        EXPECT_NEAR(apiLimitingEndBearing(c.nq, 2), c.kpa, 1e-2) << c.nq;
    }
}

}  // namespace
}  // namespace keldar
