// keldar-cpt: a pile project from a cone penetration test. Reads a CPT file (GEF, AGS4, CSV or
// tab-separated text), derives t-z and Q-w curves by the Unified CPT methods and saves them as an
// ordinary entered-curves data file, optionally running the analysis.
#include <QString>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "CptFile.h"
#include "CptReadError.h"
#include "CptText.h"
#include "DesignSummary.h"
#include "InputOutputError.h"
#include "KeldarVersion.h"
#include "ProgramData.h"
#include "ProjectFromCpt.h"
#include "RunDriver.h"

namespace fs = std::filesystem;
using namespace keldar::cpt;

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

void printUsage(std::ostream& out) {
    out << "Usage: keldar-cpt CPT_FILE --diameter D (--wall T | --closed) --length L\n"
           "                  [--tension] [--water-table Z]\n"
           "                  [--unit-weight G | BOTTOM:G,...,G | cpt]\n"
           "                  [--layers BOTTOM:sand|clay,...,sand|clay] [--spacing S] [--merge P]\n"
           "                  [--base-average dutch|1.5d] [--modulus E] [--title TEXT]\n"
           "                  --out PROJECT.kd3d [--run] [--quiet]\n"
           "       keldar-cpt --help | --version\n"
           "\n"
           "Reads the cone penetration test CPT_FILE (GEF .gef, AGS4 .ags with SCPG/SCPT, or CSV\n"
           "/ tab-separated text with a header naming each column and its unit) and makes a pile\n"
           "project whose t-z and Q-w curves are entered curves, saved as PROJECT.kd3d in S.I.\n"
           "units (kN, m). Shaft friction and base resistance follow the Unified CPT methods for\n"
           "driven piles in sand (Lehane et al. 2020) and clay (Lehane et al. 2022); the sand\n"
           "curves those of Lehane, Li & Bittar (2020), the clay curves the API RP 2GEO shapes.\n"
           "\n"
           "  --diameter D      outer diameter, m\n"
           "  --wall T          wall thickness of an open-ended tube, m\n"
           "  --closed          closed-ended pile (with --wall a closed tube, else solid)\n"
           "  --length L        embedded length, m; the CPT must reach the tip\n"
           "  --tension         uplift: tension shaft friction, no base resistance\n"
           "  --water-table Z   depth of the water table below the ground surface, m (default 0)\n"
           "  --unit-weight     total unit weight, kN/m3 (default 19); BOTTOM:G pairs give\n"
           "                    layers, the last value goes on below; cpt: from qt and fs\n"
           "                    (Robertson & Cabal 2010), 19 where fs is missing\n"
           "  --layers          sand or clay by hand instead of the soil behaviour type index\n"
           "  --spacing S       distance between t-z curves, m (default 1); widened to keep at\n"
           "                    most 100 curves; a pair of curves pins every layer boundary\n"
           "  --merge P         merge neighbouring curves whose peak friction differs by less\n"
           "                    than P % (default 2); 0 keeps every curve of the spacing\n"
           "  --base-average    qp by the Dutch method (default) or the mean over 1.5 D above\n"
           "                    and below the base\n"
           "  --modulus E       Young's modulus of the pile, kPa (default 2.1E8, steel)\n"
           "  --run             run the analysis on the saved project (.kd3o, .kd3p, .kd3r)\n"
           "  --quiet           print no summary\n"
           "\n"
           "The summary of the design (layers, each curve's peak, the base) goes to standard\n"
           "output. PROJECT.kd3d may not be the CPT file itself.\n"
           "\n"
           "Exit status:\n"
           "  0  the project was saved (and the run ended normally)\n"
           "  1  the CPT file was refused, no design is possible, the project could not be saved\n"
           "     or the run ended with a status above 0; the reason is on standard error\n"
           "  2  usage error\n";
}

struct Arguments {
    std::string cptFile, out, title;
    DesignOptions options;
    bool run = false, quiet = false;
};

std::optional<double> Positive(const std::string& text) {
    const std::optional<double> value = ParseNumber(text);
    if (!value || !(*value >= 0) || !std::isfinite(*value)) return std::nullopt;
    return value;
}

// "BOTTOM:VALUE,...,VALUE" as (bottom, value) pairs, the last bottom 0 (going on below).
std::optional<std::vector<std::pair<double, std::string>>> Layered(const std::string& text) {
    std::vector<std::pair<double, std::string>> items;
    for (const std::string& item : SplitFields(text, ',')) {
        const std::size_t colon = item.find(':');
        if (colon == std::string::npos) {
            items.emplace_back(0.0, item);
            continue;
        }
        const std::optional<double> bottom = Positive(item.substr(0, colon));
        if (!bottom || (!items.empty() && *bottom <= items.back().first)) return std::nullopt;
        items.emplace_back(*bottom, item.substr(colon + 1));
    }
    if (items.empty() || text.back() == ',' || items.back().first != 0.0) return std::nullopt;
    return items;
}

bool ReadUnitWeights(const std::string& text, DesignOptions& options) {
    if (text == "cpt") {
        options.unitWeightsFromCone = true;
        return true;
    }
    const auto items = Layered(text);
    if (!items) return false;
    options.unitWeights.clear();
    for (const auto& [bottom, value] : *items) {
        const std::optional<double> weight = Positive(value);
        if (!weight || *weight <= 0) return false;
        options.unitWeights.push_back({bottom, *weight});
    }
    return true;
}

bool ReadLayers(const std::string& text, DesignOptions& options) {
    const auto items = Layered(text);
    if (!items) return false;
    for (const auto& [bottom, value] : *items) {
        if (value != "sand" && value != "clay") return false;
        options.layers.push_back({bottom, value == "sand" ? SoilKind::Sand : SoilKind::Clay});
    }
    options.layers.back().bottom = 1e9;  // the last layer goes on below
    return true;
}

// The setting an option of one number goes to, or null for any other option.
double* NumberTarget(const std::string& arg, DesignOptions& options) {
    if (arg == "--diameter") return &options.pile.diameter;
    if (arg == "--wall") return &options.pile.wall;
    if (arg == "--length") return &options.pile.length;
    if (arg == "--water-table") return &options.waterTable;
    if (arg == "--spacing") return &options.curveSpacing;
    if (arg == "--modulus") return &options.pile.modulus;
    return nullptr;
}

// An option that stands alone; false for any other argument.
bool ReadFlag(const std::string& arg, Arguments& a) {
    if (arg == "--closed")
        a.options.pile.closedEnd = true;
    else if (arg == "--tension")
        a.options.direction = LoadDirection::Tension;
    else if (arg == "--run")
        a.run = true;
    else if (arg == "--quiet")
        a.quiet = true;
    else
        return false;
    return true;
}

bool ReadNumber(const std::string& text, double& target) {
    const std::optional<double> value = Positive(text);
    if (value) target = *value;
    return value.has_value();
}

bool ReadBaseAveraging(const std::string& text, DesignOptions& options) {
    if (text != "dutch" && text != "1.5d") return false;
    options.baseAveraging = text == "dutch" ? BaseAveraging::Dutch : BaseAveraging::OnePointFive;
    return true;
}

// An option followed by its value (null when the command line ends first): whether the value
// is good, or nothing when the option takes no value.
std::optional<bool> ReadValue(const std::string& arg, const char* value, Arguments& a) {
    const bool takesValue = NumberTarget(arg, a.options) || arg == "--merge" ||
                            arg == "--unit-weight" || arg == "--layers" || arg == "--title" ||
                            arg == "--out" || arg == "--base-average";
    if (!takesValue) return std::nullopt;
    if (value == nullptr) return false;
    const std::string text = value;
    if (double* target = NumberTarget(arg, a.options)) return ReadNumber(text, *target);
    if (arg == "--merge") {
        double percent = 0;
        const bool ok = ReadNumber(text, percent);
        a.options.mergeTolerance = percent / 100.0;
        return ok;
    }
    if (arg == "--unit-weight") return ReadUnitWeights(text, a.options);
    if (arg == "--layers") return ReadLayers(text, a.options);
    if (arg == "--base-average") return ReadBaseAveraging(text, a.options);
    (arg == "--title" ? a.title : a.out) = text;
    return true;
}

// The usage error of a command line read in full: a required option missing or the project
// going over the CPT file; empty when the arguments are complete.
std::string IncompleteArguments(const Arguments& a, const std::set<std::string>& given) {
    if (a.cptFile.empty()) return "no CPT file";
    if (!given.count("--diameter") || !given.count("--length"))
        return "--diameter and --length are required";
    if (!given.count("--wall") && !given.count("--closed")) return "--wall or --closed is required";
    if (a.out.empty()) return "--out is required";
    if (fs::path(a.out).extension() != ".kd3d") return "--out must name a .kd3d file";
    // Compared as absolute paths, so that "./a" and "a" are the same file even before it exists.
    std::error_code ec;
    const auto canonical = [&ec](const std::string& p) {
        return fs::weakly_canonical(fs::absolute(p, ec), ec);
    };
    if (canonical(a.out) == canonical(a.cptFile)) return "--out may not be the CPT file";
    return {};
}

// The usage error's message, empty when the arguments are complete.
std::string ReadArguments(int argc, char** argv, Arguments& a) {
    std::set<std::string> given;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (ReadFlag(arg, a)) {
            given.insert(arg);
        } else if (const auto read = ReadValue(arg, i + 1 < argc ? argv[i + 1] : nullptr, a)) {
            if (!*read) return "a missing or bad value for " + arg;
            given.insert(arg);
            ++i;
        } else if (!arg.empty() && arg[0] == '-') {
            return "unknown option " + arg;
        } else if (!a.cptFile.empty()) {
            return "more than one CPT file";
        } else {
            a.cptFile = arg;
        }
    }
    return IncompleteArguments(a, given);
}

int RunAnalysis(const std::string& dataFile) {
    const keldar::RunPaths paths = keldar::RunPathsFor(dataFile);
    keldar::RunIdentity identity;
    identity.user1 = "KELDAR project from a CPT (keldar-cpt)";
    identity.user2 = "Batch run, no user identification";
    keldar::RunOptions options;
    options.consoleBanner = false;
    const std::int32_t status = keldar::runKeldar(paths, identity, options);
    if (status > 0) {
        std::cerr << "keldar-cpt: the analysis ended with status " << status << "; see "
                  << paths.reportFile << "\n";
        return kFailed;
    }
    return kDone;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") {
            printUsage(std::cout);
            return kDone;
        }
        if (std::string(argv[i]) == "--version") {
            std::cout << "keldar-cpt (KELDAR) " << keldar::kReleaseVersion << "\n";
            return kDone;
        }
    }
    Arguments a;
    if (const std::string problem = ReadArguments(argc, argv, a); !problem.empty()) {
        std::cerr << "keldar-cpt: " << problem << "\n";
        printUsage(std::cerr);
        return kUsage;
    }
    CptRecord record;
    try {
        record = ReadCptFile(a.cptFile);
    } catch (const CptReadError& e) {
        std::cerr << "keldar-cpt: " << e.what() << "\n";
        return kFailed;
    }
    const DesignResult result = DesignPile(record, a.options);
    if (!result.design) {
        std::cerr << "keldar-cpt: " << a.cptFile << ": " << result.message << "\n";
        return kFailed;
    }
    if (!a.quiet) std::cout << DesignSummary(record, a.options, *result.design);

    keldar::TMainTables tables = keldar::TMainTables::BuiltIn();
    keldar::TProgramData project(tables);
    const QString title = a.title.empty() ? DefaultTitle(record) : QString::fromStdString(a.title);
    FillProject(project, *result.design, a.options.pile, title);
    project.FileName = QString::fromStdString(a.out);
    try {
        project.SaveToFile();
    } catch (const keldar::EInputOutputError& e) {
        std::cerr << "keldar-cpt: " << a.out << ": " << e.what() << "\n";
        return kFailed;
    }
    return a.run ? RunAnalysis(a.out) : kDone;
}
