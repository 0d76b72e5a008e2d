#include "OutputFile.h"

#include "RunContext.h"

namespace keldar {

static constexpr std::size_t kBlockSize = 256 * 1024;

bool OutputFile::open(const std::string& path) {
    close();
    failed_ = false;
    file_ = std::fopen(path.c_str(), "wb");
    // Large blocks: a big run writes megabytes, line by line.
    if (file_ != nullptr) std::setvbuf(file_, nullptr, _IOFBF, kBlockSize);
    return file_ != nullptr;
}

void OutputFile::openInMemory() {
    close();
    failed_ = false;
    captured_.clear();
    inMemory_ = true;
}

void OutputFile::openDiscarding() {
    close();
    failed_ = false;
    discarding_ = true;
}

bool OutputFile::close() {
    if (file_ != nullptr) {
        if (std::fclose(file_) != 0) failed_ = true;
        file_ = nullptr;
    }
    inMemory_ = false;
    discarding_ = false;
    return !failed_;
}

void OutputFile::writeValues(const Layout& layout, std::span<const FieldValue> values) {
    if (discarding_) return;
    buffer_.clear();
    layout.format(buffer_, values);
    writeText(buffer_);
}

void OutputFile::writeText(std::string_view text) {
    if (inMemory_) {
        captured_ += text;
        return;
    }
    if (file_ == nullptr) return;
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) failed_ = true;
}

RunFiles& runFiles() { return currentRun().files; }

}  // namespace keldar
