// Error kinds of the data entry. Each carries the exact message the user sees; callers catch them
// by kind and show the message in an error box.
#pragma once

#include <stdexcept>
#include <string>

namespace keldar {

// An entry the evaluator rejects: "Entry could not be evaluated:", a carriage return, the reason.
class EAssignError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// An arithmetic fault while evaluating an entry (division by zero, the square root or logarithm
// of a negative number, overflow). Kept apart from EAssignError so that an infinite or NaN value
// is never stored; the message has the same two-line form.
class EMathError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Exit validation of a numeric field: not a whole number, below the minimum, above the maximum.
class EIntError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class EMinError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class EMaxError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace keldar
