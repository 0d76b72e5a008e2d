// A text output file of the run (report, plot data file, run notes), written line by line
// through layouts. It can also collect its text in memory (a run in memory, the tests), or take
// and drop it (a run in memory whose caller wants the results only).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "Format.h"

namespace keldar {

class OutputFile {
  public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile() { close(); }

    // Creates or replaces the file; false when it cannot be created.
    bool open(const std::string& path);
    // Collects everything written in memory instead of a file (see captured()).
    void openInMemory();
    // Takes everything written and keeps none of it.
    void openDiscarding();
    // Flushes and closes; false when any write since open() failed.
    bool close();

    bool isOpen() const { return file_ != nullptr || inMemory_ || discarding_; }
    // False when the text written is dropped: a writer may then leave it unmade.
    bool keepsText() const { return !discarding_; }
    bool failed() const { return failed_; }
    const std::string& captured() const { return captured_; }
    // The text collected in memory, moved out.
    std::string takeCaptured() { return std::move(captured_); }

    // Writes the layout with the given values (one or more lines).
    template <class... Args>
    void write(const Layout& layout, const Args&... args) {
        const FieldValue values[] = {FieldValue(args)..., FieldValue(0)};
        writeValues(layout, std::span<const FieldValue>(values, sizeof...(Args)));
    }
    void writeValues(const Layout& layout, std::span<const FieldValue> values);
    // Writes text as it stands; lines in it must end with '\n'.
    void writeText(std::string_view text);

  private:
    std::FILE* file_ = nullptr;
    bool inMemory_ = false;
    bool discarding_ = false;
    bool failed_ = false;
    std::string buffer_;
    std::string captured_;
};

// The files of a run, shared by the engine's stages.
struct RunFiles {
    OutputFile report;  // .kd3o
    OutputFile plot;    // .kd3p
    OutputFile notes;   // .kd3r, created empty
};

// The files of the calling thread's run.
RunFiles& runFiles();

}  // namespace keldar
