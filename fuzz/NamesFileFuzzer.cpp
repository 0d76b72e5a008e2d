// names.dat as the GUI or a user's script hands it over: any text gives a result or a message.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "RunDriver.h"

using namespace keldar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::WriteScratchFile("names.dat", data, size);
    RunIdentity identity;
    RunPaths paths;
    bool incomplete = false;
    std::string message;
    const int filesBefore = fuzz::OpenFileCount();
    const bool read = readNamesFile(path, identity, paths, incomplete, message);
    fuzz::Check(fuzz::OpenFileCount() == filesBefore, "names.dat closed");
    fuzz::Check(read || !message.empty(), "a refused names.dat says why");
    return 0;
}
