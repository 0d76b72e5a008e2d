// Test helper: one data file run through the driver in a fresh folder, with its run notes and
// its results in numbers.
#pragma once

#include <cstdint>
#include <string>

#include "RunDriver.h"
#include "RunResults.h"
#include "TestFiles.h"

namespace keldar::test {

struct ProjectRun {
    std::int32_t status = 0;
    std::string notes;
    RunResults results;
};

inline ProjectRun runProject(const std::string& data) {
    TempDir dir;
    const RunPaths paths{dir.file("pile.kd3d"), dir.file("pile.kd3o"), dir.file("pile.kd3p"),
                         dir.file("pile.kd3r")};
    writeFile(paths.dataFile, data);
    ProjectRun r;
    RunOptions options;
    options.fixedTime = ReportTime{2026, 3, 5, 9, 4, 7};
    options.consoleBanner = false;
    options.results = &r.results;
    r.status = runKeldar(paths, RunIdentity{}, options);
    r.notes = readFile(paths.notesFile);
    return r;
}

}  // namespace keldar::test
