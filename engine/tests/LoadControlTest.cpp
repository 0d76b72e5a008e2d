#include <gtest/gtest.h>

#include <vector>

#include "LoadControl.h"
#include "SolverFixtures.h"

namespace keldar {
namespace {

using namespace keldar::testing;

void setCaseResults(std::initializer_list<std::pair<float, float>> rows) {  // (top load, tip mvmt)
    RunStore& s = runStore();
    s.NTM = 0;
    for (const auto& [load, movement] : rows) {
        ++s.NTM;
        s.TOPLOAD[s.NTM] = load;
        s.TIPMOV[s.NTM] = movement;
    }
}

struct StartCase {
    float load;
    float expected;
};

TEST(StartTipMovement, FromTheCaseResults) {
    freshEnglishRun();
    setCaseResults({{100.0f, 0.1f}, {200.0f, 0.2f}, {200.0f, 0.3f}, {400.0f, 0.5f}});
    for (const StartCase& c : {
             StartCase{50.0f, 0.1f},    // below the first case
             StartCase{500.0f, 0.5f},   // beyond the last
             StartCase{100.0f, 0.1f},   // at the first
             StartCase{150.0f, 0.15f},  // between
             StartCase{200.0f, 0.25f},  // at a repeated load: the mean of both movements
             StartCase{300.0f, 0.4f},   // between the repeated load and the last
             StartCase{400.0f, 0.5f},   // at the last
         }) {
        EXPECT_FLOAT_EQ(startTipMovement(c.load), c.expected) << "load " << c.load;
    }
}

TEST(StartTipMovement, NeverStartsInUplift) {
    freshEnglishRun();
    setCaseResults({{-50.0f, -0.1f}, {0.0f, 0.0f}, {100.0f, 0.2f}, {300.0f, 0.3f}});
    EXPECT_FLOAT_EQ(startTipMovement(10.0f), 0.02f);
    // -10 interpolates to -0.02: the smallest positive case movement is taken instead.
    EXPECT_FLOAT_EQ(startTipMovement(-10.0f), 0.2f);
    EXPECT_FLOAT_EQ(startTipMovement(-80.0f), 0.2f);
    // No positive case at all: the smallest default movement.
    setCaseResults({{-50.0f, -0.1f}});
    EXPECT_FLOAT_EQ(startTipMovement(10.0f), 0.0001f);
    runStore().IUNIT = 2;
    EXPECT_FLOAT_EQ(startTipMovement(10.0f), 0.00000254f);
    // A single case loaded with exactly its own top load.
    setCaseResults({{70.0f, 0.3f}});
    EXPECT_FLOAT_EQ(startTipMovement(70.0f), 0.3f);
}

// Runs the search against a head-load function, keeping the tip movement of every trial.
template <class F>
LoadSearch search(float load, float w0, F headLoad, std::vector<float>& trials) {
    trials.clear();
    return searchTipMovement(load, w0, [&](float w) {
        trials.push_back(w);
        return headLoad(w);
    });
}

TEST(SearchTipMovement, FirstTrialIsNotABracket) {
    std::vector<float> trials;
    const auto linear = [](float w) { return 1000.0f * w; };
    // Trial 1 is 0.4 high (the limit is 0.25), trial 2 (x 0.98) 9.6 low. Had trial 1 counted as
    // the positive bracket, trial 3 would halve; it steps up by 1.02 instead and lands within.
    const LoadSearch r = search(500.0f, 0.5004f, linear, trials);
    ASSERT_TRUE(r.converged);
    EXPECT_EQ(r.trials, 3);
    ASSERT_EQ(trials.size(), 3u);
    EXPECT_EQ(trials[0], 0.5004f);
    EXPECT_EQ(trials[1], 0.5004f * 0.98f);
    EXPECT_EQ(trials[2], 0.5004f * 0.98f * 1.02f);
    EXPECT_EQ(r.tipMovement, trials[2]);
}

TEST(SearchTipMovement, StepsDownThenHalvesBetweenTheClosestErrors) {
    std::vector<float> trials;
    const auto linear = [](float w) { return 1000.0f * w; };
    const LoadSearch r = search(500.0f, 1.0f, linear, trials);
    ASSERT_TRUE(r.converged);
    // 0.98 steps while the error stays positive: 0.98^35 = 0.4931 is the first one below 0.5.
    for (int n = 1; n <= 35; ++n) EXPECT_EQ(trials[n], trials[n - 1] * 0.98f) << "trial " << n;
    EXPECT_LT(trials[35], 0.5f);
    EXPECT_GT(trials[34], 0.5f);
    // Then halving between the smallest positive and the closest negative error.
    EXPECT_EQ(trials[36], (trials[34] + trials[35]) / 2.0f);
    EXPECT_NEAR(1000.0f * r.tipMovement, 500.0f, 0.25f);
    EXPECT_EQ(r.trials, static_cast<int>(trials.size()));
}

TEST(SearchTipMovement, GivesUpAfterNinetyNineTrials) {
    std::vector<float> trials;
    const auto constant = [](float) { return 100.0f; };
    LoadSearch r = search(500.0f, 0.1f, constant, trials);
    EXPECT_FALSE(r.converged);
    EXPECT_EQ(trials.size(), 99u);
    EXPECT_EQ(trials[1], 0.1f * 1.02f);  // always low: steps up
    // A load of 0 or less can never be met, even exactly.
    const auto linear = [](float w) { return 1000.0f * w; };
    EXPECT_FALSE(search(-100.0f, 0.1f, linear, trials).converged);
    r = search(
        0.0f, 0.1f, [](float) { return 0.0f; }, trials);
    EXPECT_FALSE(r.converged);
    EXPECT_EQ(trials.back(), 0.1f);  // an error of exactly 0 leaves the movement alone
}

}  // namespace
}  // namespace keldar
