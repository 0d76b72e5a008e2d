#include "PileDesign.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

#include "SoilBehaviourType.h"
#include "UnifiedClay.h"
#include "UnifiedSand.h"
#include "UnitWeight.h"

namespace keldar::cpt {
namespace {

// Half the gap between the two curves that pin a layer boundary, m: the analysis interpolates
// between curves, so a pair this close keeps the change of soil sharp.
constexpr double kBoundaryHalfGap = 0.01;

std::string Metres(double value) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << value << " m";
    return text.str();
}

DepthSeries SeriesOf(const CptRecord& record, bool sleeveFriction) {
    std::vector<double> depths, values;
    for (const CptReading& r : record.readings) {
        const double value = sleeveFriction ? r.fs : record.Qt(r);
        if (std::isnan(value)) continue;
        depths.push_back(r.depth);
        values.push_back(value);
    }
    if (depths.empty()) return DepthSeries({0.0}, {0.0});
    return DepthSeries(std::move(depths), std::move(values));
}

bool HasSleeveFriction(const CptRecord& record) {
    return std::any_of(record.readings.begin(), record.readings.end(),
                       [](const CptReading& r) { return !std::isnan(r.fs); });
}

// Runs of one Ic class; a run thinner than the minimum joins the layer above it.
std::vector<SoilLayer> LayersFromIc(const CptRecord& record, const StressProfile& stresses,
                                    double minimumThickness) {
    std::vector<SoilLayer> layers;
    SoilKind kind = SoilKind::Sand;
    for (std::size_t i = 0; i < record.readings.size(); ++i) {
        const CptReading& r = record.readings[i];
        const BehaviourType type = SoilBehaviourIndex(record.Qt(r), r.fs, stresses.Total(r.depth),
                                                      stresses.Effective(r.depth));
        if (type.valid) kind = type.ic < kSandClayBoundary ? SoilKind::Sand : SoilKind::Clay;
        const double bottom = i + 1 < record.readings.size()
                                  ? 0.5 * (r.depth + record.readings[i + 1].depth)
                                  : r.depth;
        if (layers.empty() || layers.back().kind != kind) {
            layers.push_back({bottom, kind});
        } else {
            layers.back().bottom = bottom;
        }
    }
    std::vector<SoilLayer> merged;
    double top = 0;
    for (const SoilLayer& layer : layers) {
        const bool thin = layer.bottom - top < minimumThickness;
        if (!merged.empty() && (thin || merged.back().kind == layer.kind)) {
            merged.back().bottom = layer.bottom;
        } else {
            merged.push_back(layer);
        }
        top = layer.bottom;
    }
    // A thin first run has no layer above it: it joins the one below.
    if (merged.size() > 1 && merged[0].bottom < minimumThickness) {
        merged.erase(merged.begin());
    }
    return merged;
}

std::size_t LayerIndexAt(const std::vector<SoilLayer>& layers, double depth) {
    for (std::size_t i = 0; i + 1 < layers.size(); ++i) {
        if (depth < layers[i].bottom) return i;
    }
    return layers.size() - 1;
}

// Half the gap between the pair of curves at a layer boundary, for a spacing.
double BoundaryHalfGap(double spacing) { return std::min(kBoundaryHalfGap, spacing / 4); }

bool IsBoundaryCurve(double depth, const std::vector<double>& boundaries, double spacing) {
    const double gap = BoundaryHalfGap(spacing);
    return std::any_of(boundaries.begin(), boundaries.end(),
                       [&](double b) { return std::abs(depth - b) <= 1.5 * gap; });
}

std::vector<double> InnerBoundaries(const std::vector<SoilLayer>& layers, double length) {
    std::vector<double> boundaries;
    for (std::size_t i = 0; i + 1 < layers.size(); ++i) {
        if (layers[i].bottom > kBoundaryHalfGap && layers[i].bottom < length - kBoundaryHalfGap)
            boundaries.push_back(layers[i].bottom);
    }
    return boundaries;
}

DesignCurve CurveAt(double depth, double window, const std::vector<SoilLayer>& layers,
                    const DepthSeries& qt, const DepthSeries& fs, bool withFs,
                    const StressProfile& stresses, const DesignOptions& options) {
    const std::size_t index = LayerIndexAt(layers, depth);
    const double layerTop = index == 0 ? 0.0 : layers[index - 1].bottom;
    const double layerBottom =
        index + 1 == layers.size() ? options.pile.length : layers[index].bottom;
    const double top = std::max({layerTop, depth - window / 2, 0.0});
    const double bottom = std::min({layerBottom, depth + window / 2, options.pile.length});

    DesignCurve curve;
    curve.depth = depth;
    curve.kind = layers[index].kind;
    curve.qt = qt.MeanOver(top, bottom);
    curve.sigmaVEff = stresses.Effective(depth);
    const double h = options.pile.length - depth;
    if (curve.kind == SoilKind::Sand) {
        curve.tauF = SandShaftFriction(
            {curve.qt, curve.sigmaVEff, h, options.direction, options.interfaceFriction},
            options.pile);
        curve.points = SandShaftCurve(
            curve.tauF, SandShaftPeakMovement(curve.qt, curve.sigmaVEff, options.pile.diameter,
                                              options.direction));
    } else {
        const double sleeve = withFs ? fs.MeanOver(top, bottom) : kNotMeasured;
        curve.tauF = ClayShaftFriction(
            {curve.qt, sleeve, stresses.Total(depth), curve.sigmaVEff, h}, options.pile);
        curve.points =
            ApiClayShaftCurve(curve.tauF, options.pile.diameter, options.clayResidualRatio);
    }
    return curve;
}

void DesignBase(PileDesign& design, const DepthSeries& qt, const DesignOptions& options) {
    const PileGeometry& pile = options.pile;
    design.baseKind = design.layers[LayerIndexAt(design.layers, pile.length)].kind;
    const bool dutch =
        design.baseKind == SoilKind::Sand && options.baseAveraging == BaseAveraging::Dutch;
    design.qp =
        dutch ? DutchAverage(qt, pile.length, pile.diameter * std::sqrt(EffectiveAreaRatio(pile)))
              : OnePointFiveDiameterAverage(qt, pile.length, pile.diameter);
    if (options.direction == LoadDirection::Tension) {
        // A pile pulled out of the ground carries nothing at its base.
        design.baseCurve = {{0, 0}, {0, 0.1 * pile.diameter}};
        return;
    }
    const bool sand = design.baseKind == SoilKind::Sand;
    design.qbPeak =
        sand ? SandBaseResistance(design.qp, pile) : ClayBaseResistance(design.qp, pile);
    const Curve unit = sand ? SandBaseCurve(design.qbPeak, pile.diameter)
                            : ApiBaseCurve(design.qbPeak, pile.diameter);
    for (const CurvePoint& p : unit) design.baseCurve.push_back({p.t * pile.GrossTipArea(), p.z});
}

std::string CheckOptions(const CptRecord& record, const DesignOptions& options) {
    const PileGeometry& pile = options.pile;
    for (double value :
         {pile.diameter, pile.wall, pile.length, pile.modulus, options.curveSpacing,
          options.waterTable, options.interfaceFriction, options.clayResidualRatio}) {
        if (!std::isfinite(value)) return "a pile or ground value is not a finite number";
    }
    if (!(pile.diameter > 0)) return "the pile diameter must be positive";
    if (!(pile.length > 0)) return "the pile length must be positive";
    if (pile.wall < 0 || 2 * pile.wall > pile.diameter)
        return "the wall thickness must be between 0 and half the diameter";
    if (!(pile.modulus > 0)) return "the elastic modulus must be positive";
    if (!(options.curveSpacing > 0)) return "the curve spacing must be positive";
    if (!(options.mergeTolerance >= 0) || !std::isfinite(options.mergeTolerance))
        return "the merge tolerance must be a share of 0 or more";
    if (options.unitWeights.empty()) return "no unit weight is given";
    for (const UnitWeightLayer& layer : options.unitWeights) {
        if (!(layer.unitWeight > 0) || !std::isfinite(layer.unitWeight))
            return "unit weights must be positive";
    }
    if (record.readings.empty()) return "the CPT has no readings";
    if (record.readings.back().depth < pile.length) {
        return "the CPT ends at " + Metres(record.readings.back().depth) +
               ", above the pile tip at " + Metres(pile.length);
    }
    return {};
}

}  // namespace

const char* SoilKindName(SoilKind kind) { return kind == SoilKind::Sand ? "sand" : "clay"; }

double PileDesign::ShaftCapacity(double diameter) const {
    double integral = 0;
    for (std::size_t i = 1; i < curves.size(); ++i) {
        integral +=
            0.5 * (curves[i - 1].tauF + curves[i].tauF) * (curves[i].depth - curves[i - 1].depth);
    }
    return std::numbers::pi * diameter * integral;
}

std::vector<DesignCurve> MergeSmoothRuns(std::vector<DesignCurve> curves, double tolerance,
                                         const std::vector<bool>& pinned) {
    if (!(tolerance > 0) || curves.size() < 3) return curves;
    const auto close = [tolerance](const DesignCurve& a, const DesignCurve& b) {
        return std::abs(a.tauF - b.tauF) < tolerance * std::max(std::abs(a.tauF), std::abs(b.tauF));
    };
    std::vector<DesignCurve> kept{curves.front()};
    for (std::size_t i = 1; i + 1 < curves.size(); ++i) {
        // A curve stays when the run from the last kept curve ends with it: it or its successor
        // leaves the tolerance band (or the soil kind changes).
        const bool ends = !close(kept.back(), curves[i]) || !close(kept.back(), curves[i + 1]) ||
                          curves[i].kind != kept.back().kind ||
                          curves[i + 1].kind != kept.back().kind;
        if (pinned[i] || ends) kept.push_back(curves[i]);
    }
    kept.push_back(curves.back());
    return kept;
}

std::vector<double> CurveDepths(double length, double spacing,
                                const std::vector<double>& boundaries, int maxCurves) {
    const double gap = BoundaryHalfGap(spacing);
    // Starting no finer than a hundredth of the pile bounds the work for any spacing asked.
    for (double step = std::max(spacing, length / maxCurves);; step *= 1.25) {
        std::vector<double> depths{0.0, length};
        for (double b : boundaries) {
            depths.push_back(b - gap);
            depths.push_back(b + gap);
        }
        for (int k = 1; k * step < length - gap; ++k) {
            const double d = k * step;
            const bool nearBoundary =
                std::any_of(boundaries.begin(), boundaries.end(),
                            [&](double b) { return std::abs(d - b) < 2 * gap; });
            if (!nearBoundary) depths.push_back(d);
        }
        std::sort(depths.begin(), depths.end());
        if (static_cast<int>(depths.size()) <= maxCurves || step > length) return depths;
    }
}

StressProfile StressesFor(const CptRecord& record, const DesignOptions& options) {
    return StressProfile(options.unitWeightsFromCone
                             ? UnitWeightsFromCone(record, options.unitWeights.front().unitWeight)
                             : options.unitWeights,
                         options.waterTable);
}

DesignResult DesignPile(const CptRecord& record, const DesignOptions& options) {
    if (const std::string problem = CheckOptions(record, options); !problem.empty())
        return {std::nullopt, problem};
    const StressProfile stresses = StressesFor(record, options);
    const bool withFs = HasSleeveFriction(record);
    PileDesign design;
    if (!options.layers.empty()) {
        design.layers = options.layers;
    } else if (withFs) {
        design.layers = LayersFromIc(record, stresses, options.minimumLayerThickness);
    } else {
        design.layers = {{options.pile.length, SoilKind::Sand}};
        design.notes.push_back("no sleeve friction: the ground is taken as sand throughout");
    }
    const std::vector<double> boundaries = InnerBoundaries(design.layers, options.pile.length);
    if (2 * static_cast<int>(boundaries.size()) + 2 > kMaxEnteredCurves)
        return {std::nullopt, "too many soil layers along the pile for 100 t-z curves"};

    const std::vector<double> depths =
        CurveDepths(options.pile.length, options.curveSpacing, boundaries, kMaxEnteredCurves);
    const DepthSeries qt = SeriesOf(record, false);
    const DepthSeries fs = SeriesOf(record, true);
    std::vector<bool> pinned;
    for (double depth : depths) {
        design.curves.push_back(
            CurveAt(depth, options.curveSpacing, design.layers, qt, fs, withFs, stresses, options));
        pinned.push_back(IsBoundaryCurve(depth, boundaries, options.curveSpacing));
    }
    design.curves = MergeSmoothRuns(std::move(design.curves), options.mergeTolerance, pinned);
    DesignBase(design, qt, options);
    design.axialStiffness = options.pile.modulus * options.pile.SectionArea();
    for (double share : {0.0005, 0.001, 0.002, 0.004, 0.006, 0.008, 0.01, 0.015, 0.02, 0.03, 0.04,
                         0.05, 0.06, 0.08, 0.1}) {
        design.tipMovements.push_back(share * options.pile.diameter);
    }
    if (record.readings.back().depth < options.pile.length + 4 * options.pile.diameter)
        design.notes.push_back(
            "the CPT ends less than 4 D below the tip: qp takes its last reading "
            "as going on below");
    return {std::move(design), {}};
}

}  // namespace keldar::cpt
