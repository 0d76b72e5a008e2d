// Shared pieces of the fuzz targets: a private scratch folder, whole-file writes, a message sink
// and a check that aborts with a reason (libFuzzer keeps the input that failed it).
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "UserMessages.h"

namespace keldar::fuzz {

// A folder of this process's own, made once and removed at exit.
const std::string& ScratchFolder();

// Writes the bytes to a file in the scratch folder and returns its path.
std::string WriteScratchFile(const char* name, const std::uint8_t* data, std::size_t size);

// Open file descriptors of this process (Linux: /proc/self/fd).
int OpenFileCount();

// Ignores every message; a confirmation is answered Cancel.
class SilentMessages : public UserMessages {
  public:
    void information(const QString&, const QString&) override { ++count; }
    void error(const QString&, const QString&) override { ++count; }
    Answer confirm(const QString&, const QString&, bool) override { return Answer::Cancel; }
    int count = 0;
};

[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "fuzz property failed: %s\n", what);
    std::abort();
}

inline void Check(bool holds, const char* what) {
    if (!holds) Fail(what);
}

}  // namespace keldar::fuzz
