#include "RunResultsCollect.h"

#include <algorithm>

#include "CurveMode.h"
#include "PileStiffness.h"
#include "RunContext.h"
#include "RunStore.h"
#include "UnitSystem.h"

namespace keldar {

void setResultsTarget(RunResults* results) { currentRun().results = results; }
RunResults* resultsTarget() { return currentRun().results; }

static std::string trimmedTitle(const RunStore& s) {
    std::string title(s.TITLE, kTitleLength);
    const std::size_t end = title.find_last_not_of(' ');
    title.resize(end == std::string::npos ? 0 : end + 1);
    return title;
}

void collectInput() {
    RunResults* const target = resultsTarget();
    if (!target) return;
    const RunStore& s = runStore();
    RunResults& r = *target;
    r.unitSystem = UnitSystemOf(s.IUNIT);
    InputSummary& in = r.input;
    in.read = true;
    in.title = trimmedTitle(s);
    in.pileLength = s.PLEN;
    in.diameter = s.DIAM;
    in.tipArea = s.ATIP;
    in.tolerance = s.TOL;
    in.increments = s.NINC;
    in.outputOption = s.IOUT;
    in.curvesGenerated = s.KCURVE != cmEntered;
    in.layers = in.curvesGenerated ? s.NLAYER : 0;
    in.aePoints = s.NAE;
    in.tipMovements = s.NTM;
    in.headLoads = s.NLOAD;
    in.settlementPoints = s.NSET;
    in.tzFactors = s.ITFAC > 0;
    in.qwFactors = s.IQFAC > 0;
    in.qMultiplier = s.QMULT;
    in.wMultiplier = s.WMULT;

    r.tzCurves.clear();
    for (int j = 1; j <= std::clamp(s.NCURV, 0, kMaxCurves); ++j) {
        TzCurveResult curve;
        curve.number = s.CURVNO[j];
        curve.depth = s.XC[j];
        for (int k = 1; k <= std::clamp(s.NPTC[j], 0, kMaxCurvePoints); ++k)
            curve.points.push_back({s.ZC[j][k], s.TC[j][k]});
        r.tzCurves.push_back(std::move(curve));
    }
    r.qwCurve.clear();
    for (int k = 1; k <= std::clamp(s.NQW, 0, kMaxQwPoints); ++k)
        r.qwCurve.push_back({s.WTIP[k], s.QTIP[k]});
}

void collectPileFlexibility() {
    RunResults* const target = resultsTarget();
    if (!target) return;
    const RunStore& s = runStore();
    target->pileFlexibility = pileFlexibility(&s.XAE[1], &s.AE[1], s.NAE, s.PLEN, s.NINC);
}

// values[1..count] times sign: the solver's 1-based arrays as a list.
static std::vector<float> signedList(const float* values, int count, float sign) {
    std::vector<float> list(values + 1, values + 1 + count);
    if (sign != 1.0f)
        for (float& v : list) v *= sign;
    return list;
}

CaseDistribution caseDistribution(const IncrementTable& table, const PileSolution& solution,
                                  bool uplift) {
    const float sign = uplift ? -1.0f : 1.0f;
    const int n = table.count;
    CaseDistribution d;
    d.nodeDepth = signedList(table.nodeDepth, n + 1, 1.0f);
    d.nodeLoad = signedList(solution.load, n + 1, sign);
    d.nodeMovement = signedList(solution.movement, n + 1, sign);
    d.middleDepth = signedList(table.midDepth, n, 1.0f);
    d.transfer = signedList(solution.transfer, n, sign);
    d.loadTaken = signedList(solution.loadTaken, n, sign);
    d.averageLoad = signedList(solution.averageLoad, n, sign);
    d.shortening = signedList(solution.shortening, n, sign);
    d.averageMovement = signedList(solution.middleMovement, n, sign);
    return d;
}

void collectCase(CaseDistribution&& distribution) {
    if (RunResults* const target = resultsTarget())
        target->distributions.push_back(std::move(distribution));
}

void collectLoadSettlementRow(const LoadSettlementRow& row) {
    if (RunResults* const target = resultsTarget()) target->loadSettlement.push_back(row);
}

void collectLoadControlledRow(const LoadSettlementRow& row) {
    if (RunResults* const target = resultsTarget()) target->loadControlled.push_back(row);
}

void collectWarning(const RangeWarning& warning) {
    if (RunResults* const target = resultsTarget()) target->warnings.push_back(warning);
}

void collectError(std::int32_t status, std::string_view message) {
    RunResults* const target = resultsTarget();
    if (!target || !target->message.empty()) return;
    target->status = status;
    target->message = std::string(message);
}

void collectEnd(std::int32_t status) {
    RunResults* const target = resultsTarget();
    if (!target) return;
    RunResults& r = *target;
    r.status = status;
    if (status > 0 && r.message.empty()) r.message = statusDescription(status);
    if (status == 0) r.message.clear();
    // A table counts as finished only when every one of its rows was computed.
    const auto count = [](int n) { return static_cast<std::size_t>(std::max(n, 0)); };
    r.loadSettlementComplete = r.input.read &&
                               r.loadSettlement.size() == count(r.input.tipMovements) &&
                               r.distributions.size() == count(r.input.tipMovements);
    r.loadControlledComplete = r.input.read && r.loadControlled.size() == count(r.input.headLoads);
}

}  // namespace keldar
