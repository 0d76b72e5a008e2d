#include "TipCurve.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "Format.h"
#include "OutputFile.h"
#include "PropertyLookup.h"
#include "RunStore.h"
#include "SideCurves.h"
#include "UnitSystem.h"

namespace keldar {

namespace {

constexpr int kShapePoints = kGeneratedPoints - 1;  // points 2..10; point 1 is the origin
using ShapeRow = std::array<float, kShapePoints>;

// Tip movements as fractions of the diameter and Q / Qult.
struct QwShape {
    ShapeRow movement;
    ShapeRow ratio;
};

constexpr QwShape kReeseONeillClay{
    {0.005f, 0.01f, 0.015f, 0.025f, 0.03f, 0.04f, 0.05f, 0.07f, 0.1f},
    {0.395f, 0.56f, 0.7f, 0.865f, 0.9f, 0.95f, 0.97f, 0.98f, 0.99f}};

// Rises past Qult: 1.46 Qult at 10 % of the diameter.
constexpr QwShape kReeseONeillSand{
    {0.005f, 0.01f, 0.015f, 0.025f, 0.03f, 0.04f, 0.05f, 0.07f, 0.1f},
    {0.2f, 0.345f, 0.485f, 0.64f, 0.73f, 0.83f, 1.015f, 1.195f, 1.46f}};

// API clay and sand share one shape.
constexpr QwShape kApi{{0.0005f, 0.001f, 0.002f, 0.013f, 0.042f, 0.073f, 0.1f, 0.15f, 0.2f},
                       {0.0625f, 0.125f, 0.25f, 0.5f, 0.75f, 0.9f, 1.0f, 1.0f, 1.0f}};

// Mosher's tip movements (inches) and the reference movement of 5 % of the diameter.
constexpr ShapeRow kMosherMovement{0.0001f, 0.005f, 0.01f, 0.05f, 0.1f, 0.2f, 0.5f, 0.75f, 1.0f};
constexpr float kMosherReferenceFraction = 0.05f;

// Coyle & Reese: wmax = 8 e50 D; the parabola reaches Qult at wmax, then holds to 10 wmax.
constexpr float kCoyleReeseMaxFactor = 8.0f;
constexpr float kCoyleReeseLastFactor = 10.0f;

constexpr float kClayBearingFactor = 9.0f;
// A tip resistance at or below these is taken as "not given": the method computes q.
constexpr float kClayTipGiven = 0.00001f;
constexpr float kSandTipGiven = 0.0001f;

const Layout kTipWarningHead("(/,29X,'**** WARNING ****')");
const Layout kTipWarningDepth("(5X,'AT THE PILE TIP X =',E9.2)");
const Layout kTipWarningE50("(5X,'E50 IS NOT ABOVE ZERO: NO COYLE & REESE TIP CURVE')");

bool englishUnits() { return runStore().IUNIT == usEnglish; }
float diameterInInches() {
    return englishUnits() ? runStore().DIAM : runStore().DIAM / kMetresPerInch;
}
float inchesToLengthUnit(float w) { return englishUnits() ? w : w * kMetresPerInch; }

void setOrigin() {
    RunStore& s = runStore();
    s.NQW = kGeneratedPoints;
    s.QTIP[1] = 0.0f;
    s.WTIP[1] = 0.0f;
}

void buildFromShape(const QwShape& shape, float qult) {
    RunStore& s = runStore();
    setOrigin();
    for (int k = 0; k < kShapePoints; ++k) {
        s.QTIP[k + 2] = qult * shape.ratio[k];
        s.WTIP[k + 2] = shape.movement[k] * s.DIAM;
    }
}

void buildCoyleReeseClay(float qult, std::int32_t& status) {
    RunStore& s = runStore();
    const float e50 = lookupEE50(s.PLEN, tipPropertyRows());
    if (!(e50 > 0.0f)) {
        // The parabola would collapse onto w = 0: a vertical tip curve the solver cannot use.
        OutputFile& report = runFiles().report;
        report.write(kTipWarningHead);
        report.write(kTipWarningDepth, s.PLEN);
        report.write(kTipWarningE50);
        status = kStatusTipCurveUndefined;
        return;
    }
    const float wmax = kCoyleReeseMaxFactor * e50 * diameterInInches();
    setOrigin();
    for (int k = 2; k <= kGeneratedPoints - 1; ++k) {
        const float fraction = static_cast<float>(k - 1) / 8.0f;
        s.WTIP[k] = inchesToLengthUnit(fraction * wmax);
        s.QTIP[k] = qult * std::sqrt(fraction);
    }
    s.WTIP[kGeneratedPoints] = inchesToLengthUnit(kCoyleReeseLastFactor * wmax);
    s.QTIP[kGeneratedPoints] = qult;
}

// Exponent of Mosher's power law from the friction angle of the deepest t-z curve.
float mosherExponent(float phi) {
    if (phi <= 31.0f) return 0.5f;
    if (phi <= 38.0f) return 0.333f;
    return 0.25f;
}

// The curve whose friction angle sets Mosher's exponent: the deepest one. A tip ending exactly
// at the bottom of its layer takes the deepest curve of that layer, so that soil below the tip
// does not change the tip curve.
int mosherExponentCurve() {
    const RunStore& s = runStore();
    const int layer = tipLayer();
    const int deepest = std::clamp(s.NCURV, 0, kMaxCurves);
    if (layer > 0 && s.PLEN == s.XBOT[layer]) return std::min(kCurvesPerLayer * layer, deepest);
    return deepest;
}

// Q = Qult (w / wr)^n with no cap: movements beyond wr carry more than Qult.
void buildMosherSand(float qult) {
    RunStore& s = runStore();
    const float n = mosherExponent(s.PHIC[mosherExponentCurve()]);
    const float wr = kMosherReferenceFraction * diameterInInches();
    setOrigin();
    for (int k = 0; k < kShapePoints; ++k) {
        const float w = kMosherMovement[k];
        s.QTIP[k + 2] = qult * std::pow(w / wr, n);
        s.WTIP[k + 2] = inchesToLengthUnit(w);
    }
}

}  // namespace

int tipLayer() {
    const RunStore& s = runStore();
    const int layers = std::clamp(s.NLAYER, 0, kMaxLayers);
    for (int i = 1; i <= layers; ++i) {
        if (s.PLEN <= s.XBOT[i]) return i;
    }
    return layers;
}

std::optional<TSoilCode> tipSoilCode() {
    const int layer = tipLayer();
    if (layer <= 0) return std::nullopt;
    return SoilCodeOf(runStore().KSOIL[layer]);
}

int tipPropertyRows() {
    const int layer = tipLayer();
    return layer > 0 ? 2 * layer : kEveryRow;
}

float bearingFactorNq(float phi) {
    const float degree = kPi / 180.0f;
    const float tanHalf = std::tan((45.0f + phi / 2.0f) * degree);
    return std::exp(kPi * std::tan(phi * degree)) * tanHalf * tanHalf;
}

TipResistance unitTipResistance(TSoilCode code, std::int32_t& status) {
    const float x = runStore().PLEN;
    const int rows = tipPropertyRows();
    TipResistance r;
    if (SoilKindOf(code) == skClay) {
        r.unit = kClayBearingFactor * lookupC1(x, status, rows);
        if (status > 0) return {};
        const float t0 = lookupTIP(x, status, rows);
        if (status > 0) return {};
        if (t0 > kClayTipGiven) r = {t0, true, 0.0f};
    } else {
        const float phi = lookupPHI1(x, status, rows);
        if (status > 0) return {};
        r.nq = bearingFactorNq(phi);
        r.unit = x * GAMAVG(x, status) * r.nq;
        if (status > 0) return {};
        const float t0 = lookupTIP(x, status, rows);
        if (status > 0) return {};
        if (t0 > kSandTipGiven) r = {t0, true, r.nq};
    }
    return r;
}

float ultimateTipLoad(TSoilCode code, std::int32_t& status) {
    return unitTipResistance(code, status).unit * runStore().ATIP;
}

void buildQwCurve(TSoilCode code, float qult, std::int32_t& status) {
    switch (code) {
        case scCoyleReeseClay:
            buildCoyleReeseClay(qult, status);
            break;
        case scMosherSand:
            buildMosherSand(qult);
            break;
        case scReeseONeillClay:
            buildFromShape(kReeseONeillClay, qult);
            break;
        case scReeseONeillSand:
            buildFromShape(kReeseONeillSand, qult);
            break;
        case scApiClay:
        case scApiSand:
            buildFromShape(kApi, qult);
            break;
    }
}

}  // namespace keldar
