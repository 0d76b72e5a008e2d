// Load-settlement solution by load transfer, from the pile tip up.
#pragma once

#include <cstdint>

namespace keldar {

// `workers` is the number of threads that solve the cases or searches (0: chosen from the size of
// the run and the processor); the files are the same with any number.

// Solves every assumed tip movement (TIPMOV 1..NTM) and writes the per-case report blocks
// (when IOUT is 0), the plot file's analysis header and load distribution, and the
// load-settlement tables of the report and the plot file.
void runTipMovementCases(std::int32_t& status, int workers = 0);

// When NLOAD > 0: searches the tip movement that carries each pile-head load and writes the
// load-controlled tables of the report and the plot file.
void runLoadControlled(std::int32_t& status, int workers = 0);

}  // namespace keldar
