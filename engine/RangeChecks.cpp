#include "RangeChecks.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "RunNotes.h"
#include "RunStore.h"
#include "SoilCode.h"
#include "UnitSystem.h"

namespace keldar {

namespace {

// Coyle & Reese give e50 as a strain: 0.005 to 0.02 in most clays. Above 0.05 it is almost
// surely a percentage, which makes the tip curve about 100 times too soft.
constexpr float kLargestE50 = 0.05f;

// Effective unit weights of soils, submerged peat to dry dense gravel.
constexpr float kLightestSoil = 2.0f;   // kN/m^3
constexpr float kHeaviestSoil = 25.0f;  // kN/m^3
constexpr float kKnPerM3InLbPerIn3 = 0.0036839f;

// The friction angles for which the sand methods were established.
constexpr float kSmallestPhi = 20.0f;
constexpr float kLargestPhi = 45.0f;

// API RP 2A-WSD table 6.4.3-1: Nq and the limiting unit end bearing in kips/ft^2 and in MPa.
struct ApiSandClass {
    float nq;
    float kipsPerSquareFoot;
    float megapascals;
};
constexpr std::array<ApiSandClass, 5> kApiSandClasses{{{8.0f, 40.0f, 1.9f},
                                                       {12.0f, 60.0f, 2.9f},
                                                       {20.0f, 100.0f, 4.8f},
                                                       {40.0f, 200.0f, 9.6f},
                                                       {50.0f, 250.0f, 12.0f}}};

bool english() { return runStore().IUNIT == usEnglish; }
const char* stressUnit() { return english() ? "psi" : "kPa"; }
const char* forceUnit() { return english() ? "lb" : "kN"; }

std::string place(int layer, int row) {
    return "layer " + std::to_string(layer) + ", row " + std::to_string(row) + ": ";
}

void warn(const char* quantity, int layer, int row, float value, const std::string& text) {
    noteRangeWarning({quantity, layer, row, value, place(layer, row) + text});
}

void checkE50(int layer, int row) {
    const float e50 = runStore().EE50[row];
    if (e50 <= kLargestE50) return;
    warn("e50", layer, row, e50,
         "e50 = " + noteNumber(e50) + " is above " + noteNumber(kLargestE50) + ". " +
             SoilMethodName(scCoyleReeseClay) +
             " takes e50 as a decimal strain (0.005 to 0.02 in most clays); a percentage "
             "entered as a whole number makes the tip curve about 100 times too soft.");
}

void checkUnitWeight(int layer, int row) {
    const float scale = english() ? kKnPerM3InLbPerIn3 : 1.0f;
    const float lightest = kLightestSoil * scale, heaviest = kHeaviestSoil * scale;
    const float gamma = runStore().GAM1[row];
    if (gamma >= lightest && gamma <= heaviest) return;
    const std::string unit = english() ? " lb/in^3" : " kN/m^3";
    warn("unit weight", layer, row, gamma,
         "effective unit weight = " + noteNumber(gamma) + unit + " is outside " +
             noteNumber(lightest) + " to " + noteNumber(heaviest) + unit +
             " (2 to 25 kN/m^3), the range of soils" +
             (english() ? "; a value in lb/ft^3 is 1728 times too large." : "."));
}

void checkFrictionAngle(int layer, int row, TSoilCode code) {
    const float phi = runStore().PHI1[row];
    if (phi >= kSmallestPhi && phi <= kLargestPhi) return;
    warn("friction angle", layer, row, phi,
         "friction angle = " + noteNumber(phi) + " degrees is outside " + noteNumber(kSmallestPhi) +
             " to " + noteNumber(kLargestPhi) + " degrees, the range of " + SoilMethodName(code) +
             ".");
}

const ApiSandClass& apiSandClass(float nq) {
    const ApiSandClass* found = &kApiSandClasses.front();
    for (const ApiSandClass& c : kApiSandClasses)
        if (nq >= c.nq) found = &c;
    return *found;
}

}  // namespace

float apiLimitingEndBearing(float nq, std::int32_t iunit) {
    const ApiSandClass& c = apiSandClass(nq);
    // 1 kip/ft^2 = 1000 / 144 psi.
    return iunit == usEnglish ? c.kipsPerSquareFoot * 1000.0f / 144.0f : c.megapascals * 1000.0f;
}

void warnPropertiesOutsideMethods() {
    const RunStore& s = runStore();
    const int layers = std::clamp(s.NLAYER, 0, kMaxLayers);
    // Unit weights enter only the overburden of a sand tip, through the layers down to it.
    const std::optional<TSoilCode> tip = tipSoilCode();
    const int weighed = tip && SoilKindOf(*tip) == skSand ? tipLayer() : 0;
    for (int i = 1; i <= layers; ++i) {
        const std::optional<TSoilCode> code = SoilCodeOf(s.KSOIL[i]);
        for (const int row : {2 * i - 1, 2 * i}) {
            if (code == scCoyleReeseClay) checkE50(i, row);
            if (i <= weighed) checkUnitWeight(i, row);
            if (code && SoilKindOf(*code) == skSand) checkFrictionAngle(i, row, *code);
        }
    }
}

// The largest load of the tip curve.
static float peakTipLoad() {
    const RunStore& s = runStore();
    float peak = 0.0f;
    for (int k = 1; k <= std::clamp(s.NQW, 0, kMaxQwPoints); ++k) peak = std::max(peak, s.QTIP[k]);
    return peak;
}

void warnTipOutsideMethod(TSoilCode code, const TipResistance& resistance) {
    const RunStore& s = runStore();
    const int layer = tipLayer();
    if (layer <= 0) return;
    const int row = 2 * layer;  // the tip reads the rows down to the bottom of its layer
    if (code == scApiSand && !resistance.entered) {
        const float limit = apiLimitingEndBearing(resistance.nq, s.IUNIT);
        if (resistance.unit > limit) {
            warn("tip resistance", layer, row, resistance.unit,
                 "the generated unit tip resistance of " + std::string(SoilMethodName(scApiSand)) +
                     ", " + noteNumber(resistance.unit) + " " + stressUnit() +
                     " (sigma'v x Nq, Nq = " + noteNumber(resistance.nq) + "), is above " +
                     noteNumber(limit) + " " + stressUnit() +
                     ", the limiting unit end bearing of API RP 2A for its Nq class (Nq = " +
                     noteNumber(apiSandClass(resistance.nq).nq) +
                     "). Enter the limited value as the tip resistance if it applies.");
        }
    }
    const float qult = resistance.unit * s.ATIP;
    const float peak = peakTipLoad();
    if (SoilKindOf(code) == skSand && resistance.entered && peak > qult) {
        warn("tip curve", layer, row, peak,
             "the tip curve of " + std::string(SoilMethodName(code)) + " rises to " +
                 noteNumber(peak) + " " + forceUnit() + ", " + noteNumber(peak / qult) +
                 " times the ultimate tip load " + noteNumber(qult) + " " + forceUnit() +
                 " from the entered tip resistance " + noteNumber(resistance.unit) + " " +
                 stressUnit() + ".");
    }
}

}  // namespace keldar
