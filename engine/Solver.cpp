// Placeholder until the solver is built: runs stop after the input echo.
#include "Solver.h"

namespace keldar {

void runTipMovementCases(std::int32_t& /*status*/) {}
void runLoadControlled(std::int32_t& /*status*/) {}

}  // namespace keldar
