// The plot data file read into the plots: a damaged file keeps what was read before the fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "MainPlots.h"
#include "PlotFileReader.h"

using namespace keldar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::WriteScratchFile("pile.kd3p", data, size);
    TMainPlots plots;
    fuzz::SilentMessages messages;
    const bool read = ReadPlotFile(plots, QString::fromStdString(path), true, 1, messages);
    fuzz::Check(read || messages.count > 0, "a broken plot file says so");
    return 0;
}
