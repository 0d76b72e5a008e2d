#include "ResultsSummary.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "UnitSystem.h"

namespace keldar {

static constexpr float kNotReached = std::numeric_limits<float>::quiet_NaN();

// Davisson's offset, 0.15 in, and the default chosen settlement, 1 in or 25 mm in SI; unknown
// while the unit system is.
static float davissonConstantOffset(int unitSystem) {
    return unitSystem == usEnglish ? 0.15f : unitSystem == usSI ? 0.00381f : kNotReached;
}
static float defaultChosenSettlement(int unitSystem) {
    return unitSystem == usEnglish ? 1.0f : unitSystem == usSI ? 0.025f : kNotReached;
}

// The first crossing of g (a function of the point) from below zero to zero or above, with the
// point linearly interpolated there.
template <typename Gap>
static CurveCrossing firstCrossing(const std::vector<CurvePoint>& curve, Gap gap) {
    if (curve.empty() || !(gap(curve.front()) < 0.0)) {
        // The curve starts on or past the criterion: only an exact hit at its first point counts.
        if (!curve.empty() && gap(curve.front()) == 0.0) return {curve[0].y, curve[0].x};
        return {kNotReached, kNotReached};
    }
    for (std::size_t i = 0; i + 1 < curve.size(); ++i) {
        const double below = gap(curve[i]), above = gap(curve[i + 1]);
        if (!(above >= 0.0)) continue;
        const double t = -below / (above - below);
        const auto along = [t](float a, float b) { return static_cast<float>(a + t * (b - a)); };
        return {along(curve[i].y, curve[i + 1].y), along(curve[i].x, curve[i + 1].x)};
    }
    return {kNotReached, kNotReached};
}

CurveCrossing settlementLineCrossing(const std::vector<CurvePoint>& curve, float slope,
                                     float offset) {
    if (!std::isfinite(slope) || !std::isfinite(offset)) return {kNotReached, kNotReached};
    return firstCrossing(curve, [slope, offset](const CurvePoint& p) {
        return double(p.x) - (double(slope) * p.y + offset);
    });
}

CurveCrossing loadCrossing(const std::vector<CurvePoint>& curve, float load) {
    if (!std::isfinite(load)) return {kNotReached, kNotReached};
    return firstCrossing(curve, [load](const CurvePoint& p) { return double(p.y) - load; });
}

// Between the nodes around the largest load, the parabola through those three nodes; its vertex
// is the peak when the parabola opens downward and lies between them.
LoadPeak largestAxialLoad(const CaseDistribution& d) {
    const std::size_t n = std::min(d.nodeDepth.size(), d.nodeLoad.size());
    if (n == 0) return {kNotReached, kNotReached};
    // From the head down, so that of equal loads the shallowest is taken.
    std::size_t k = n - 1;
    for (std::size_t i = n - 1; i-- > 0;)
        if (d.nodeLoad[i] > d.nodeLoad[k]) k = i;
    const LoadPeak atNode{d.nodeDepth[k], d.nodeLoad[k]};
    if (k == 0 || k + 1 >= n) return atNode;
    const double x0 = d.nodeDepth[k - 1], x1 = d.nodeDepth[k], x2 = d.nodeDepth[k + 1];
    const double p0 = d.nodeLoad[k - 1], p1 = d.nodeLoad[k], p2 = d.nodeLoad[k + 1];
    if (x0 == x1 || x1 == x2 || x0 == x2) return atNode;
    const double slope01 = (p1 - p0) / (x1 - x0), slope12 = (p2 - p1) / (x2 - x1);
    const double curvature = (slope12 - slope01) / (x2 - x0);
    if (!(curvature < 0.0)) return atNode;
    const double vertex = std::clamp(0.5 * (x0 + x1) - slope01 / (2.0 * curvature),
                                     std::min(x0, x2), std::max(x0, x2));
    const double load = p0 + slope01 * (vertex - x0) + curvature * (vertex - x0) * (vertex - x1);
    return {static_cast<float>(vertex), static_cast<float>(load)};
}

// Movement at a depth, linear between nodes.
static float movementAtDepth(const CaseDistribution& d, float depth) {
    const std::size_t n = std::min(d.nodeDepth.size(), d.nodeMovement.size());
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const float a = d.nodeDepth[i], b = d.nodeDepth[i + 1];
        if (depth < std::min(a, b) || depth > std::max(a, b)) continue;
        if (a == b) return d.nodeMovement[i];
        const float t = (depth - a) / (b - a);
        return d.nodeMovement[i] + t * (d.nodeMovement[i + 1] - d.nodeMovement[i]);
    }
    return n == 1 && depth == d.nodeDepth[0] ? d.nodeMovement[0] : kNotReached;
}

static CaseSummary caseSummary(const LoadSettlementRow& row) {
    CaseSummary c;
    c.converged = row.converged && row.unconvergedIncrements == 0;
    c.headLoad = row.topLoad;
    // A load without a solution has no movements and no tip load.
    c.headSettlement = row.converged ? row.topMovement : kNotReached;
    c.tipMovement = row.converged ? row.tipMovement : kNotReached;
    c.tipLoad = row.converged ? row.tipLoad : kNotReached;
    c.sideLoad = c.headLoad - c.tipLoad;
    c.sideShare = c.headLoad != 0.0f ? c.sideLoad / c.headLoad : kNotReached;
    c.neutralPlaneDepth = c.maxAxialLoad = c.dragLoad = c.neutralPlaneSettlement = kNotReached;
    return c;
}

static void addNeutralPlane(CaseSummary& c, const CaseDistribution& d) {
    if (d.nodeLoad.empty()) return;
    const LoadPeak peak = largestAxialLoad(d);
    c.neutralPlaneDepth = peak.depth;
    c.maxAxialLoad = peak.load;
    c.dragLoad = peak.load - d.nodeLoad.back();
    c.neutralPlaneSettlement = movementAtDepth(d, peak.depth);
}

// The load-settlement curve under compression: every converged solution whose head moves down,
// the tip-movement cases and the pile-head loads together, in the order of their tip movement
// (each solution is fixed by it), so that a pile-head load is itself a point of the curve.
// Uplift cases belong to another curve.
static std::vector<CurvePoint> compressionCurve(const RunResults& r) {
    std::vector<const LoadSettlementRow*> rows;
    for (const auto* table : {&r.loadSettlement, &r.loadControlled})
        for (const LoadSettlementRow& row : *table)
            if (row.converged && row.unconvergedIncrements == 0 && row.topMovement > 0.0f &&
                std::isfinite(row.topLoad) && std::isfinite(row.topMovement) &&
                std::isfinite(row.tipMovement))
                rows.push_back(&row);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto* a, const auto* b) { return a->tipMovement < b->tipMovement; });
    std::vector<CurvePoint> curve;
    for (const LoadSettlementRow* row : rows) curve.push_back({row->topMovement, row->topLoad});
    return curve;
}

ResultsSummary summarizeResults(const RunResults& r, SummaryChoices choices) {
    ResultsSummary s;
    s.downDrag = r.input.read && r.input.settlementPoints > 0;
    for (std::size_t i = 0; i < r.loadSettlement.size(); ++i) {
        s.cases.push_back(caseSummary(r.loadSettlement[i]));
        if (s.downDrag && i < r.distributions.size())
            addNeutralPlane(s.cases.back(), r.distributions[i]);
    }
    for (const LoadSettlementRow& row : r.loadControlled)
        s.headLoadCases.push_back(caseSummary(row));

    const std::vector<CurvePoint> curve = compressionCurve(r);
    const float diameter = r.input.read && r.input.diameter > 0.0f ? r.input.diameter : kNotReached;
    s.settlement10PctDiameter = 0.1f * diameter;
    s.capacity10PctDiameter = settlementLineCrossing(curve, 0.0f, s.settlement10PctDiameter).load;

    s.davissonFlexibility = r.pileFlexibility > 0.0f ? r.pileFlexibility : kNotReached;
    s.davissonOffset = davissonConstantOffset(r.unitSystem) + diameter / 120.0f;
    const CurveCrossing davisson =
        settlementLineCrossing(curve, s.davissonFlexibility, s.davissonOffset);
    s.davissonCapacity = davisson.load;
    s.davissonSettlement = davisson.settlement;

    s.chosenSettlement = std::isfinite(choices.settlement) ? choices.settlement
                                                           : defaultChosenSettlement(r.unitSystem);
    s.loadAtChosenSettlement = settlementLineCrossing(curve, 0.0f, s.chosenSettlement).load;
    const float firstHeadLoad =
        r.loadControlled.empty() ? kNotReached : r.loadControlled[0].topLoad;
    s.chosenLoad = std::isfinite(choices.load) ? choices.load : firstHeadLoad;
    s.settlementAtChosenLoad = loadCrossing(curve, s.chosenLoad).settlement;
    return s;
}

}  // namespace keldar
