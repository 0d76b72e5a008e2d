// keldar-run: analyses KELDAR data files from the command line. For each FILE.kd3d it writes the
// output report FILE.kd3o, the plot data file FILE.kd3p and the run-notes file FILE.kd3r beside
// it, as the GUI's Run Analysis does.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "RunDriver.h"

namespace {

void printUsage(std::ostream& out) {
    out << "Usage: keldar-run [--quiet] FILE.kd3d [FILE...]\n"
           "\n"
           "Analyses each KELDAR data file and writes, beside it and under the same base name,\n"
           "the output report (.kd3o), the plot data file (.kd3p) and the run-notes file (.kd3r).\n"
           "\n"
           "Options:\n"
           "  --quiet     no start banner on standard error\n"
           "  --help      show this text\n"
           "  --version   show the program version\n"
           "\n"
           "Exit status: 0 when every run ended normally, 1 when a run ended with a status\n"
           "above 0 (its message is in the report and on standard error), 2 on a usage error.\n";
}

// The output files share the data file's folder and base name.
keldar::RunPaths pathsFor(const std::string& dataFile) {
    std::filesystem::path base(dataFile);
    keldar::RunPaths paths;
    paths.dataFile = dataFile;
    paths.reportFile = std::filesystem::path(base).replace_extension(".kd3o").string();
    paths.plotFile = std::filesystem::path(base).replace_extension(".kd3p").string();
    paths.notesFile = std::filesystem::path(base).replace_extension(".kd3r").string();
    return paths;
}

}  // namespace

int main(int argc, char** argv) {
    bool quiet = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            printUsage(std::cout);
            return 0;
        }
        if (arg == "--version") {
            std::cout << "keldar-run (KELDAR) " << keldar::kProgramVersion << "\n";
            return 0;
        }
        if (arg == "--quiet" || arg == "-q") {
            quiet = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::cerr << "keldar-run: unknown option " << arg << "\n";
            printUsage(std::cerr);
            return 2;
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty()) {
        printUsage(std::cerr);
        return 2;
    }

    keldar::RunIdentity identity;
    identity.version = keldar::kProgramVersion;
    identity.user1 = "KELDAR command-line analysis (keldar-run)";
    identity.user2 = "Batch run, no user identification";
    identity.number = 0;
    keldar::RunOptions options;
    options.consoleBanner = !quiet;

    int exitCode = 0;
    for (const std::string& file : files) {
        const keldar::RunPaths paths = pathsFor(file);
        // A data file named like one of the outputs would be overwritten by its own report.
        if (paths.reportFile == file || paths.plotFile == file || paths.notesFile == file) {
            std::cerr << "keldar-run: " << file
                      << ": a data file may not have the extension .kd3o, .kd3p or .kd3r\n";
            exitCode = 1;
            continue;
        }
        const std::int32_t status = keldar::runKeldar(paths, identity, options);
        if (status > 0) {
            std::cerr << "keldar-run: " << file << ": run ended with status " << status << " (see "
                      << paths.reportFile << ")\n";
            exitCode = 1;
        } else if (!quiet) {
            std::cerr << "keldar-run: " << file << ": report written to " << paths.reportFile
                      << "\n";
        }
    }
    return exitCode;
}
