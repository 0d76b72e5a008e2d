// The run notes (.kd3r): what the engineer must look at before using a run's numbers. Inputs
// outside the range of their published method and cases whose iteration did not converge are
// named here, with what to change; the numbers themselves are computed as always. A run with
// nothing to say leaves the file empty.
#pragma once

#include <string>

#include "RunResults.h"

namespace keldar {

// Forgets the notes of the run before.
void startRunNotes();

// One range warning: its sentence in the notes and its entry in the results in numbers.
void noteRangeWarning(const RangeWarning& warning);

// A tip-movement case (number k) or a pile-head load (number j) whose solution kept
// `unconverged` of its `increments` increments without meeting the tolerance.
void noteUnconvergedCase(int k, float tipMovement, int unconverged, int increments);
void noteUnconvergedLoad(int j, float load, int unconverged, int increments);

// A tip-movement case whose pile shortens by more than 1 % of its length in an increment: no
// pile material stays elastic there, and AE or its unit is most likely wrong.
void noteAxialStrain(int k, float tipMovement, float largestStrain);

// After the analysis: what to change, once, when any case or load did not converge.
void finishRunNotes();

// A number as the notes print it: the fewest digits that read back as the same value, with
// "." always.
std::string noteNumber(float value);

}  // namespace keldar
