#include "FuzzSupport.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace keldar::fuzz {

namespace {

struct Scratch {
    std::string path;
    Scratch() {
        const auto base = std::filesystem::temp_directory_path();
        for (int i = 0;; ++i) {
            const auto candidate =
                base / ("keldar-fuzz-" + std::to_string(::getpid()) + "-" + std::to_string(i));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) {
                path = candidate.string();
                return;
            }
            if (i > 1000) Fail("no scratch folder can be made");
        }
    }
    ~Scratch() {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
};

}  // namespace

const std::string& ScratchFolder() {
    static Scratch scratch;
    return scratch.path;
}

std::string WriteScratchFile(const char* name, const std::uint8_t* data, std::size_t size) {
    const std::string path = ScratchFolder() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    Check(out.good(), "scratch file written");
    return path;
}

int OpenFileCount() {
    int count = 0;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (::readdir(dir) != nullptr) ++count;
        ::closedir(dir);
    }
    return count;
}

}  // namespace keldar::fuzz
