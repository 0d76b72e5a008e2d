// The engine's run storage: one block of plain data per run, shared by every engine routine of
// that run (see RunContext.h).
//
// Arrays are 1-based (index 0 is unused) so that the numerical code reads like the load-transfer
// formulation it implements. Capacities match what the GUI's tables can write: 30 soil layers
// generate 150 t-z curves. Every count read from a data file is checked against these capacities
// before anything is stored.
#pragma once

#include <cstdint>

namespace keldar {

inline constexpr int kMaxCurves = 150;                   // t-z curves (30 layers x 5)
inline constexpr int kMaxCurvePoints = 100;              // points of one t-z curve
inline constexpr int kMaxLayers = 30;                    // soil layers
inline constexpr int kMaxPropertyRows = 2 * kMaxLayers;  // unit-weight and strength rows
inline constexpr int kMaxAePoints = 50;                  // axial stiffness points
inline constexpr int kMaxQwPoints = 50;                  // tip curve points
inline constexpr int kMaxTipMovements = 100;             // assumed tip movements (= result cases)
inline constexpr int kMaxTopLoads = 50;                  // pile-head loads
inline constexpr int kMaxSettlementPoints = 100;         // soil settlement profile points
inline constexpr int kMaxFactorRows = 50;                // t-z multiplier rows
inline constexpr int kMaxIncrements = 1000;  // pile increments (the GUI allows 10 to 500)

inline constexpr int kCurvesPerLayer = 5;     // generated t-z curves per soil layer
inline constexpr int kGeneratedPoints = 10;   // points of a generated t-z or Q-w curve
inline constexpr int kMaxPlottedCurves = 30;  // generated curves written to the plot file

inline constexpr int kTitleLength = 72;

// Run status returned by the entry point. 4 to 8 come from curve generation (property lookups
// beyond the soil data); 10 and above are input and file problems found by the driver.
enum RunStatus : std::int32_t {
    kStatusOk = 0,
    kStatusBadHandshake = 1,
    kStatusUnitWeightExtent = 4,
    kStatusShearStrengthExtent = 5,
    kStatusSideFrictionExtent = 6,
    kStatusTipResistanceExtent = 7,
    kStatusFrictionAngleExtent = 8,
    kStatusTipCurveUndefined = 9,
    kStatusNamesFile = 10,
    kStatusCannotOpenInput = 11,
    kStatusCannotCreateOutput = 12,
    kStatusInputTruncated = 13,
    kStatusInputMalformed = 14,
    kStatusCountOutOfRange = 15,
    kStatusBadSoilCode = 16,
    kStatusBadStiffness = 17,
    kStatusWriteFailed = 18,
    kStatusInternalError = 19,
    kStatusBadPileGeometry = 20,
};

struct RunStore {
    // Pile and run options.
    std::int32_t IUNIT;        // 1 = English (in, lb, psi); otherwise SI (m, kN, kPa)
    std::int32_t NINC;         // number of pile increments
    std::int32_t IOUT;         // 0 = full table along the pile for every case
    std::int32_t KCURVE;       // 1 = curves entered by the user; otherwise generated from soil data
    char TITLE[kTitleLength];  // blank-padded, not terminated
    float TOL, PLEN, DIAM, ATIP;

    // Unit labels of the report headings (blank-padded, not terminated).
    char LUNIT[3];  // length
    char MUNIT[3];  // movement
    char FUNIT[3];  // force
    char PUNIT[3];  // stress
    char AUNIT[5];  // area

    // t-z curves. TC and ZC are indexed [curve][point]: the points of one curve lie together.
    std::int32_t NCURV;
    std::int32_t CURVNO[kMaxCurves + 1];
    std::int32_t NPTC[kMaxCurves + 1];
    std::int32_t KSOILC[kMaxCurves + 1];  // soil code of each generated curve
    float XC[kMaxCurves + 1];
    float TC[kMaxCurves + 1][kMaxCurvePoints + 1];
    float ZC[kMaxCurves + 1][kMaxCurvePoints + 1];
    float SKINC[kMaxCurves + 1];  // ultimate side friction found at each curve's depth
    float PHIC[kMaxCurves + 1];   // friction angle found at each curve's depth

    // Soil layers and their property rows (row 2i-1 at the layer top, 2i at its bottom).
    std::int32_t NLAYER;
    std::int32_t KSOIL[kMaxLayers + 1];
    float XTOP[kMaxLayers + 1];
    float XBOT[kMaxLayers + 1];
    std::int32_t NSTR;
    float XG1[kMaxPropertyRows + 1];
    float GAM1[kMaxPropertyRows + 1];
    float XSTR[kMaxPropertyRows + 1];
    float C1[kMaxPropertyRows + 1];
    float PHI1[kMaxPropertyRows + 1];
    float EE50[kMaxPropertyRows + 1];
    float SKIN[kMaxPropertyRows + 1];
    float TIP[kMaxPropertyRows + 1];

    // Axial stiffness along the pile.
    std::int32_t NAE;
    float AE[kMaxAePoints + 1];
    float XAE[kMaxAePoints + 1];

    // Tip curve.
    std::int32_t NQW;
    float QTIP[kMaxQwPoints + 1];
    float WTIP[kMaxQwPoints + 1];

    // Tip-movement cases and their results.
    std::int32_t NTM;
    float TIPMOV[kMaxTipMovements + 1];
    float TOPLOAD[kMaxTipMovements + 1];
    float TOPMOV[kMaxTipMovements + 1];
    float TIPLOAD[kMaxTipMovements + 1];

    // Pile-head loads of the load-controlled analysis.
    std::int32_t NLOAD;
    float TOPLD[kMaxTopLoads + 1];

    // Soil settlement profile (down-drag).
    std::int32_t NSET;
    float XSET[kMaxSettlementPoints + 1];
    float SSET[kMaxSettlementPoints + 1];

    // t-z and Q-w modification factors.
    std::int32_t ITFAC, NTFAC;
    float XTFAC[kMaxFactorRows + 1];
    float TMULT[kMaxFactorRows + 1];
    float ZMULT[kMaxFactorRows + 1];
    std::int32_t IQFAC;
    float QMULT, WMULT;
};

// The run store of the calling thread's run.
RunStore& runStore();

// Zeroes every field, so that a run never sees the values of the run before it.
void clearRunStore();

}  // namespace keldar
