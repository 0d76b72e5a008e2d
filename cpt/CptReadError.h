// A CPT file refused: the file, the line (1-based; 0 for the file as a whole) and the reason.
#pragma once

#include <stdexcept>
#include <string>

namespace keldar::cpt {

class CptReadError : public std::runtime_error {
  public:
    CptReadError(const std::string& file, int line, const std::string& reason)
        : std::runtime_error(Message(file, line, reason)), fLine(line), fReason(reason) {}

    int Line() const { return fLine; }
    const std::string& Reason() const { return fReason; }

  private:
    static std::string Message(const std::string& file, int line, const std::string& reason) {
        if (line <= 0) return file + ": " + reason;
        return file + ": line " + std::to_string(line) + ": " + reason;
    }

    int fLine;
    std::string fReason;
};

}  // namespace keldar::cpt
