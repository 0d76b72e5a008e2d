// Whole runs of the engine library as the GUI makes them: a process loads the library, calls
// the entry point on names.dat and unloads it again. The largest project's run is timed against
// copying its two output files (report and plot file) in the same folder and the same bench
// run, so that the ratio says how close the run comes to the cost of writing its output on
// this machine at this moment.
//
//   keldar_run_bench [REPETITIONS]
//   keldar_run_bench --projects FOLDER     writes the two projects only (for profiling)
//   keldar_run_bench --run-once FOLDER/largest
//
// Cold: a new process for each run. Warm: repeated runs in this process, the library loaded
// once. Figures are medians over the repetitions.
#include <dlfcn.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "RunDriver.h"
#include "RunStore.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using EntryPoint = std::int32_t (*)(std::int32_t);

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// ---------------------------------------------------------------------------------------------
// The projects

struct ProjectSize {
    int increments;
    int curves;
    int points;
    int movements;  // 0: the default tip movements
    int loads;
    bool downDrag;
};

// A 24 in. pile 1200 in. long in soil whose friction grows with depth; each t-z curve reaches
// its peak at 0.2 in. and softens to 80 % of it. Head loads are spread over the range that the
// tip movements reach (`reach`, the head load of the largest movement).
std::string dataFile(const ProjectSize& size, float reach) {
    std::ostringstream out;
    out.precision(9);
    out << "Bench pile " << size.increments << " increments, " << size.curves << " curves\n";
    out << size.increments << " 0 1\n1\n" << size.curves << "\n";
    const float length = 1200.0f;
    for (int j = 1; j <= size.curves; ++j) {
        const float depth =
            length * static_cast<float>(j - 1) / static_cast<float>(std::max(1, size.curves - 1));
        const float tmax = 2.0f + 10.0f * depth / length;
        out << j << " " << depth << " " << size.points << "\n";
        for (int k = 1; k <= size.points; ++k) {
            const float z = 2.0f * static_cast<float>(k - 1) / static_cast<float>(size.points - 1);
            const float t = z <= 0.2f ? tmax * z / 0.2f : tmax * std::max(0.8f, 1.0f - (z - 0.2f));
            out << t << " " << z << "\n";
        }
    }
    out << "2\n1.5E9 0 1.5E9 " << length << "\n50\n";
    for (int k = 1; k <= 50; ++k) {
        const float w = 3.0f * static_cast<float>(k - 1) / 49.0f;
        out << 4.0e5f * std::sqrt(w / 3.0f) << " " << w << "\n";
    }
    out << "1E-5 " << length << " 24 452.39\n" << size.movements << "\n";
    for (int k = 1; k <= size.movements; ++k) {
        out << 0.001f * std::pow(2000.0f, static_cast<float>(k - 1) /
                                              static_cast<float>(std::max(1, size.movements - 1)))
            << "\n";
    }
    out << size.loads << "\n";
    for (int j = 1; j <= size.loads; ++j)
        out << reach * static_cast<float>(j) / static_cast<float>(size.loads + 1) << "\n";
    if (size.downDrag) {
        out << "100\n";
        for (int k = 1; k <= 100; ++k) {
            const float x = length * static_cast<float>(k - 1) / 99.0f;
            out << x << " " << std::max(0.0f, 0.5f * (1.0f - x / (0.6f * length))) << "\n";
        }
    } else {
        out << "0\n";
    }
    out << "0\n0\n";
    return out.str();
}

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

// The project's folder with its data file and names.dat. The head loads come from a first run
// without them (linked here directly, not through the library).
void makeProject(const fs::path& folder, ProjectSize size) {
    fs::create_directories(folder);
    ProjectSize probe = size;
    probe.loads = 0;
    writeText(folder / "pile.kd3d", dataFile(probe, 0.0f));
    const keldar::RunPaths paths{(folder / "pile.kd3d").string(), (folder / "pile.kd3o").string(),
                                 (folder / "pile.kd3p").string(), (folder / "pile.kd3r").string()};
    keldar::RunResults probeResults;
    keldar::RunOptions quiet;
    quiet.consoleBanner = false;
    quiet.results = &probeResults;
    if (keldar::runKeldar(paths, keldar::RunIdentity{}, quiet) != 0)
        throw std::runtime_error("the probe run of " + folder.string() + " failed");
    writeText(folder / "pile.kd3d", dataFile(size, probeResults.loadSettlement.back().topLoad));
    writeText(folder / "names.dat", std::string(keldar::kProgramVersion) + "\nBench\nBench\n0\n" +
                                        paths.dataFile + "\n" + paths.reportFile + "\n" +
                                        paths.plotFile + "\n" + paths.notesFile + "\n");
}

// ---------------------------------------------------------------------------------------------
// Runs through the library

struct Library {
    void* handle = nullptr;
    EntryPoint entry = nullptr;

    Library() {
        handle = dlopen(KELDAR_DLL_PATH, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) throw std::runtime_error(dlerror());
        entry = reinterpret_cast<EntryPoint>(dlsym(handle, "_IKELDAR"));
        if (entry == nullptr) throw std::runtime_error("no entry point _IKELDAR");
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    ~Library() { dlclose(handle); }
};

// The entry point writes its banner on standard error; the bench's own lines go to standard
// output.
void silenceStandardError() {
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, 2);
}

// The child process of a cold run: the run as the GUI makes it.
int runOnce(const char* folder) {
    if (chdir(folder) != 0) return 100;
    silenceStandardError();
    Library library;
    return library.entry(4);
}

// Wall-clock and processor time of one measurement, in ms. The processor time counts every
// thread; on a machine shared with other work it varies less than the wall-clock time.
struct Timing {
    double wall = 0.0;
    double cpu = 0.0;
};

double milliseconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

double processCpu() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Times work done in this process.
template <class Work>
Timing timed(Work work) {
    const double cpu = processCpu();
    const Clock::time_point start = Clock::now();
    work();
    return {millisecondsSince(start), processCpu() - cpu};
}

Timing coldRun(const std::string& self, const fs::path& folder) {
    const std::string folderText = folder.string();
    char* const argv[] = {const_cast<char*>(self.c_str()), const_cast<char*>("--run-once"),
                          const_cast<char*>(folderText.c_str()), nullptr};
    const Clock::time_point start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, environ) != 0)
        throw std::runtime_error("cannot start " + self);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the run in " + folderText + " failed");
    return {millisecondsSince(start), milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime)};
}

Timing warmRun(const Library& library, const fs::path& folder) {
    fs::current_path(folder);
    std::int32_t status = 0;
    const Timing t = timed([&] { status = library.entry(4); });
    if (status != 0) throw std::runtime_error("the run in " + folder.string() + " failed");
    return t;
}

// ---------------------------------------------------------------------------------------------
// The copy: each output file read and written again beside it in large blocks, as a plain copy
// program does, the copy replacing the one of the last repetition as the run replaces its files.

void copyFile(const fs::path& from, const fs::path& to) {
    static std::vector<char> block(1 << 20);
    const int in = open(from.c_str(), O_RDONLY);
    const int out = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0) throw std::runtime_error("cannot copy " + from.string());
    ssize_t n = 0;
    while ((n = read(in, block.data(), block.size())) > 0) {
        if (write(out, block.data(), static_cast<std::size_t>(n)) != n)
            throw std::runtime_error("cannot write " + to.string());
    }
    close(in);
    if (close(out) != 0 || n < 0) throw std::runtime_error("cannot copy " + from.string());
}

Timing copyOutputs(const fs::path& folder) {
    return timed([&] {
        copyFile(folder / "pile.kd3o", folder / "copy.kd3o");
        copyFile(folder / "pile.kd3p", folder / "copy.kd3p");
    });
}

// Medians of wall-clock and processor times.
struct Figures {
    std::vector<double> wall, cpu;
    void add(const Timing& t) {
        wall.push_back(t.wall);
        cpu.push_back(t.cpu);
    }
    Timing median() const { return {medianOf(wall), medianOf(cpu)}; }
};

void makeProjects(const fs::path& root) {
    // 500 increments, 150 curves of 100 points, 100 tip movements, 50 head loads, down-drag,
    // the table along the pile for every case.
    makeProject(root / "largest", {500, 150, 100, 100, 50, true});
    // 50 increments, 15 curves of 10 points, the 9 default tip movements, 10 head loads.
    makeProject(root / "typical", {50, 15, 10, 0, 10, false});
}

int benchmark(const std::string& self, int repetitions) {
    const fs::path root =
        fs::temp_directory_path() / ("keldar-run-bench-" + std::to_string(getpid()));
    const fs::path largest = root / "largest";
    const fs::path typical = root / "typical";
    makeProjects(root);

    silenceStandardError();
    Figures cold, copy, warm, typicalWarm;
    coldRun(self, largest);  // the first run creates the files that the others replace
    copyOutputs(largest);
    for (int r = 0; r < repetitions; ++r) {
        cold.add(coldRun(self, largest));
        copy.add(copyOutputs(largest));
    }
    const fs::path start = fs::current_path();
    {
        Library library;
        for (int r = 0; r < repetitions; ++r) warm.add(warmRun(library, largest));
        for (int r = 0; r < 10 * repetitions; ++r) typicalWarm.add(warmRun(library, typical));
    }
    fs::current_path(start);
    const auto bytes = fs::file_size(largest / "pile.kd3o") + fs::file_size(largest / "pile.kd3p");
    fs::remove_all(root);

    const Timing c = copy.median(), k = cold.median(), w = warm.median();
    const Timing t = typicalWarm.median();
    std::printf("largest run: %.1f MB of output; medians of %d repetitions (ms)\n",
                static_cast<double>(bytes) / 1e6, repetitions);
    std::printf("                                     wall     cpu   wall ratio to the copy\n");
    std::printf("  copy of its two output files   %8.2f %8.2f\n", c.wall, c.cpu);
    std::printf("  whole process (cold)           %8.2f %8.2f   %.2f\n", k.wall, k.cpu,
                k.wall / c.wall);
    std::printf("  run in a loaded library (warm) %8.2f %8.2f   %.2f\n", w.wall, w.cpu,
                w.wall / c.wall);
    std::printf("typical run (warm)               %8.3f %8.3f\n", t.wall, t.cpu);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 3 && std::string(argv[1]) == "--run-once") return runOnce(argv[2]);
        if (argc == 3 && std::string(argv[1]) == "--projects") {
            makeProjects(argv[2]);
            return 0;
        }
        const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
        return benchmark(fs::canonical("/proc/self/exe").string(), repetitions);
    } catch (const std::exception& e) {
        std::printf("keldar_run_bench: %s\n", e.what());
        return 1;
    }
}
