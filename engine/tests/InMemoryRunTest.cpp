// Runs in memory against runs on files: the same numbers and byte for byte the same report, plot
// and notes texts, for every sample project and for random projects; and runs in memory on
// several threads at once, each as it is alone.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "RunDriver.h"
#include "TestFiles.h"

namespace keldar {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

struct Outcome {
    std::int32_t status = 0;
    RunResults results;
    RunTexts texts;
};

RunIdentity identity() {
    RunIdentity id;
    id.user1 = "In-memory test";
    id.user2 = "Engine, tests";
    id.number = 77;
    return id;
}

RunOptions optionsFor(RunResults& results, int workers = 0) {
    RunOptions options;
    options.fixedTime = ReportTime{2026, 12, 8, 17, 5, 9};
    options.consoleBanner = false;
    options.consoleErrors = false;
    options.workers = workers;
    options.results = &results;
    return options;
}

Outcome runOnFiles(const TempDir& dir, const std::string& data) {
    const RunPaths paths = RunPathsFor(dir.file("pile.kd3d"));
    writeFile(paths.dataFile, data);
    Outcome o;
    o.status = runKeldar(paths, identity(), optionsFor(o.results));
    o.texts = {readFile(paths.reportFile), readFile(paths.plotFile), readFile(paths.notesFile)};
    return o;
}

Outcome runInMemory(const TempDir& dir, const std::string& data, bool keepTexts, int workers = 0) {
    Outcome o;
    o.status = runKeldarInMemory(data, RunPathsFor(dir.file("pile.kd3d")), identity(),
                                 optionsFor(o.results, workers), keepTexts ? &o.texts : nullptr);
    return o;
}

// The in-memory path with its texts, without them, and the file path: one outcome. The runs in
// memory come first and leave the folder of their names empty.
void expectSameOnBothPaths(const std::string& data, const std::string& name) {
    SCOPED_TRACE(name);
    const TempDir dir;
    const Outcome withTexts = runInMemory(dir, data, true);
    const Outcome numbersOnly = runInMemory(dir, data, false);
    EXPECT_TRUE(fs::is_empty(dir.path()));
    const Outcome onFiles = runOnFiles(dir, data);

    EXPECT_EQ(withTexts.status, onFiles.status);
    EXPECT_EQ(numbersOnly.status, onFiles.status);
    EXPECT_TRUE(withTexts.results == onFiles.results);
    EXPECT_TRUE(numbersOnly.results == onFiles.results);
    EXPECT_EQ(withTexts.texts.report, onFiles.texts.report);
    EXPECT_EQ(withTexts.texts.plot, onFiles.texts.plot);
    EXPECT_EQ(withTexts.texts.notes, onFiles.texts.notes);
    EXPECT_TRUE(numbersOnly.texts.report.empty());
}

std::vector<fs::path> sampleProjects() {
    std::vector<fs::path> found;
    const char* const source = std::getenv("KELDAR_SOURCE_DIR");
    if (source == nullptr) return found;
    for (const char* folder : {"examples", "examples/cpt", "docs/verification"})
        for (const auto& entry : fs::directory_iterator(fs::path(source) / folder))
            if (entry.path().extension() == ".kd3d") found.push_back(entry.path());
    return found;
}

TEST(InMemoryRun, SampleProjectsAsOnFiles) {
    const std::vector<fs::path> samples = sampleProjects();
    ASSERT_GE(samples.size(), 19u);
    for (const fs::path& sample : samples)
        expectSameOnBothPaths(readFile(sample.string()), sample.filename().string());
}

TEST(InMemoryRun, BadDataAsOnFiles) {
    // A run stopped at the input: truncated, malformed, a soil code out of range.
    expectSameOnBothPaths("Title only\n", "truncated");
    expectSameOnBothPaths("Title\n20 0 1\nx\n", "malformed");
    expectSameOnBothPaths("T\n10 0 1\n2 \n1\n1 9 0.0 100\n0 0 0 0 0 0\n0 0 0 0 0 0\n", "soil code");
}

// ---------------------------------------------------------------------------------------------
// Random projects, written in the data file's record order

class ProjectGenerator {
  public:
    explicit ProjectGenerator(std::uint32_t seed) : random_(seed) {}

    std::string project() {
        text_.clear();
        si_ = chance(0.5);
        const double scale = si_ ? 0.0254 : 1.0;  // lengths: m or in
        length_ = between(300, 1500) * scale;
        const double diameter = between(12, 48) * scale;
        const bool generated = chance(0.5);
        line("Random pile " + std::to_string(++count_));
        line(whole(5, 120) + " " + (chance(0.7) ? "0" : "1") + " " + (si_ ? "2" : "1"));
        line(generated ? "2 " : "1 ");
        if (generated)
            soilLayers();
        else
            userCurves(scale);
        axialStiffness();
        if (!generated) tipCurve(scale);
        line(number(1e-5 * scale) + " " + number(length_) + " " + number(diameter) + " " +
             number(0.785398 * diameter * diameter));
        tipMovements(scale);
        headLoads();
        settlementProfile(scale);
        tzFactors();
        if (chance(0.3))
            line(" 1\n" + number(between(0.5, 1.5)) + " " + number(between(0.5, 1.5)));
        else
            line(" 0");
        return text_;
    }

  private:
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
    double between(double a, double b) {
        return std::uniform_real_distribution<double>(a, b)(random_);
    }
    int wholeNumber(int a, int b) { return std::uniform_int_distribution<int>(a, b)(random_); }
    std::string whole(int a, int b) { return std::to_string(wholeNumber(a, b)); }
    static std::string number(double value) {
        char buffer[32];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, float(value));
        return ec == std::errc() ? std::string(buffer, end) : "0";
    }
    void line(const std::string& text) { text_ += text + "\n"; }

    // Depths from the head to the tip, the first at 0 and the last at the tip.
    std::vector<double> depths(int n) {
        std::vector<double> d{0.0};
        for (int i = 1; i < n - 1; ++i) d.push_back(between(d.back(), length_));
        if (n > 1) d.push_back(length_);
        return d;
    }

    void userCurves(double scale) {
        const int curves = wholeNumber(2, 6);
        line(std::to_string(curves));
        const std::vector<double> at = depths(curves);
        for (int k = 1; k <= curves; ++k) {
            const int points = wholeNumber(2, 8);
            line(std::to_string(k) + " " + number(at[k - 1]) + " " + std::to_string(points));
            const double peak = between(1, 15) * (si_ ? 6.9 : 1.0);  // psi or kPa
            double z = 0;
            for (int p = 0; p < points; ++p) {
                const double t = p == 0 ? 0
                                        : peak * std::min(1.0, z / (0.3 * scale)) *
                                              (p + 1 == points ? between(0.8, 1) : 1.0);
                line(number(t) + " " + number(z));
                z += between(0.02, 0.4) * scale;
            }
        }
    }

    void soilLayers() {
        const int layers = wholeNumber(1, 4);
        line(std::to_string(layers));
        std::vector<double> bottoms = depths(layers + 1);
        bottoms.back() *= chance(0.8) ? 1.2 : 0.9;  // soil data below the tip, or not quite
        for (int k = 1; k <= layers; ++k)
            line(std::to_string(k) + " " + whole(1, 6) + " " +
                 (k == 1 ? std::string("0.0") : number(bottoms[k - 1])) + " " + number(bottoms[k]));
        for (int k = 1; k <= layers; ++k) {
            for (int row = 0; row < 2; ++row) {
                const double gamma = si_ ? between(8, 20) : between(0.03, 0.07);
                if (chance(0.5))
                    line(number(gamma) + " " + number(between(5, 30) * (si_ ? 6.9 : 1.0)) +
                         " 0.0  " + number(between(0.004, 0.02)) + " " +
                         number(chance(0.5) ? 0 : between(1, 5)) + " 0");
                else
                    line(number(gamma) + " 0.0  " + number(between(26, 40)) + " " +
                         number(between(5, 50)) + " " + number(chance(0.5) ? 0 : between(1, 8)) +
                         " 0");
            }
        }
    }

    void axialStiffness() {
        const int points = wholeNumber(2, 5);
        line(std::to_string(points));
        const std::vector<double> at = depths(points);
        const double ae = si_ ? between(1e5, 1e7) : between(1e8, 1e10);
        for (int k = 0; k < points; ++k) line(number(ae * between(0.7, 1.0)) + " " + number(at[k]));
    }

    void tipCurve(double scale) {
        const int points = wholeNumber(2, 8);
        line(std::to_string(points));
        const double peak = si_ ? between(100, 2000) : between(2e4, 4e5);
        for (int p = 0; p < points; ++p)
            line(number(peak * std::sqrt(double(p) / (points - 1))) + " " +
                 number(p * 0.5 * scale));
    }

    void tipMovements(double scale) {
        if (!chance(0.7)) return line(" 0");
        const int n = wholeNumber(1, 12);
        line(std::to_string(n));
        for (int k = 0; k < n; ++k)
            line(number((chance(0.1) ? -1 : 1) * between(0.001, 1.5) * scale));
    }

    void headLoads() {
        if (!chance(0.5)) return line(" 0");
        const int n = wholeNumber(1, 6);
        line(std::to_string(n));
        for (int k = 0; k < n; ++k) line(number(between(10, 3e5) * (si_ ? 0.00445 : 1.0)));
    }

    void settlementProfile(double scale) {
        if (!chance(0.3)) return line(" 0");
        const int n = wholeNumber(2, 5);
        line(std::to_string(n));
        const std::vector<double> at = depths(n);
        for (int k = 0; k < n; ++k)
            line(number(at[k]) + " " + number(between(0, 0.5) * scale * (n - 1 - k) / (n - 1)));
    }

    void tzFactors() {
        if (!chance(0.3)) return line(" 0");
        const int n = wholeNumber(2, 4);
        line(" 1\n" + std::to_string(n));
        const std::vector<double> at = depths(n);
        for (int k = 0; k < n; ++k)
            line(number(at[k]) + " " + number(between(0.5, 1.5)) + " " + number(between(0.5, 2)));
    }

    std::mt19937 random_;
    std::string text_;
    bool si_ = false;
    double length_ = 0;
    int count_ = 0;
};

TEST(InMemoryRun, RandomProjectsAsOnFiles) {
    ProjectGenerator generator(20261208);
    int normal = 0;
    for (int i = 0; i < 60; ++i) {
        const std::string data = generator.project();
        expectSameOnBothPaths(data, data);
        RunResults results;
        if (runKeldarInMemory(data, RunPathsFor("pile.kd3d"), identity(), optionsFor(results)) == 0)
            ++normal;
    }
    // Most of them are runs to the end, not stops at the input.
    EXPECT_GE(normal, 40);
}

// ---------------------------------------------------------------------------------------------
// Several runs at once

TEST(InMemoryRun, ConcurrentRunsAsSequentialOnes) {
    std::vector<std::string> projects;
    for (const fs::path& sample : sampleProjects()) projects.push_back(readFile(sample.string()));
    ProjectGenerator generator(4242);
    for (int i = 0; i < 10; ++i) projects.push_back(generator.project());

    const TempDir dir;
    std::vector<Outcome> alone;
    for (const std::string& data : projects) alone.push_back(runInMemory(dir, data, true));

    // Every thread runs every project, starting at a different one, some of them with worker
    // threads of their own.
    constexpr int kThreads = 4;
    std::vector<std::vector<Outcome>> together(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            together[t].resize(projects.size());
            for (std::size_t n = 0; n < projects.size(); ++n) {
                const std::size_t i = (n + static_cast<std::size_t>(t) * 7) % projects.size();
                together[t][i] = runInMemory(dir, projects[i], true, i % 3 == 0 ? 3 : 0);
            }
        });
    }
    for (std::thread& thread : threads) thread.join();

    for (int t = 0; t < kThreads; ++t) {
        for (std::size_t i = 0; i < projects.size(); ++i) {
            SCOPED_TRACE("thread " + std::to_string(t) + ", project " + std::to_string(i));
            EXPECT_EQ(together[t][i].status, alone[i].status);
            EXPECT_TRUE(together[t][i].results == alone[i].results);
            EXPECT_EQ(together[t][i].texts.report, alone[i].texts.report);
            EXPECT_EQ(together[t][i].texts.plot, alone[i].texts.plot);
            EXPECT_EQ(together[t][i].texts.notes, alone[i].texts.notes);
        }
    }
}

}  // namespace
}  // namespace keldar
