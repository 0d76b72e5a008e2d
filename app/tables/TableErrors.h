// Errors of the data tables. Each carries the fixed text the caller shows.
#pragma once

#include <stdexcept>

namespace keldar {

// Wrong accessor for a column kind, an index out of range, a rejected column definition.
class ETableError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A text file of numbers that cannot be opened or read.
class EInOutError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace keldar
