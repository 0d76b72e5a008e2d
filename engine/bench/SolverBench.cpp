// Whole analysis runs (every tip-movement case, every head load, report and plot file written)
// of a largest-size project and of a typical one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "OutputFile.h"
#include "RunStore.h"
#include "Solver.h"

namespace keldar {
namespace {

void setLabels(RunStore& s) {
    s.IUNIT = 1;
    std::memcpy(s.LUNIT, "IN.", 3);
    std::memcpy(s.MUNIT, "IN.", 3);
    std::memcpy(s.FUNIT, "LBS", 3);
    std::memcpy(s.PUNIT, "PSI", 3);
    std::memset(s.TITLE, ' ', kTitleLength);
}

// A 24 in. pile 1200 in. long in soil whose friction grows with depth; each t-z curve reaches
// its peak at 0.2 in. and softens to 80 % of it.
void fillProject(int increments, int curves, int points, int movements, bool downDrag) {
    clearRunStore();
    RunStore& s = runStore();
    setLabels(s);
    s.NINC = increments;
    s.TOL = 1e-5f;
    s.PLEN = 1200.0f;
    s.DIAM = 24.0f;
    s.NAE = 2;
    s.XAE[1] = 0.0f;
    s.AE[1] = 1.5e9f;
    s.XAE[2] = s.PLEN;
    s.AE[2] = 1.5e9f;
    s.NCURV = curves;
    for (int j = 1; j <= curves; ++j) {
        s.CURVNO[j] = j;
        s.XC[j] = s.PLEN * static_cast<float>(j - 1) / static_cast<float>(curves - 1);
        const float tmax = 2.0f + 10.0f * s.XC[j] / s.PLEN;
        s.NPTC[j] = points;
        for (int k = 1; k <= points; ++k) {
            const float z = 2.0f * static_cast<float>(k - 1) / static_cast<float>(points - 1);
            s.ZC[j][k] = z;
            s.TC[j][k] = z <= 0.2f ? tmax * z / 0.2f : tmax * std::max(0.8f, 1.0f - (z - 0.2f));
        }
    }
    s.NQW = 50;
    for (int k = 1; k <= s.NQW; ++k) {
        const float w = 3.0f * static_cast<float>(k - 1) / 49.0f;
        s.WTIP[k] = w;
        s.QTIP[k] = 4.0e5f * std::sqrt(w / 3.0f);
    }
    s.NTM = movements;
    for (int k = 1; k <= movements; ++k)
        s.TIPMOV[k] = 0.001f * std::pow(2000.0f, static_cast<float>(k - 1) /
                                                     static_cast<float>(movements - 1));
    s.NLOAD = 0;
    if (downDrag) {
        s.NSET = 100;
        for (int k = 1; k <= s.NSET; ++k) {
            s.XSET[k] = s.PLEN * static_cast<float>(k - 1) / 99.0f;
            s.SSET[k] = std::max(0.0f, 0.5f * (1.0f - s.XSET[k] / (0.6f * s.PLEN)));
        }
    }
}

// Head loads spread over the range that the tip movements reach (as an engineer would choose
// them), or all beyond it: every one of those takes the full number of trials and fails.
void setLoads(int loads, bool beyondReach) {
    RunStore& s = runStore();
    const RunStore saved = s;
    std::int32_t status = 0;
    runTipMovementCases(status);  // no files open: only the case results
    const float reach = s.TOPLOAD[s.NTM];
    s = saved;
    s.NLOAD = loads;
    for (int j = 1; j <= loads; ++j) {
        const float share = static_cast<float>(j) / static_cast<float>(loads + 1);
        s.TOPLD[j] = beyondReach ? reach * (1.1f + share) : reach * share;
    }
}

void runAnalysis(benchmark::State& state) {
    const RunStore saved = runStore();
    const std::string base = "/dev/shm/keldar-bench";
    for (auto _ : state) {
        runStore() = saved;
        runFiles().report.open(base + ".kd3o");
        runFiles().plot.open(base + ".kd3p");
        std::int32_t status = 0;
        runTipMovementCases(status);
        runLoadControlled(status);
        runFiles().report.close();
        runFiles().plot.close();
        if (status != 0) state.SkipWithError("the run stopped with a status");
    }
    std::remove((base + ".kd3o").c_str());
    std::remove((base + ".kd3p").c_str());
}

// 500 increments, 150 curves of 100 points, 100 tip movements, 50 head loads, down-drag; the
// argument is the output option (0: the table along the pile for every case).
void largestRun(benchmark::State& state) {
    fillProject(500, 150, 100, 100, true);
    setLoads(50, false);
    runStore().IOUT = static_cast<std::int32_t>(state.range(0));
    runAnalysis(state);
}

// As the largest run, with every head load beyond what the tip movements reach.
void largestRunLoadsBeyondReach(benchmark::State& state) {
    fillProject(500, 150, 100, 100, true);
    setLoads(50, true);
    runAnalysis(state);
}

// 50 increments, 15 curves of 10 points, the 9 default tip movements, 10 head loads.
void typicalRun(benchmark::State& state) {
    fillProject(50, 15, 10, 9, false);
    setLoads(10, false);
    runAnalysis(state);
}

BENCHMARK(largestRun)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(largestRunLoadsBeyondReach)->Unit(benchmark::kMillisecond);
BENCHMARK(typicalRun)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace keldar

BENCHMARK_MAIN();
