// The files of one run by keldar-run or the Python module: where the engine's outputs go, and
// whether the data file can be run at all before anything is written.
#pragma once

#include <string>

#include "RunDriver.h"
#include "RunResults.h"

namespace keldar {

// The report (.kd3o), plot (.kd3p) and notes (.kd3r) files under the data file's base name:
// beside the data file, or in outputDir when it is given.
RunPaths runPathsFor(const std::string& dataFile, const std::string& outputDir = {});

// False for a folder or a file that does not exist or cannot be opened: results then holds the
// status and message of a run that cannot open its data file, and nothing has been written.
bool dataFileCanBeRun(const std::string& dataFile, RunResults& results);

}  // namespace keldar
