// Load-settlement solution by load transfer, from the pile tip up.
#pragma once

#include <cstdint>

namespace keldar {

// Solves every assumed tip movement (TIPMOV 1..NTM) and writes the per-case report blocks
// (when IOUT is 0), the plot file's analysis header and load distribution, and the
// load-settlement tables of the report and the plot file.
void runTipMovementCases(std::int32_t& status);

// When NLOAD > 0: searches the tip movement that carries each pile-head load and writes the
// load-controlled tables of the report and the plot file.
void runLoadControlled(std::int32_t& status);

}  // namespace keldar
