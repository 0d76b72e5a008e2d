// From a CPT record and a pile to the curves of an entered-curves project: the depths of the t-z
// curves, each curve's points, the Q-w curve, the axial stiffness and the tip movements.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "BaseAveraging.h"
#include "CptRecord.h"
#include "InSituStress.h"
#include "LoadTransfer.h"
#include "PileGeometry.h"

namespace keldar::cpt {

enum class SoilKind { Sand, Clay };

const char* SoilKindName(SoilKind kind);

// A layer set by hand (or found from Ic): its bottom depth and its kind. The last layer goes on
// below its bottom.
struct SoilLayer {
    double bottom = 0;
    SoilKind kind = SoilKind::Sand;
};

// The program's tables hold at most 100 t-z curves.
inline constexpr int kMaxEnteredCurves = 100;
// A run of curves whose peaks stay within 2 % of the first keeps only its first and last curve:
// the analysis interpolates τf linearly between curves, so the dropped ones change τf by < 2 %.
inline constexpr double kCurveMergeTolerance = 0.02;

struct DesignOptions {
    PileGeometry pile;
    LoadDirection direction = LoadDirection::Compression;
    std::vector<UnitWeightLayer> unitWeights{{0, 19.0}};
    // Unit weights from the cone (Robertson & Cabal 2010), the first of unitWeights where the
    // cone gives none.
    bool unitWeightsFromCone = false;
    double waterTable = 0;          // m below the ground surface
    double curveSpacing = 1.0;      // m; at least this many curves per metre by default
    std::vector<SoilLayer> layers;  // empty: from Ic
    BaseAveraging baseAveraging = BaseAveraging::Dutch;
    double interfaceFriction = kSandInterfaceFriction;
    double clayResidualRatio = 0.9;      // API t-z residual, 0.70 to 0.90
    double minimumLayerThickness = 0.5;  // m; thinner runs of one Ic class join the layer above
    // Neighbouring curves whose peak τf differs by less than this share of the larger are merged
    // where the profile is smooth; 0 keeps every curve of the spacing.
    double mergeTolerance = kCurveMergeTolerance;
};

struct DesignCurve {
    double depth = 0;
    SoilKind kind = SoilKind::Sand;
    double qt = 0;         // kPa, averaged around the depth within its layer
    double sigmaVEff = 0;  // kPa
    double tauF = 0;       // kPa
    Curve points;          // t (kPa) against z (m)
};

struct PileDesign {
    std::vector<SoilLayer> layers;
    std::vector<DesignCurve> curves;
    SoilKind baseKind = SoilKind::Sand;
    double qp = 0;                     // kPa
    double qbPeak = 0;                 // qb0.1, kPa (0 in tension)
    Curve baseCurve;                   // total base load Q (kN) against base movement w (m)
    double axialStiffness = 0;         // AE, kN
    std::vector<double> tipMovements;  // m
    std::vector<std::string> notes;

    // π D ∫ τf dz over the pile, taking τf as varying linearly between the curves, as the
    // analysis does.
    double ShaftCapacity(double diameter) const;
};

struct DesignResult {
    std::optional<PileDesign> design;
    std::string message;  // why there is no design
};

DesignResult DesignPile(const CptRecord& record, const DesignOptions& options);

// The vertical stresses the design works with: the unit weights given or those from the cone,
// and the water table.
StressProfile StressesFor(const CptRecord& record, const DesignOptions& options);

// The depths of the t-z curves: the pile head, the tip, every spacing and a pair of curves just
// above and below each layer boundary; the spacing is widened until at most maxCurves remain.
std::vector<double> CurveDepths(double length, double spacing,
                                const std::vector<double>& boundaries, int maxCurves);

// Drops the curves inside runs whose peak τf stays within `tolerance` (a share of the larger
// peak) of the run's first curve, keeping each run's first and last curve, the pile head, the
// tip and every curve that `pinned` names (the pairs at layer boundaries).
std::vector<DesignCurve> MergeSmoothRuns(std::vector<DesignCurve> curves, double tolerance,
                                         const std::vector<bool>& pinned);

}  // namespace keldar::cpt
