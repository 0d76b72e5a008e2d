// keldar-run: analyses KELDAR data files from the command line. For each FILE.kd3d it writes the
// output report FILE.kd3o, the plot data file FILE.kd3p and the run-notes file FILE.kd3r beside
// it, as the GUI's Run Analysis does, and optionally the results as JSON or CSV.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "FiniteResults.h"
#include "KeldarVersion.h"
#include "ResultsWriter.h"
#include "RunDriver.h"
#include "RunFiles.h"

namespace fs = std::filesystem;

namespace {

void printUsage(std::ostream& out) {
    out << "Usage: keldar-run [--quiet] [--strict] [--output-dir DIR] [--results json|csv]\n"
           "                  [--out PATH] FILE.kd3d|FOLDER ...\n"
           "\n"
           "Analyses each KELDAR data file and writes, beside it and under the same base name,\n"
           "the output report (.kd3o), the plot data file (.kd3p) and the run-notes file (.kd3r).\n"
           "A FOLDER stands for every .kd3d file in it, in name order. A failed run does not\n"
           "stop the others. One summary line per file goes to standard output:\n"
           "  FILE: status S, message or cases and the range of head loads and movements\n"
           "Words after a record's values (a number typed as \"100 000\" reads as 100) are not\n"
           "used by the analysis; they are listed on standard error.\n"
           "\n"
           "Options:\n"
           "  --quiet          no start banner or progress on standard error\n"
           "  --strict         a data file with words after a record's values is not run: the\n"
           "                   run stops with status 14 and the place in its message\n"
           "  --output-dir DIR write the report, plot, notes and results files into the\n"
           "                   existing folder DIR, under each data file's base name\n"
           "  --results json   also write the results as JSON (FILE.json beside the data file;\n"
           "                   format in docs/results.schema.json)\n"
           "  --results csv    also write the results as CSV, one file per table:\n"
           "                   FILE.summary.csv, .case-summary.csv, .load-settlement.csv,\n"
           "                   .load-controlled.csv, .distribution.csv, .tz-curves.csv,\n          "
           "         .qw-curve.csv\n"
           "  --at-settlement S\n"
           "                   the results summary gives the head load at head settlement S\n"
           "                   (default 1 in, or 0.025 m in SI)\n"
           "  --at-load P      the results summary gives the head settlement at head load P\n"
           "                   (default the first pile-head load)\n"
           "  --out PATH       results file (json) or base name (csv) for a single data file;\n"
           "                   with several data files PATH must be an existing folder\n"
           "  --help           show this text\n"
           "  --version        show the program version\n"
           "\n"
           "Nothing is run when a file to be written is one of the data files, or when two runs\n"
           "would write the same file (data files of the same name from different folders with\n"
           "--out or --output-dir): the file is named on standard error, exit status 2.\n"
           "A folder or a missing file is not run (status 11); nothing is written for it.\n"
           "\n"
           "Exit status: 0 when every run ended normally, 1 when a run ended with a status\n"
           "above 0 (its message is in the report and on standard error), gave results that\n"
           "are not finite numbers, or a results file could not be written, 2 on a usage\n"
           "error.\n";
}

struct Options {
    bool quiet = false;
    bool strict = false;
    std::string resultsKind;
    std::string out;
    std::string outputDir;
    std::vector<std::string> args;
    keldar::SummaryChoices choices;
};

// One data file's run and every file it writes.
struct PlannedRun {
    std::string dataFile;
    keldar::RunPaths paths;
    std::vector<fs::path> resultsFiles;
};

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

// The results files of one data file: --out itself, files inside the --out folder, or the data
// file's base name beside it or in the output folder.
std::vector<fs::path> resultsFilesFor(const std::string& dataFile, const Options& o, bool single) {
    if (o.resultsKind.empty()) return {};
    const fs::path stem = fs::path(dataFile).stem();
    fs::path base;
    bool explicitName = false;
    if (!o.out.empty()) {
        explicitName = single && !fs::is_directory(o.out);
        base = explicitName ? fs::path(o.out) : fs::path(o.out) / stem;
    } else {
        base = o.outputDir.empty() ? fs::path(dataFile).replace_extension() : o.outputDir / stem;
    }
    if (o.resultsKind == "json") return {explicitName ? base : fs::path(base) += ".json"};
    std::vector<fs::path> files;
    for (const auto& [suffix, text] : keldar::resultsCsv(keldar::RunResults{}, "run"))
        files.push_back(fs::path(base) += "." + suffix + ".csv");
    return files;
}

// Two names of one file compare equal by this key: the absolute path, normalised, with the
// symbolic links of its existing part resolved.
std::string fileKey(const fs::path& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    const fs::path canonical = fs::weakly_canonical(absolute, ec);
    return (ec ? absolute : canonical).lexically_normal().string();
}

// Empty when every file that the runs write is written once and is no data file; otherwise
// the reason, naming the file.
std::string planConflict(const std::vector<PlannedRun>& plan) {
    std::map<std::string, std::string> inputs, written;
    for (const PlannedRun& run : plan) {
        if (!inputs.emplace(fileKey(run.dataFile), run.dataFile).second)
            return run.dataFile + " is given twice";
    }
    for (const PlannedRun& run : plan) {
        std::vector<std::pair<fs::path, std::string>> files = {{run.paths.reportFile, "report"},
                                                               {run.paths.plotFile, "plot file"},
                                                               {run.paths.notesFile, "notes file"}};
        for (const fs::path& file : run.resultsFiles) files.emplace_back(file, "results");
        for (const auto& [file, what] : files) {
            const std::string role = "the " + what + " of " + run.dataFile;
            const std::string key = fileKey(file);
            if (const auto input = inputs.find(key); input != inputs.end())
                return file.string() + " is the data file " + input->second + "; it would be " +
                       "overwritten with " + role;
            const auto [other, added] = written.emplace(key, role);
            if (!added)
                return file.string() + " would be written twice, as " + other->second + " and as " +
                       role;
            std::error_code ec;
            if (fs::is_directory(file, ec))
                return file.string() + " is a folder; it cannot take " + role;
        }
    }
    return {};
}

bool writeResults(const keldar::RunResults& results, const PlannedRun& run, const Options& o) {
    const std::string& kind = o.resultsKind;
    bool ok = true;
    std::vector<std::pair<std::string, std::string>> texts;
    if (kind == "json")
        texts.emplace_back("", keldar::resultsJson(results, "run", o.choices));
    else
        texts = keldar::resultsCsv(results, "run", o.choices);
    for (std::size_t i = 0; i < texts.size() && i < run.resultsFiles.size(); ++i) {
        if (!writeText(run.resultsFiles[i].string(), texts[i].second)) {
            std::cerr << "keldar-run: cannot write " << run.resultsFiles[i].string() << "\n";
            ok = false;
        }
    }
    return ok;
}

// One line per file: the status, then the message or what the run computed.
std::string summaryLine(const std::string& file, const keldar::RunResults& r) {
    std::string line = file + ": status " + std::to_string(r.status);
    if (r.status > 0 || keldar::nonFiniteRowCount(r) > 0) return line + ", " + r.message;
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

// A number of the command line, read with "." whatever the locale.
bool readChoice(const std::string& text, float& value) {
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && stop == end && std::isfinite(value);
}

// Runs one planned data file; false when it did not give a result.
bool runOne(const PlannedRun& run, const Options& o, const keldar::RunIdentity& identity) {
    keldar::RunResults results;
    // A folder or a missing file gets no report: nothing is written for it.
    if (!keldar::dataFileCanBeRun(run.dataFile, results)) {
        std::cout << summaryLine(run.dataFile, results) << std::endl;
        return false;
    }
    keldar::RunOptions options;
    options.consoleBanner = !o.quiet;
    options.results = &results;
    options.strictRecords = o.strict;
    const std::int32_t status = keldar::runKeldar(run.paths, identity, options);
    keldar::noteNonFiniteResults(results);
    for (const std::string& words : results.unusedWords)
        std::cerr << "keldar-run: " << run.dataFile
                  << ": not used, after a record's values: " << words << "\n";
    bool ok = status == 0 && keldar::nonFiniteRowCount(results) == 0;
    std::cout << summaryLine(run.dataFile, results) << std::endl;
    if (!o.resultsKind.empty()) ok = writeResults(results, run, o) && ok;
    return ok;
}

// What the command line asks for; an exit status when it asks for no run (--help, --version)
// or holds a usage error, which is then on standard error.
std::optional<int> parseArguments(int argc, char** argv, Options& o) {
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
            o.quiet = true;
        } else if (arg == "--strict") {
            o.strict = true;
        } else if ((arg == "--results" || arg == "--out" || arg == "--output-dir") &&
                   i + 1 < argc) {
            (arg == "--results" ? o.resultsKind : arg == "--out" ? o.out : o.outputDir) = argv[++i];
        } else if ((arg == "--at-settlement" || arg == "--at-load") && i + 1 < argc) {
            float& choice = arg == "--at-load" ? o.choices.load : o.choices.settlement;
            if (!readChoice(argv[++i], choice)) {
                std::cerr << "keldar-run: " << arg << " takes a finite number, not " << argv[i]
                          << "\n";
                return 2;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::cerr << "keldar-run: unknown option or missing value: " << arg << "\n";
            printUsage(std::cerr);
            return 2;
        } else {
            o.args.push_back(arg);
        }
    }
    return std::nullopt;
}

// The options that do not go together; the message for the first such pair, or empty.
std::string optionConflict(const Options& o) {
    if (!o.resultsKind.empty() && o.resultsKind != "json" && o.resultsKind != "csv")
        return "--results takes json or csv";
    if (!o.out.empty() && o.resultsKind.empty()) return "--out needs --results";
    if (!o.outputDir.empty() && !fs::is_directory(o.outputDir))
        return "--output-dir must name an existing folder: " + o.outputDir;
    return {};
}

// Every file to run with the files it will write; a usage error (on standard error) when
// there is nothing to run or the runs would write over each other or over a data file.
std::optional<std::vector<PlannedRun>> planRuns(const Options& o) {
    const std::vector<std::string> files = expandArguments(o.args);
    if (files.empty()) {
        if (o.args.empty())
            printUsage(std::cerr);
        else
            std::cerr << "keldar-run: no .kd3d file found\n";
        return std::nullopt;
    }
    const bool single = files.size() == 1;
    if (!single && !o.out.empty() && !fs::is_directory(o.out)) {
        std::cerr << "keldar-run: with several data files --out must name an existing folder\n";
        return std::nullopt;
    }
    std::vector<PlannedRun> plan;
    for (const std::string& file : files)
        plan.push_back(
            {file, keldar::runPathsFor(file, o.outputDir), resultsFilesFor(file, o, single)});
    if (const std::string conflict = planConflict(plan); !conflict.empty()) {
        std::cerr << "keldar-run: nothing run: " << conflict << "\n";
        return std::nullopt;
    }
    return plan;
}

keldar::RunIdentity commandLineIdentity() {
    keldar::RunIdentity identity;
    identity.version = keldar::kProgramVersion;
    identity.user1 = "KELDAR command-line analysis (keldar-run)";
    identity.user2 = "Batch run, no user identification";
    identity.number = 0;
    return identity;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (const std::optional<int> status = parseArguments(argc, argv, o)) return *status;
    if (const std::string conflict = optionConflict(o); !conflict.empty()) {
        std::cerr << "keldar-run: " << conflict << "\n";
        return 2;
    }
    const std::optional<std::vector<PlannedRun>> plan = planRuns(o);
    if (!plan) return 2;
    const keldar::RunIdentity identity = commandLineIdentity();
    int exitCode = 0;
    for (const PlannedRun& run : *plan)
        if (!runOne(run, o, identity)) exitCode = 1;
    return exitCode;
}
