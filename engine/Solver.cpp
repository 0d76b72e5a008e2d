// The two analysis stages: every assumed tip movement, then every given pile-head load.
#include "Solver.h"

#include <cmath>

#include "IncrementTable.h"
#include "LoadControl.h"
#include "OutputFile.h"
#include "PileLookups.h"
#include "PileSolution.h"
#include "ResultOutput.h"
#include "RunResultsCollect.h"
#include "RunStore.h"

namespace keldar {

// Working storage of the analysis: nothing is allocated during a run.
static IncrementTable increments;
static PileSolution solution;

// A tip movement not above this is an uplift case.
static constexpr float kUpliftLimit = 1e-10f;

static bool countInRange(const char* what, int count, int lowest, int highest,
                         std::int32_t& status) {
    if (count >= lowest && count <= highest) return true;
    writeCountWarning(what, count, lowest, highest);
    status = kStatusCountOutOfRange;
    return false;
}

// The counts that the solver walks through; a data file that breaks them never reaches past
// the run storage.
static bool countsInRange(std::int32_t& status) {
    const RunStore& s = runStore();
    if (!countInRange("INCREMENTS", s.NINC, 1, kMaxIncrements, status) ||
        !countInRange("TIP MOVEMENTS", s.NTM, 0, kMaxTipMovements, status) ||
        !countInRange("TOP LOADS", s.NLOAD, 0, kMaxTopLoads, status) ||
        !countInRange("T-Z CURVES", s.NCURV, 0, kMaxCurves, status) ||
        !countInRange("Q-W POINTS", s.NQW, 0, kMaxQwPoints, status) ||
        !countInRange("AE POINTS", s.NAE, 1, kMaxAePoints, status) ||
        !countInRange("SETTLEMENT POINTS", s.NSET, 0, kMaxSettlementPoints, status))
        return false;
    for (int j = 1; j <= s.NCURV; ++j)
        if (!countInRange("T-Z CURVE POINTS", s.NPTC[j], 0, kMaxCurvePoints, status)) return false;
    return true;
}

static bool prepare(std::int32_t& status) {
    if (!countsInRange(status)) return false;
    float badDepth = 0.0f;
    const int result = prepareIncrementTable(increments, badDepth);
    if (result != kStatusOk) {
        writeStiffnessWarning(badDepth);
        status = result;
        return false;
    }
    return true;
}

void runTipMovementCases(std::int32_t& status) {
    if (status > 0 || !prepare(status)) return;
    RunStore& s = runStore();
    writeAnalysisHeader();
    for (int k = 1; k <= s.NTM; ++k) {
        const bool uplift = s.TIPMOV[k] <= kUpliftLimit;
        const float w = uplift ? std::fabs(s.TIPMOV[k]) : s.TIPMOV[k];
        const float tipLoad = tipLoadAt(w);
        // An uplift case pulls the pile out: nothing acts at the tip.
        solvePile(increments, w, uplift ? 0.0f : tipLoad, solution);
        if (s.IOUT == 0) writeCaseBlock(increments, solution, w, tipLoad, uplift);
        writeLoadDistribution(increments, solution);
        collectCase(increments, solution, uplift);
        const float sign = uplift ? -1.0f : 1.0f;
        s.TOPLOAD[k] = sign * solution.headLoad;
        s.TOPMOV[k] = sign * solution.headMovement;
        s.TIPLOAD[k] = sign * tipLoad;
    }
    writeLoadSettlementHeading();
    for (int k = 1; k <= s.NTM; ++k) {
        const ResultRow row{s.TOPLOAD[k], s.TOPMOV[k], s.TIPMOV[k], s.TIPLOAD[k]};
        writeResultRow(row);
        writePlotRow(row);
        collectLoadSettlementRow(row.topLoad, row.topMovement, row.tipMovement, row.tipLoad);
    }
}

void runLoadControlled(std::int32_t& status) {
    RunStore& s = runStore();
    if (status > 0 || s.NLOAD <= 0 || !prepare(status)) return;
    // Every start comes from the case results as they stand before any search.
    float start[kMaxTopLoads + 1];
    for (int j = 1; j <= s.NLOAD; ++j) start[j] = startTipMovement(s.TOPLD[j]);

    writeLoadControlledHeading();
    for (int j = 1; j <= s.NLOAD; ++j) {
        const float load = s.TOPLD[j];
        const LoadSearch search = searchTipMovement(load, start[j], [](float w) {
            solvePile(increments, w, tipLoadAt(w), solution);
            return solution.headLoad;
        });
        if (!search.converged) {
            writeNoConvergenceRow(load);
            writePlotRow({load, 0.0f, 0.0f, 0.0f});
            collectLoadControlledRow(load, 0.0f, 0.0f, 0.0f, false);
            continue;
        }
        // The converged trial was the last one solved.
        const ResultRow row{load, solution.headMovement, search.tipMovement,
                            tipLoadAt(search.tipMovement)};
        writeResultRow(row);
        writePlotRow(row);
        collectLoadControlledRow(row.topLoad, row.topMovement, row.tipMovement, row.tipLoad, true);
    }
}

}  // namespace keldar
