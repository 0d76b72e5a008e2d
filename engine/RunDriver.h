// The run driver: one complete analysis from the data file to the closed output files.
//
// RUNPILE reads the file names from names.dat in the current directory, as the GUI hands them
// over. runKeldar runs the same sequence on explicit paths; nothing but RUNPILE depends on the
// current directory. runKeldarInMemory runs it on the data file's text and writes no file.
// Every run has storage of its own: runs on different threads may go on at once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ProgramVersion.h"
#include "RunResults.h"
#include "RunStore.h"

namespace keldar {

struct RunPaths {
    std::string dataFile;    // .kd3d
    std::string reportFile;  // .kd3o
    std::string plotFile;    // .kd3p
    std::string notesFile;   // .kd3r, created empty
};

// The output files beside a data file, sharing its base name.
RunPaths RunPathsFor(const std::string& dataFile);

// The identification printed in the report header (names.dat lines 1 to 4).
struct RunIdentity {
    std::string version = kProgramVersion;  // first 12 characters are printed
    std::string user1;                      // user identification, first line
    std::string user2;                      // organisation and name
    std::int32_t number = 0;                // user identification number
};

// Date and time of the report header.
struct ReportTime {
    int year = 0;
    int month = 1;  // 1 = January
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

struct RunOptions {
    // The report's date and time; the local clock when not set.
    std::optional<ReportTime> fixedTime;
    // Start banner and progress line on standard error (error messages are always written).
    bool consoleBanner = true;
    // Threads for the tip-movement cases and the head-load searches; 0: as many as the
    // processor runs at once for a large run, one for a small one. The files are the same.
    int workers = 0;
    // Filled with the results as numbers when set (cleared first).
    RunResults* results = nullptr;
    // Words after a record's values stop the run instead of being passed over.
    bool strictRecords = false;
    // Error messages also on standard error (they are always in the report and the results).
    bool consoleErrors = true;
    // Receives the run store as the run left it, when set (tests).
    RunStore* finalStore = nullptr;
};

// What a run in memory puts where a run on files writes its report, plot data file and
// run-notes file.
struct RunTexts {
    std::string report;
    std::string plot;
    std::string notes;
};

// Runs one analysis; returns the run status (0 after a normal run).
std::int32_t runKeldar(const RunPaths& paths, const RunIdentity& identity,
                       const RunOptions& options = {});

// Runs one analysis on the text of a data file, writing no file. `names` are the paths that the
// report's file block shows, as if the text had been read from names.dataFile. When `texts` is
// set it receives the three texts, byte for byte what runKeldar writes into the files; when not,
// the texts are not made at all.
std::int32_t runKeldarInMemory(const std::string& dataText, const RunPaths& names,
                               const RunIdentity& identity, const RunOptions& options = {},
                               RunTexts* texts = nullptr);

// The run as the entry point starts it: names.dat from the current directory.
void RUNPILE(std::int32_t& status);

// names.dat: version, two identification lines, identification number, then the four paths.
// Returns false (with a message) when the file cannot be opened or line 4 holds no integer.
// Missing paths leave their names empty and set `pathsIncomplete`.
bool readNamesFile(const std::string& path, RunIdentity& identity, RunPaths& paths,
                   bool& pathsIncomplete, std::string& message);

// A path split as the report's file block shows it: "C:" "\Piles\" "pile" ".kd3d".
struct PathParts {
    std::string drive;
    std::string folder;
    std::string name;
    std::string extension;
};
PathParts splitPath(const std::string& path);

}  // namespace keldar
