// The two analysis stages: every assumed tip movement, then every given pile-head load.
#include "Solver.h"

#include <cmath>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "IncrementTable.h"
#include "LoadControl.h"
#include "OutputFile.h"
#include "PileLookups.h"
#include "PileSolution.h"
#include "ResultOutput.h"
#include "RunNotes.h"
#include "RunResultsCollect.h"
#include "RunStore.h"
#include "WorkInOrder.h"

namespace keldar {

// Working storage of one stage: the increment table shared by every case, and one solution for
// each thread. It belongs to the stage, so that runs on other threads keep theirs apart; it is
// too large for a worker's stack.
struct StageStorage {
    IncrementTable increments{};
    std::vector<PileSolution> solutions;

    void setWorkers(int workers) { solutions.resize(static_cast<std::size_t>(workers)); }
    PileSolution& solution(int worker) { return solutions[static_cast<std::size_t>(worker)]; }
};

// Whole-pile solutions that a head-load search usually takes.
static constexpr int kTypicalTrials = 10;

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

static bool prepare(IncrementTable& increments, std::int32_t& status) {
    if (!countsInRange(status)) return false;
    float badDepth = 0.0f;
    const int result = prepareIncrementTable(increments, badDepth);
    if (result != kStatusOk) {
        writeStiffnessWarning(badDepth);
        status = result;
        return false;
    }
    collectPileFlexibility();
    return true;
}

// One tip-movement case: its results and its texts, until they are written.
struct CaseOutcome {
    float tipLoad = 0.0f;
    float headLoad = 0.0f;
    float headMovement = 0.0f;
    std::string report;
    std::string plot;
    // The case's load distribution, made when the results in numbers are asked for: they are
    // collected in case order on the calling thread.
    std::optional<CaseDistribution> distribution;
    int unconverged = 0;
    float largestStrain = 0.0f;
};

// Text buffers of the cases, handed back once written so that the next cases reuse their
// memory: fresh memory for every case would cost the system a page fault for every 4 kB of the
// report.
class TextBuffers {
  public:
    std::string take() {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (spare_.empty()) return {};
        std::string text = std::move(spare_.back());
        spare_.pop_back();
        text.clear();
        return text;
    }
    void giveBack(std::string& text) {
        const std::lock_guard<std::mutex> lock(mutex_);
        spare_.push_back(std::move(text));
        text = std::string();
    }

  private:
    std::mutex mutex_;
    std::vector<std::string> spare_;
};

static void solveCase(int k, const IncrementTable& increments, PileSolution& solution,
                      TextBuffers& buffers, CaseOutcome& outcome) {
    outcome.report = buffers.take();
    outcome.plot = buffers.take();
    const RunStore& s = runStore();
    const bool uplift = s.TIPMOV[k] <= kUpliftLimit;
    const float w = uplift ? std::fabs(s.TIPMOV[k]) : s.TIPMOV[k];
    const float tipLoad = tipLoadAt(w);
    // An uplift case pulls the pile out: nothing acts at the tip.
    solvePile(increments, w, uplift ? 0.0f : tipLoad, solution);
    // A run in memory that keeps no texts has them left unmade: they are most of its time.
    const RunFiles& files = runFiles();
    if (s.IOUT == 0 && files.report.keepsText())
        appendCaseBlock(outcome.report, increments, solution, w, tipLoad, uplift);
    if (files.plot.keepsText()) appendLoadDistribution(outcome.plot, increments, solution);
    const float sign = uplift ? -1.0f : 1.0f;
    outcome.headLoad = sign * solution.headLoad;
    outcome.headMovement = sign * solution.headMovement;
    outcome.tipLoad = sign * tipLoad;
    outcome.unconverged = solution.unconverged;
    outcome.largestStrain = solution.largestStrain;
    if (resultsTarget() != nullptr)
        outcome.distribution = caseDistribution(increments, solution, uplift);
}

void runTipMovementCases(std::int32_t& status, int workers) {
    if (status > 0) return;
    RunStore& s = runStore();
    const auto storage = std::make_unique<StageStorage>();
    const IncrementTable& increments = storage->increments;
    if (!prepare(storage->increments, status)) return;
    // Counted only once prepare() has checked the counts.
    workers = workersFor(workers, s.NTM, static_cast<long>(s.NTM) * s.NINC);
    storage->setWorkers(workers);
    writeAnalysisHeader();
    std::vector<CaseOutcome> outcomes(static_cast<std::size_t>(s.NTM) + 1);
    int unconverged[kMaxTipMovements + 1] = {};
    float strain[kMaxTipMovements + 1] = {};
    TextBuffers buffers;
    solveInOrder(
        s.NTM, workers,
        [&](int k, int worker) {
            solveCase(k, increments, storage->solution(worker), buffers, outcomes[k]);
        },
        [&](int k) {
            CaseOutcome& outcome = outcomes[static_cast<std::size_t>(k)];
            runFiles().report.writeText(outcome.report);
            runFiles().plot.writeText(outcome.plot);
            buffers.giveBack(outcome.report);
            buffers.giveBack(outcome.plot);
            if (outcome.distribution) collectCase(std::move(*outcome.distribution));
            outcome.distribution.reset();
            s.TOPLOAD[k] = outcome.headLoad;
            s.TOPMOV[k] = outcome.headMovement;
            s.TIPLOAD[k] = outcome.tipLoad;
            unconverged[k] = outcome.unconverged;
            strain[k] = outcome.largestStrain;
        });
    writeLoadSettlementHeading();
    for (int k = 1; k <= s.NTM; ++k) {
        const ResultRow row{s.TOPLOAD[k], s.TOPMOV[k], s.TIPMOV[k], s.TIPLOAD[k]};
        writeResultRow(row);
        writePlotRow(row);
        collectLoadSettlementRow(
            {row.topLoad, row.topMovement, row.tipMovement, row.tipLoad, true, unconverged[k]});
        noteUnconvergedCase(k, s.TIPMOV[k], unconverged[k], s.NINC);
        noteAxialStrain(k, s.TIPMOV[k], strain[k]);
    }
}

// The search for one head load: the tip movement found and the head movement of its solution.
struct LoadOutcome {
    LoadSearch search;
    float headMovement = 0.0f;
    int unconverged = 0;
};

static void searchLoad(const IncrementTable& increments, float load, float start,
                       PileSolution& solution, LoadOutcome& outcome) {
    outcome.search = searchTipMovement(load, start, [&](float w) {
        solvePile(increments, w, tipLoadAt(w), solution);
        return solution.headLoad;
    });
    // The converged trial was the last one solved.
    outcome.headMovement = solution.headMovement;
    outcome.unconverged = solution.unconverged;
}

void runLoadControlled(std::int32_t& status, int workers) {
    RunStore& s = runStore();
    if (status > 0 || s.NLOAD <= 0) return;
    const auto storage = std::make_unique<StageStorage>();
    const IncrementTable& increments = storage->increments;
    if (!prepare(storage->increments, status)) return;
    workers = workersFor(workers, s.NLOAD, static_cast<long>(s.NLOAD) * s.NINC * kTypicalTrials);
    storage->setWorkers(workers);
    // Every start comes from the case results as they stand before any search.
    float start[kMaxTopLoads + 1];
    for (int j = 1; j <= s.NLOAD; ++j) start[j] = startTipMovement(s.TOPLD[j]);

    writeLoadControlledHeading();
    LoadOutcome outcomes[kMaxTopLoads + 1];
    solveInOrder(
        s.NLOAD, workers,
        [&](int j, int worker) {
            searchLoad(increments, s.TOPLD[j], start[j], storage->solution(worker), outcomes[j]);
        },
        [&](int j) {
            const float load = s.TOPLD[j];
            const LoadOutcome& outcome = outcomes[j];
            if (!outcome.search.converged) {
                writeNoConvergenceRow(load);
                writePlotRow({load, 0.0f, 0.0f, 0.0f});
                collectLoadControlledRow({load, 0.0f, 0.0f, 0.0f, false, 0});
                return;
            }
            const ResultRow row{load, outcome.headMovement, outcome.search.tipMovement,
                                tipLoadAt(outcome.search.tipMovement)};
            writeResultRow(row);
            writePlotRow(row);
            collectLoadControlledRow({row.topLoad, row.topMovement, row.tipMovement, row.tipLoad,
                                      true, outcome.unconverged});
            noteUnconvergedLoad(j, load, outcome.unconverged, s.NINC);
        });
}

}  // namespace keldar
