// The design of an entered-curves project from a CPT: curve depths, layers and the whole-pile
// shaft capacity against its closed form.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <fstream>
#include <limits>
#include <locale>
#include <numbers>

#include "CptFile.h"
#include "DesignSummary.h"
#include "PileDesign.h"

namespace keldar::cpt {
namespace {

CptRecord UniformSand(double qc, double depth, bool withFs) {
    CptRecord record;
    for (int i = 0; i * 0.02 <= depth + 1e-9; ++i) {
        record.readings.push_back({i * 0.02, qc, withFs ? 0.006 * qc : kNotMeasured, kNotMeasured});
    }
    return record;
}

TEST(PileDesignTest, CurveDepthsKeepBoundariesAndLimit) {
    const std::vector<double> depths = CurveDepths(20.0, 1.0, {7.5}, kMaxEnteredCurves);
    // 0 .. 20 every metre (21) and a pair at 7.49 / 7.51.
    ASSERT_EQ(depths.size(), 23u);
    EXPECT_DOUBLE_EQ(depths[8], 7.49);
    EXPECT_DOUBLE_EQ(depths[9], 7.51);
    EXPECT_DOUBLE_EQ(depths.back(), 20.0);
    // A long pile at a fine spacing: the spacing widens to fit 100 curves, the boundaries stay.
    const std::vector<double> many = CurveDepths(80.0, 0.25, {10.0, 40.0}, kMaxEnteredCurves);
    EXPECT_LE(many.size(), 100u);
    EXPECT_GT(many.size(), 60u);
    EXPECT_NE(std::find(many.begin(), many.end(), 39.99), many.end());
    EXPECT_NE(std::find(many.begin(), many.end(), 40.01), many.end());
}

// A run within the tolerance keeps its first and last curve; pinned curves always stay.
TEST(PileDesignTest, MergeSmoothRunsKeepsRunEndsAndPinned) {
    const double peaks[] = {10, 10.1, 10.15, 10.1, 20, 20, 20.1, 20, 30};
    std::vector<DesignCurve> curves;
    std::vector<bool> pinned;
    for (int i = 0; i < 9; ++i) {
        curves.push_back({});
        curves.back().depth = i;
        curves.back().tauF = peaks[i];
        pinned.push_back(i == 5);
    }
    std::vector<double> kept;
    for (const DesignCurve& c : MergeSmoothRuns(curves, 0.02, pinned)) kept.push_back(c.depth);
    EXPECT_EQ(kept, (std::vector<double>{0, 3, 4, 5, 7, 8}));
    EXPECT_EQ(MergeSmoothRuns(curves, 0.0, pinned).size(), 9u);
}

// A long pile at a fine spacing through sand, clay and sand: fewer curves where the profile is
// smooth, at most 100, the ends and both boundary pairs kept, the shaft capacity within the
// tolerance of the design that keeps every curve.
TEST(PileDesignTest, MergedDesignKeepsBoundariesLimitAndCapacity) {
    CptRecord record;
    for (int i = 0; i * 0.02 <= 62.0 + 1e-9; ++i) {
        const double z = i * 0.02;
        const bool clay = z >= 20.0 && z < 40.0;
        record.readings.push_back({z, clay ? 1500.0 : 20000.0, clay ? 45.0 : 100.0, kNotMeasured});
    }
    DesignOptions options;
    options.pile = {0.9, 0.02, false, 60.0};
    options.curveSpacing = 0.25;
    options.layers = {{20.0, SoilKind::Sand}, {40.0, SoilKind::Clay}, {1e9, SoilKind::Sand}};
    const PileDesign merged = *DesignPile(record, options).design;
    options.mergeTolerance = 0;
    const PileDesign every = *DesignPile(record, options).design;
    EXPECT_LE(every.curves.size(), 100u);
    EXPECT_LT(merged.curves.size(), every.curves.size() * 3 / 4);
    std::vector<double> depths;
    for (const DesignCurve& c : merged.curves) depths.push_back(c.depth);
    for (double d : {0.0, 19.99, 20.01, 39.99, 40.01, 60.0}) {
        EXPECT_TRUE(std::any_of(depths.begin(), depths.end(), [d](double x) {
            return std::abs(x - d) < 1e-9;
        })) << d;
    }
    EXPECT_NEAR(merged.ShaftCapacity(0.9) / every.ShaftCapacity(0.9), 1.0, 0.02);
}

// Uniform dry-to-saturated sand with constant qc: τf(z) = tan δ [qc/44 Are^0.3 max(1,(L−z)/D)^-0.4
// + qc/10 (qc/σ'v0)^-0.33 dCPT/D] with σ'v0 = γ' z integrates in closed form.
TEST(PileDesignTest, UniformSandShaftCapacityClosedForm) {
    const double qc = 15000.0, length = 20.0, diameter = 0.5;
    DesignOptions options;
    options.pile = {diameter, 0, true, length};
    options.unitWeights = {{0, 19.81}};
    options.waterTable = 0;  // σ'v0 = 10 z
    const DesignResult result = DesignPile(UniformSand(qc, 25.0, false), options);
    ASSERT_TRUE(result.design) << result.message;

    const double tanDelta = std::tan(29.0 * std::numbers::pi / 180.0);
    // ∫0^L max(1, h/D)^-0.4 dz = D + D^0.4 (L^0.6 − D^0.6)/0.6.
    const double stationary =
        qc / 44.0 *
        (diameter +
         std::pow(diameter, 0.4) * (std::pow(length, 0.6) - std::pow(diameter, 0.6)) / 0.6);
    // ∫0^L (qc/(10 z))^-0.33 dz = (qc/10)^-0.33 L^1.33 / 1.33.
    const double dilatant = qc / 10.0 * std::pow(qc / 10.0, -0.33) * std::pow(length, 1.33) / 1.33 *
                            (0.0357 / diameter);
    const double closedForm = std::numbers::pi * diameter * tanDelta * (stationary + dilatant);
    EXPECT_NEAR(result.design->ShaftCapacity(diameter) / closedForm, 1.0, 0.005);
    EXPECT_EQ(result.design->curves.size(), 21u);
    EXPECT_EQ(result.design->notes.size(), 1u);  // no sleeve friction: sand throughout
}

TEST(PileDesignTest, LayersFromIcAndClayBase) {
    // Sand to 6 m over clay: the boundary is found from Ic and pinned by a pair of curves.
    CptRecord record;
    for (int i = 0; i * 0.02 <= 15.0 + 1e-9; ++i) {
        const double z = i * 0.02;
        const bool sand = z < 6.0;
        record.readings.push_back({z, sand ? 12000.0 : 900.0, sand ? 60.0 : 40.0, kNotMeasured});
    }
    DesignOptions options;
    options.pile = {0.6, 0.02, false, 12.0};
    options.unitWeights = {{0, 19.0}};
    options.waterTable = 1.0;
    const DesignResult result = DesignPile(record, options);
    ASSERT_TRUE(result.design) << result.message;
    const PileDesign& design = *result.design;
    ASSERT_EQ(design.layers.size(), 2u);
    EXPECT_NEAR(design.layers[0].bottom, 6.0, 0.03);
    EXPECT_EQ(design.layers[1].kind, SoilKind::Clay);
    EXPECT_EQ(design.baseKind, SoilKind::Clay);
    EXPECT_NEAR(design.qp, 900.0, 1e-6);
    EXPECT_NEAR(design.baseCurve[5].t, design.qbPeak * std::numbers::pi * 0.09, 1e-6);
    int sandCurves = 0;
    for (const DesignCurve& c : design.curves) sandCurves += c.kind == SoilKind::Sand;
    EXPECT_EQ(sandCurves, 7);  // 0 .. 5 m and the one just above the boundary
}

TEST(PileDesignTest, TensionHasNoBaseAndLowerFriction) {
    DesignOptions options;
    options.pile = {0.5, 0, true, 10.0};
    const CptRecord record = UniformSand(10000.0, 12.0, false);
    const double compression = DesignPile(record, options).design->ShaftCapacity(0.5);
    options.direction = LoadDirection::Tension;
    const PileDesign tension = *DesignPile(record, options).design;
    EXPECT_NEAR(tension.ShaftCapacity(0.5), 0.75 * compression, 1e-6 * compression);
    EXPECT_EQ(tension.baseCurve.back().t, 0.0);
}

TEST(PileDesignTest, RefusedWhereTheCptEndsAboveTheTip) {
    DesignOptions options;
    options.pile = {0.5, 0, true, 30.0};
    const DesignResult result = DesignPile(UniformSand(10000.0, 12.0, false), options);
    EXPECT_FALSE(result.design);
    EXPECT_EQ(result.message, "the CPT ends at 12 m, above the pile tip at 30 m");
    options.pile.length = 10.0;
    options.pile.diameter = std::numeric_limits<double>::infinity();
    EXPECT_EQ(DesignPile(UniformSand(10000.0, 12.0, false), options).message,
              "a pile or ground value is not a finite number");
}

}  // namespace
}  // namespace keldar::cpt

namespace keldar::cpt {
namespace {

// A German locale (decimal comma) changes neither what is read nor what is written.
TEST(PileDesignTest, LocaleChangesNothing) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 missing";
    const std::locale previous = std::locale::global(std::locale("de_DE.UTF-8"));
    const std::string path = ::testing::TempDir() + "locale.csv";
    std::ofstream(path) << "depth [m],qc [MPa],fs [kPa]\n0.0,12.5,60\n15.0,12.5,60\n";
    const CptRecord record = ReadCptFile(path);
    DesignOptions options;
    options.pile = {0.5, 0, true, 10.0};
    const std::string summary = DesignSummary(record, options, *DesignPile(record, options).design);
    std::locale::global(previous);
    std::setlocale(LC_ALL, "C");
    EXPECT_DOUBLE_EQ(record.readings[0].qc, 12500.0);
    EXPECT_NE(summary.find("Pile: D 0.500 m, closed end, L 10.00 m"), std::string::npos) << summary;
}

}  // namespace
}  // namespace keldar::cpt
