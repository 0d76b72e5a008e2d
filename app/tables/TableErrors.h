// Errors of the data tables. Each carries the fixed text the caller shows.
#pragma once

#include <stdexcept>

namespace keldar {

// Wrong accessor for a column kind, an index out of range, a rejected column definition.
class ETableError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kIndexOutOfBounds = "Index out of bounds";

// Raises kIndexOutOfBounds unless 0 <= index < count: a row, column or list place.
inline void CheckIndex(int index, int count) {
    if (index < 0 || index >= count) throw ETableError(kIndexOutOfBounds);
}

// A text file of numbers that cannot be opened or read.
class EInOutError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace keldar
