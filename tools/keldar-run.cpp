// keldar-run: analyses KELDAR data files from the command line. For each FILE.kd3d it writes the
// output report FILE.kd3o, the plot data file FILE.kd3p and the run-notes file FILE.kd3r beside
// it, as the GUI's Run Analysis does, and optionally the results as JSON or CSV.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "KeldarVersion.h"
#include "ResultsWriter.h"
#include "RunDriver.h"

namespace fs = std::filesystem;

namespace {

void printUsage(std::ostream& out) {
    out << "Usage: keldar-run [--quiet] [--results json|csv] [--out PATH] FILE.kd3d|FOLDER ...\n"
           "\n"
           "Analyses each KELDAR data file and writes, beside it and under the same base name,\n"
           "the output report (.kd3o), the plot data file (.kd3p) and the run-notes file (.kd3r).\n"
           "A FOLDER stands for every .kd3d file in it, in name order. A failed run does not\n"
           "stop the others. One summary line per file goes to standard output:\n"
           "  FILE: status S, message or cases and the range of head loads and movements\n"
           "\n"
           "Options:\n"
           "  --quiet          no start banner or progress on standard error\n"
           "  --results json   also write the results as JSON (FILE.json beside the data file;\n"
           "                   format in docs/results.schema.json)\n"
           "  --results csv    also write the results as CSV, one file per table:\n"
           "                   FILE.summary.csv, .load-settlement.csv, .load-controlled.csv,\n"
           "                   .distribution.csv, .tz-curves.csv, .qw-curve.csv\n"
           "  --out PATH       results file (json) or base name (csv) for a single data file;\n"
           "                   with several data files PATH must be an existing folder\n"
           "  --help           show this text\n"
           "  --version        show the program version\n"
           "\n"
           "Exit status: 0 when every run ended normally, 1 when a run ended with a status\n"
           "above 0 (its message is in the report and on standard error) or a results file\n"
           "could not be written, 2 on a usage error.\n";
}

// The output files share the data file's folder and base name.
keldar::RunPaths pathsFor(const std::string& dataFile) {
    fs::path base(dataFile);
    keldar::RunPaths paths;
    paths.dataFile = dataFile;
    paths.reportFile = fs::path(base).replace_extension(".kd3o").string();
    paths.plotFile = fs::path(base).replace_extension(".kd3p").string();
    paths.notesFile = fs::path(base).replace_extension(".kd3r").string();
    return paths;
}

// A folder stands for its .kd3d files in name order; anything else is taken as a data file.
std::vector<std::string> expandArguments(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        std::error_code ec;
        if (!fs::is_directory(arg, ec)) {
            files.push_back(arg);
            continue;
        }
        std::vector<std::string> found;
        for (const fs::directory_entry& entry : fs::directory_iterator(arg, ec))
            if (entry.is_regular_file(ec) && entry.path().extension() == ".kd3d")
                found.push_back(entry.path().string());
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
    }
    return files;
}

bool writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

// Base path of the results of one data file: --out, a file inside the --out folder, or the
// data file's own base name.
fs::path resultsBase(const std::string& dataFile, const std::string& out, bool single) {
    if (out.empty()) return fs::path(dataFile).replace_extension();
    if (single && !fs::is_directory(out)) return fs::path(out);
    return fs::path(out) / fs::path(dataFile).stem();
}

bool writeResults(const keldar::RunResults& results, const std::string& kind, const fs::path& base,
                  bool explicitName) {
    bool ok = true;
    if (kind == "json") {
        fs::path path = base;
        if (!explicitName) path += ".json";
        ok = writeText(path.string(), keldar::resultsJson(results, "run"));
        if (!ok) std::cerr << "keldar-run: cannot write " << path.string() << "\n";
        return ok;
    }
    for (const auto& [suffix, text] : keldar::resultsCsv(results, "run")) {
        fs::path path = base;
        path += "." + suffix + ".csv";
        if (!writeText(path.string(), text)) {
            std::cerr << "keldar-run: cannot write " << path.string() << "\n";
            ok = false;
        }
    }
    return ok;
}

// One line per file: the status, then the message or what the run computed.
std::string summaryLine(const std::string& file, const keldar::RunResults& r) {
    std::string line = file + ": status " + std::to_string(r.status);
    if (r.status > 0) return line + ", " + r.message;
    line += ", " + std::to_string(r.loadSettlement.size()) + " cases";
    if (!r.loadSettlement.empty()) {
        const auto [loLoad, hiLoad] =
            std::minmax_element(r.loadSettlement.begin(), r.loadSettlement.end(),
                                [](const auto& a, const auto& b) { return a.topLoad < b.topLoad; });
        const auto [loMove, hiMove] = std::minmax_element(
            r.loadSettlement.begin(), r.loadSettlement.end(),
            [](const auto& a, const auto& b) { return a.topMovement < b.topMovement; });
        const keldar::UnitLabels u = keldar::unitLabels(r.unitSystem);
        line += ", head load " + keldar::numberText(loLoad->topLoad) + " to " +
                keldar::numberText(hiLoad->topLoad) + " " + u.force + ", head movement " +
                keldar::numberText(loMove->topMovement) + " to " +
                keldar::numberText(hiMove->topMovement) + " " + u.length;
    }
    const auto unconverged =
        std::count_if(r.loadSettlement.begin(), r.loadSettlement.end(),
                      [](const auto& row) { return row.unconvergedIncrements > 0; });
    if (unconverged > 0)
        line += " (" + std::to_string(unconverged) + (unconverged == 1 ? " case" : " cases") +
                " not converged: see the run notes)";
    if (!r.loadControlled.empty()) {
        const auto failed = std::count_if(
            r.loadControlled.begin(), r.loadControlled.end(),
            [](const auto& row) { return !row.converged || row.unconvergedIncrements > 0; });
        line += ", " + std::to_string(r.loadControlled.size()) + " head loads (" +
                std::to_string(failed) + " not converged)";
    }
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    bool quiet = false;
    std::string resultsKind;
    std::string out;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            printUsage(std::cout);
            return 0;
        }
        if (arg == "--version") {
            std::cout << "keldar-run (KELDAR) " << keldar::kReleaseVersion << "\n";
            return 0;
        }
        if (arg == "--quiet" || arg == "-q") {
            quiet = true;
        } else if ((arg == "--results" || arg == "--out") && i + 1 < argc) {
            (arg == "--results" ? resultsKind : out) = argv[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::cerr << "keldar-run: unknown option or missing value: " << arg << "\n";
            printUsage(std::cerr);
            return 2;
        } else {
            args.push_back(arg);
        }
    }
    if (!resultsKind.empty() && resultsKind != "json" && resultsKind != "csv") {
        std::cerr << "keldar-run: --results takes json or csv\n";
        return 2;
    }
    if (!out.empty() && resultsKind.empty()) {
        std::cerr << "keldar-run: --out needs --results\n";
        return 2;
    }
    const std::vector<std::string> files = expandArguments(args);
    if (files.empty()) {
        if (args.empty())
            printUsage(std::cerr);
        else
            std::cerr << "keldar-run: no .kd3d file found\n";
        return 2;
    }
    const bool single = files.size() == 1;
    if (!single && !out.empty() && !fs::is_directory(out)) {
        std::cerr << "keldar-run: with several data files --out must name an existing folder\n";
        return 2;
    }

    keldar::RunIdentity identity;
    identity.version = keldar::kProgramVersion;
    identity.user1 = "KELDAR command-line analysis (keldar-run)";
    identity.user2 = "Batch run, no user identification";
    identity.number = 0;
    keldar::RunResults results;
    keldar::RunOptions options;
    options.consoleBanner = !quiet;
    options.results = &results;

    int exitCode = 0;
    for (const std::string& file : files) {
        const keldar::RunPaths paths = pathsFor(file);
        // A data file named like one of the outputs would be overwritten by its own report.
        if (paths.reportFile == file || paths.plotFile == file || paths.notesFile == file) {
            std::cout << file
                      << ": not run, a data file may not have the extension .kd3o, "
                         ".kd3p or .kd3r\n";
            exitCode = 1;
            continue;
        }
        const std::int32_t status = keldar::runKeldar(paths, identity, options);
        if (status > 0) exitCode = 1;
        std::cout << summaryLine(file, results) << std::endl;
        if (!resultsKind.empty()) {
            const fs::path base = resultsBase(file, out, single);
            const bool explicitName = single && !out.empty() && !fs::is_directory(out);
            if (!writeResults(results, resultsKind, base, explicitName)) exitCode = 1;
        }
    }
    return exitCode;
}
