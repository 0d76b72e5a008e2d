#include "RunFiles.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "RunStore.h"

namespace keldar {

namespace fs = std::filesystem;

RunPaths runPathsFor(const std::string& dataFile, const std::string& outputDir) {
    fs::path base(dataFile);
    if (!outputDir.empty()) base = fs::path(outputDir) / base.filename();
    RunPaths paths = RunPathsFor(base.string());
    paths.dataFile = dataFile;
    return paths;
}

static std::string whyNotRunnable(const std::string& dataFile) {
    std::error_code ec;
    const fs::file_status status = fs::status(dataFile, ec);
    if (!fs::exists(status)) return "there is no such file";
    if (fs::is_directory(status)) return "it is a folder";
    if (!fs::is_regular_file(status)) return "it is not a regular file";
    if (!std::ifstream(dataFile, std::ios::binary)) return "it cannot be read";
    return {};
}

bool dataFileCanBeRun(const std::string& dataFile, RunResults& results) {
    const std::string why = whyNotRunnable(dataFile);
    if (why.empty()) return true;
    results = RunResults{};
    results.status = kStatusCannotOpenInput;
    results.message = "The data file \"" + dataFile + "\" cannot be opened: " + why + ".";
    return false;
}

}  // namespace keldar
