// The engine's whole run on an arbitrary data file: input, curve generation, solution, report and
// plot file. Every input ends with a known run status and with every file the run opened closed.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "RunDriver.h"

using namespace keldar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string folder = fuzz::ScratchFolder();
    RunPaths paths;
    paths.dataFile = fuzz::WriteScratchFile("pile.kd3d", data, size);
    paths.reportFile = folder + "/pile.kd3o";
    paths.plotFile = folder + "/pile.kd3p";
    paths.notesFile = folder + "/pile.kd3r";
    RunOptions options;
    options.fixedTime = ReportTime{2014, 3, 4, 12, 0, 0};
    options.consoleBanner = false;

    const int filesBefore = fuzz::OpenFileCount();
    const std::int32_t status = runKeldar(paths, RunIdentity{}, options);
    fuzz::Check(fuzz::OpenFileCount() == filesBefore, "the run closed every file it opened");
    fuzz::Check(status >= 0 && status <= 20, "the run returned a documented status");
    return 0;
}
