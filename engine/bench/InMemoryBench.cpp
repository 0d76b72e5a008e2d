// Runs in memory against the analysis alone, for each sample project:
//   analysis     the two solver stages on the run store as the input left it, no text made
//   memory       runKeldarInMemory with the results in numbers: reading, curves, analysis
//   memoryTexts  the same, keeping the report, plot and notes texts
//   files        runKeldar, writing the three files into /dev/shm
// The in-memory run's goal is at most 1.3 times the analysis alone.
//
//   keldar_in_memory_bench [--benchmark_filter=steel-pipe-clay]
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "OutputFile.h"
#include "RunDriver.h"
#include "RunResultsCollect.h"
#include "RunStore.h"
#include "Solver.h"

namespace keldar {
namespace {

namespace fs = std::filesystem;

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

RunOptions quietOptions(RunResults* results) {
    RunOptions options;
    options.consoleBanner = false;
    options.consoleErrors = false;
    options.results = results;
    return options;
}

void analysisOnly(benchmark::State& state, const std::string& data) {
    // The run store as the input stage leaves it: the stages only overwrite their results.
    auto input = std::make_unique<RunStore>();
    RunOptions options = quietOptions(nullptr);
    options.finalStore = input.get();
    if (runKeldarInMemory(data, RunPathsFor("pile.kd3d"), RunIdentity{}, options) != 0)
        return state.SkipWithError("the project does not run");
    RunFiles& files = runFiles();
    setResultsTarget(nullptr);
    for (auto _ : state) {
        runStore() = *input;
        files.report.openDiscarding();
        files.plot.openDiscarding();
        std::int32_t status = 0;
        runTipMovementCases(status);
        runLoadControlled(status);
        files.report.close();
        files.plot.close();
    }
}

void inMemory(benchmark::State& state, const std::string& data, bool keepTexts) {
    const RunPaths names = RunPathsFor("pile.kd3d");
    for (auto _ : state) {
        RunResults results;
        RunTexts texts;
        runKeldarInMemory(data, names, RunIdentity{}, quietOptions(&results),
                          keepTexts ? &texts : nullptr);
        benchmark::DoNotOptimize(results.loadSettlement.data());
    }
}

void onFiles(benchmark::State& state, const std::string& data) {
    const fs::path folder = "/dev/shm/keldar-in-memory-bench";
    fs::create_directories(folder);
    const RunPaths paths = RunPathsFor((folder / "pile.kd3d").string());
    std::ofstream(paths.dataFile, std::ios::binary) << data;
    for (auto _ : state) {
        RunResults results;
        runKeldar(paths, RunIdentity{}, quietOptions(&results));
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

void registerProjects() {
    for (const auto& entry : fs::directory_iterator(fs::path(KELDAR_SOURCE_DIR) / "examples")) {
        if (entry.path().extension() != ".kd3d") continue;
        const std::string name = entry.path().stem().string();
        const std::string data = readText(entry.path());
        benchmark::RegisterBenchmark((name + "/analysis").c_str(), analysisOnly, data)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((name + "/memory").c_str(), inMemory, data, false)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((name + "/memoryTexts").c_str(), inMemory, data, true)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((name + "/files").c_str(), onFiles, data)
            ->Unit(benchmark::kMicrosecond);
    }
}

}  // namespace
}  // namespace keldar

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    keldar::registerProjects();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
