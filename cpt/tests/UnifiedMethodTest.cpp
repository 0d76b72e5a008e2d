// The Unified CPT methods, the load-transfer curves, Ic and the base averaging against the
// checked values that their sources print, and against hand computations where none is printed.
#include <gtest/gtest.h>

#include <cmath>

#include "BaseAveraging.h"
#include "InSituStress.h"
#include "LoadTransfer.h"
#include "SoilBehaviourType.h"
#include "UnifiedClay.h"
#include "UnifiedSand.h"
#include "UnitWeight.h"

namespace keldar::cpt {
namespace {

// The OpenSees documentation of TzSandCPT and QbSandCPT (Unified CPT method, a Gulf of Mexico
// sand site): qc 39928 kPa, σ'v 203.8 kPa, D 2.44 m, t 0.0445 m, h 40 m.
const PileGeometry kOffshorePile{2.44, 0.0445, false, 40.0};

TEST(UnifiedSandTest, ShaftFrictionCheckedValues) {
    SandShaftInput input{39928.0, 203.8, 40.0};
    EXPECT_NEAR(SandShaftFriction(input, kOffshorePile), 84.3, 0.05);  // printed 84.3 kPa
    input.direction = LoadDirection::Tension;
    EXPECT_NEAR(SandShaftFriction(input, kOffshorePile), 63.2, 0.05);  // printed 63.2 kPa
}

TEST(UnifiedSandTest, BaseResistanceCheckedValue) {
    // Printed as 7.629 (MPa, for qp = 50000 kPa); the formula gives 7629.7 kPa, within one unit
    // of the printed last digit.
    EXPECT_NEAR(SandBaseResistance(50000.0, kOffshorePile) / 1000.0, 7.629, 0.001);
}

TEST(UnifiedSandTest, ClosedEndHasFullAreaRatio) {
    const PileGeometry closed{0.5, 0.02, true, 20.0};
    EXPECT_DOUBLE_EQ(EffectiveAreaRatio(closed), 1.0);
    EXPECT_DOUBLE_EQ(SandBaseResistance(10000.0, closed), 5000.0);  // (0.12 + 0.38) qp
    // Far above the tip the h/D term caps at 1: σ'rc = qt/44 at h ≤ D.
    EXPECT_DOUBLE_EQ(SandStationaryRadialStress(4400.0, 1.0, 0.2, 0.5), 100.0);
    EXPECT_DOUBLE_EQ(SandDilatantRadialStress(4400.0, 0.0, 0.5), 0.0);
}

TEST(UnifiedClayTest, ShaftAndBaseByHand) {
    const PileGeometry pipe{0.6, 0.025, false, 30.0};
    // D* = (0.6² − 0.55²)^0.5 = 0.23979 m.
    EXPECT_NEAR(EquivalentDiameter(pipe), 0.239792, 1e-6);
    // qt 1500, fs 40, σv0 200, σ'v0 110, h 12: Qt = 11.818, Fr = 3.077 %, Iz1 = 11.66 > 0, Fst = 1;
    // τf = 0.07 × 1500 × (12/0.23979)^-0.25 = 39.48 kPa.
    const ClayShaftInput input{1500.0, 40.0, 200.0, 110.0, 12.0};
    EXPECT_NEAR(SensitiveClayIndex(1500.0, 40.0, 200.0, 110.0),
                11.818 - 12 * std::exp(-1.4 * 3.0769), 1e-3);
    EXPECT_NEAR(ClayShaftFriction(input, pipe), 105.0 * std::pow(12.0 / std::sqrt(0.0575), -0.25),
                1e-9);
    EXPECT_NEAR(ClayShaftFriction(input, pipe), 39.48, 0.005);
    // A sensitive clay (low Qt, low friction ratio): Iz1 < 0 halves τf.
    const ClayShaftInput sensitive{400.0, 1.0, 200.0, 110.0, 0.1};
    EXPECT_LT(SensitiveClayIndex(400.0, 1.0, 200.0, 110.0), 0.0);
    EXPECT_NEAR(ClayShaftFriction(sensitive, pipe), 0.5 * 0.07 * 400.0, 1e-9);
    const PileGeometry closed{0.6, 0, true, 30.0};
    EXPECT_DOUBLE_EQ(ClayBaseResistance(2000.0, closed), 1600.0);  // (0.2 + 0.6) qp
}

TEST(LoadTransferTest, SandShaftCurvePeaksAtZf) {
    // zf = D qc^0.5 σ'v^0.25 / (1250 × 100^0.75) = 2.44 × 199.82 × 3.7783 / 39528.5 = 0.046605 m.
    const double zf = SandShaftPeakMovement(39928.0, 203.8, 2.44, LoadDirection::Compression);
    EXPECT_NEAR(zf,
                2.44 * std::sqrt(39928.0) * std::pow(203.8, 0.25) / (1250 * std::pow(100.0, 0.75)),
                1e-12);
    EXPECT_NEAR(zf, 0.0466, 0.0001);
    EXPECT_DOUBLE_EQ(SandShaftPeakMovement(39928.0, 203.8, 2.44, LoadDirection::Tension), 2 * zf);
    EXPECT_DOUBLE_EQ(SandShaftTransfer(80.0, zf, 0.5 * zf), 60.0);  // 2(0.5) − 0.25 = 0.75
    EXPECT_DOUBLE_EQ(SandShaftTransfer(80.0, zf, 3 * zf), 80.0);
    const Curve curve = SandShaftCurve(80.0, zf);
    EXPECT_DOUBLE_EQ(curve.back().t, 80.0);
    EXPECT_DOUBLE_EQ(curve.back().z, zf);
}

TEST(LoadTransferTest, SandBaseCurveHyperbola) {
    // zb/D = 0.01 r / (1 − 0.9 r): 0.1 at r = 1, 0.01/0.55 × 0.5 at r = 0.5.
    EXPECT_DOUBLE_EQ(SandBaseMovement(1000.0, 1000.0, 2.0), 0.2);
    EXPECT_NEAR(SandBaseMovement(500.0, 1000.0, 2.0), 2.0 * 0.005 / 0.55, 1e-15);
    const Curve curve = SandBaseCurve(1000.0, 2.0);
    EXPECT_NEAR(curve[10].z, 0.2, 1e-12);
    EXPECT_DOUBLE_EQ(curve[10].t, 1000.0);
    // Past 0.1 D: r = (zb/D)/(0.01 + 0.9 zb/D); at 0.2 D, 0.2/0.19.
    EXPECT_NEAR(curve.back().t, 1000.0 * 0.2 / 0.19, 1e-9);
    for (std::size_t i = 1; i < curve.size(); ++i) EXPECT_GT(curve[i].z, curve[i - 1].z);
}

TEST(LoadTransferTest, ApiShapes) {
    const Curve shaft = ApiClayShaftCurve(50.0, 0.5, 0.8);
    ASSERT_EQ(shaft.size(), 7u);
    EXPECT_DOUBLE_EQ(shaft[5].t, 50.0);
    EXPECT_DOUBLE_EQ(shaft[5].z, 0.005);
    EXPECT_DOUBLE_EQ(shaft[6].t, 40.0);
    const Curve base = ApiBaseCurve(2000.0, 0.5);
    EXPECT_DOUBLE_EQ(base[1].t, 500.0);
    EXPECT_DOUBLE_EQ(base[1].z, 0.001);
    EXPECT_DOUBLE_EQ(base.back().z, 0.05);
}

TEST(SoilBehaviourTypeTest, HandComputedRows) {
    // σ'v0 = pa makes Qtn independent of n: Qtn = (10000 − 190)/100 = 98.1, F = 50/9810 = 0.5097 %.
    const BehaviourType sand = SoilBehaviourIndex(10000.0, 50.0, 190.0, 100.0);
    const double icSand = std::hypot(3.47 - std::log10(98.1), std::log10(50.0 / 9810 * 100) + 1.22);
    ASSERT_TRUE(sand.valid);
    EXPECT_NEAR(sand.ic, icSand, 1e-12);
    EXPECT_NEAR(sand.ic, 1.745, 0.001);
    EXPECT_NEAR(sand.n, 0.381 * icSand + 0.05 - 0.15, 1e-12);  // the converged exponent
    // A clay: n caps at 1, Qtn = (800 − 150)/80 = 8.125, F = 30/650 = 4.615 %, Ic = 3.179.
    const BehaviourType clay = SoilBehaviourIndex(800.0, 30.0, 150.0, 80.0);
    EXPECT_DOUBLE_EQ(clay.n, 1.0);
    EXPECT_NEAR(clay.qtn, 8.125, 1e-12);
    EXPECT_NEAR(clay.ic, 3.179, 0.001);
    EXPECT_FALSE(SoilBehaviourIndex(100.0, 30.0, 150.0, 80.0).valid);  // qt below σv0
}

TEST(InSituStressTest, LayersAndWaterTable) {
    const StressProfile stresses({{2.0, 17.0}, {0, 20.0}}, 1.5);
    EXPECT_DOUBLE_EQ(stresses.Total(1.0), 17.0);
    EXPECT_DOUBLE_EQ(stresses.Total(5.0), 34.0 + 60.0);
    EXPECT_DOUBLE_EQ(stresses.PorePressure(5.0), 9.81 * 3.5);
    EXPECT_DOUBLE_EQ(stresses.Effective(1.0), 17.0);
}

TEST(InSituStressTest, UnitWeightFromTheCone) {
    // Rf = 1 % and qt = 100 pa: γ/γw = 0.27 × 0 + 0.36 × 2 + 1.236 = 1.956.
    EXPECT_NEAR(UnitWeightFromCone(10000.0, 100.0, 19.0), 9.81 * 1.956, 1e-12);
    EXPECT_DOUBLE_EQ(UnitWeightFromCone(10000.0, kNotMeasured, 18.5), 18.5);
    CptRecord record;
    record.readings = {{0.0, 10000.0, 100.0}, {1.0, 10000.0, 100.0}, {2.0, 500.0}};
    const StressProfile stresses(UnitWeightsFromCone(record, 18.0), 10.0);
    EXPECT_NEAR(stresses.Total(1.5), 1.5 * 9.81 * 1.956, 1e-12);
    EXPECT_NEAR(stresses.Total(3.0), 1.5 * 9.81 * 1.956 + 1.5 * 18.0, 1e-12);
}

TEST(BaseAveragingTest, OnePointFiveDiameterMean) {
    // qt rising 1000 kPa per metre from 0: the mean over 8.5 .. 11.5 m is the value at 10 m.
    const DepthSeries linear({0.0, 20.0}, {0.0, 20000.0});
    EXPECT_NEAR(OnePointFiveDiameterAverage(linear, 10.0, 1.0), 10000.0, 1e-9);
    // A step at the tip: half the window in each.
    const DepthSeries step({0.0, 10.0, 10.0001, 20.0}, {2000.0, 2000.0, 8000.0, 8000.0});
    EXPECT_NEAR(OnePointFiveDiameterAverage(step, 10.0, 1.0), 5000.0, 1.0);
}

TEST(BaseAveragingTest, DutchMethod) {
    const DepthSeries uniform({0.0, 30.0}, {12000.0, 12000.0});
    EXPECT_NEAR(DutchAverage(uniform, 15.0, 0.5), 12000.0, 1e-9);
    // A soft band above the tip pulls qc3 to its value while qc1 = qc2 stay on the sand below:
    // qp = ((10000 + 10000)/2 + 2000)/2 = 6000 where the band covers the whole 8 D above.
    const DepthSeries band({0.0, 9.9, 9.95, 20.0}, {2000.0, 2000.0, 10000.0, 10000.0});
    EXPECT_NEAR(DutchAverage(band, 10.0, 0.5), 6000.0, 200.0);
}

}  // namespace
}  // namespace keldar::cpt
