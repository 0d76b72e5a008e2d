#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "IncrementTable.h"
#include "PileLookups.h"
#include "PileSolution.h"
#include "SolverFixtures.h"

namespace keldar {
namespace {

using namespace keldar::testing;

constexpr double kPi = 3.1416;  // the program's own value

PileSolution& solved(float tipMovement, float tipLoad) {
    static IncrementTable table;
    static PileSolution solution;
    float badDepth = 0.0f;
    EXPECT_EQ(prepareIncrementTable(table, badDepth), kStatusOk);
    solvePile(table, tipMovement, tipLoad, solution);
    return solution;
}

// Linear side springs t = k z and a linear tip spring Q = Kb w on a pile of constant AE have the
// closed-form solution, with x up from the tip and lambda = sqrt(k pi D / AE):
//   w(x) = w cosh(lambda x) + Qb / (AE lambda) sinh(lambda x)
//   P(x) = Qb cosh(lambda x) + AE lambda w sinh(lambda x)
TEST(PileSolution, ApproachesTheClosedFormWithSecondOrder) {
    const double length = 600.0, diameter = 12.0, ae = 4.0e8, k = 60.0, kb = 1.0e5, w = 0.1;
    const double lambda = std::sqrt(k * kPi * diameter / ae);
    const double qb = kb * w;
    const double headLoad =
        qb * std::cosh(lambda * length) + ae * lambda * w * std::sinh(lambda * length);
    const double headMovement =
        w * std::cosh(lambda * length) + qb / (ae * lambda) * std::sinh(lambda * length);

    double loadError[3], movementError[3];
    const int counts[] = {10, 50, 500};
    for (int c = 0; c < 3; ++c) {
        freshEnglishRun();
        setPile(float(length), float(diameter), counts[c], 1e-7f);
        setConstantStiffness(float(ae));
        addCurve(0.0f, {{0.0f, 0.0f}, {float(k * 100.0), 100.0f}});
        setTipCurve({{0.0f, 0.0f}, {float(kb * 100.0), 100.0f}});
        const PileSolution& s = solved(float(w), tipLoadAt(float(w)));
        loadError[c] = std::fabs(s.headLoad - headLoad) / headLoad;
        movementError[c] = std::fabs(s.headMovement - headMovement) / headMovement;
        std::printf(
            "NINC %4d: head load %.6e (exact %.6e, rel. error %.2e), "
            "head movement %.6e (exact %.6e, rel. error %.2e)\n",
            counts[c], double(s.headLoad), headLoad, loadError[c], double(s.headMovement),
            headMovement, movementError[c]);
    }
    // Second order: five times the increments, about 25 times smaller an error.
    EXPECT_LT(loadError[0], 5e-3);
    EXPECT_GT(loadError[0] / loadError[1], 15.0);
    EXPECT_GT(movementError[0] / movementError[1], 15.0);
    // At 500 increments the single-precision sums take over from the discretisation.
    EXPECT_LT(loadError[2], loadError[1] / 10.0);
    EXPECT_LT(movementError[2], movementError[1] / 10.0);
}

TEST(PileSolution, ZeroSideFrictionCarriesTheTipLoadToTheHead) {
    freshEnglishRun();
    setPile(500.0f, 10.0f, 20, 1e-6f);
    setConstantStiffness(2.0e8f);
    addCurve(0.0f, {{0.0f, 0.0f}, {0.0f, 1.0f}});
    setTipCurve({{0.0f, 0.0f}, {8.0e4f, 0.4f}});
    const float w = 0.25f;  // Q = 50000
    const PileSolution& s = solved(w, tipLoadAt(w));
    EXPECT_FLOAT_EQ(s.headLoad, 5.0e4f);
    EXPECT_FLOAT_EQ(s.headMovement, 0.25f + 5.0e4f * 500.0f / 2.0e8f);
}

TEST(PileSolution, ZeroSideFrictionFollowsAnAxialStiffnessStep) {
    freshEnglishRun();
    setPile(10.0f, 0.5f, 4, 1e-9f);
    RunStore& st = runStore();
    // 2e6 above 5 m, 1e6 below: the middles at 1.25 and 3.75 get 2e6, those below 1e6.
    st.NAE = 4;
    const float depths[] = {0.0f, 0.0f, 5.0f, 5.0f, 10.0f};
    const float values[] = {0.0f, 2.0e6f, 2.0e6f, 1.0e6f, 1.0e6f};
    std::copy(std::begin(depths), std::end(depths), st.XAE);
    std::copy(std::begin(values), std::end(values), st.AE);
    addCurve(0.0f, {{0.0f, 0.0f}, {0.0f, 1.0f}});
    setTipCurve({{0.0f, 0.0f}, {1000.0f, 0.01f}});
    const PileSolution& s = solved(0.01f, tipLoadAt(0.01f));
    EXPECT_FLOAT_EQ(s.headMovement, 0.01f + 1000.0f * 2.5f * (2.0f / 1e6f + 2.0f / 2e6f));
}

TEST(PileSolution, RigidPlasticSideAddsFullFrictionOverTheLength) {
    freshEnglishRun();
    setPile(480.0f, 18.0f, 24, 1e-6f);
    setConstantStiffness(6.0e8f);
    const float tmax = 5.0f;  // psi, reached at any movement the pile sees here
    addCurve(0.0f, {{0.0f, 0.0f}, {tmax, 0.001f}, {tmax, 10.0f}});
    setTipCurve({{0.0f, 0.0f}, {1.0e5f, 1.0f}});
    const PileSolution& s = solved(0.5f, tipLoadAt(0.5f));
    const double expected = 5.0e4 + tmax * kPi * 18.0 * 480.0;
    EXPECT_NEAR(s.headLoad, expected, expected * 2e-6);
    // Each increment takes the same load.
    for (int i = 1; i <= 24; ++i) EXPECT_FLOAT_EQ(s.loadTaken[i], float(tmax * kPi * 18.0 * 20.0));
}

TEST(PileSolution, SoilSettlingPastThePileDragsItDown) {
    freshEnglishRun();
    setPile(600.0f, 12.0f, 10, 1e-6f);
    setConstantStiffness(1.0e12f);  // nearly rigid: the pile moves about 0.1 throughout
    const float tmax = 2.0f;
    addCurve(0.0f, {{0.0f, 0.0f}, {tmax, 0.001f}, {tmax, 10.0f}});
    setTipCurve({{0.0f, 0.0f}, {1.0e5f, 1.0f}});
    // The soil settles 1.0 down to 240 and not at all below: the middles at 30 to 210 see the
    // soil moving down past the pile.
    setSettlementProfile({{0.0f, 1.0f}, {240.0f, 1.0f}, {240.0f, 0.0f}, {600.0f, 0.0f}});
    const PileSolution& s = solved(0.1f, tipLoadAt(0.1f));
    const double perIncrement = tmax * kPi * 12.0 * 60.0;
    for (int i = 1; i <= 6; ++i) EXPECT_GT(s.transfer[i], 0.0f) << "increment " << i;
    for (int i = 7; i <= 10; ++i) {
        EXPECT_FLOAT_EQ(s.transfer[i], -tmax) << "increment " << i;
        // The axial load grows downward through the dragged increments.
        EXPECT_LT(s.load[i + 1], s.load[i]) << "increment " << i;
    }
    EXPECT_NEAR(s.headLoad, 1.0e4 + 2.0 * perIncrement, 0.05);
    // The movements reported are the pile's own, not the relative ones.
    EXPECT_NEAR(s.middleMovement[10], 0.1, 1e-4);
}

TEST(PileSolution, IncrementThatNeverSettlesIsAcceptedAfterItsEvaluations) {
    freshEnglishRun();
    // A negative tolerance can never be met: every increment takes its full 100 evaluations
    // and the march still ends with finite values.
    setPile(100.0f, 1.0f, 5, -1.0f);
    setConstantStiffness(1.0e5f);
    addCurve(0.0f, {{0.0f, 0.0f}, {10.0f, 0.01f}, {10.0f, 1.0f}});
    setTipCurve({{0.0f, 0.0f}, {100.0f, 0.1f}});
    const PileSolution& s = solved(0.05f, tipLoadAt(0.05f));
    EXPECT_TRUE(std::isfinite(s.headLoad));
    EXPECT_TRUE(std::isfinite(s.headMovement));
    EXPECT_GT(s.headLoad, 50.0f);
    EXPECT_EQ(s.unconverged, 5);
}

}  // namespace
}  // namespace keldar
