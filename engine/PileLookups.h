// Table lookups of the load-transfer solution, read from the run store.
//
// Each follows the engine's one pattern: find the first row at or beyond the value and
// interpolate linearly with the row before. Depths are measured down from the pile head.
#pragma once

namespace keldar {

// Tip load Q at tip movement w from the Q-w curve. Beyond the last point the last load holds;
// an empty curve carries no load.
float tipLoadAt(float w);

// Unit load transfer t of t-z curve j at pile movement z. Beyond the last point the last value
// holds; an empty curve transfers nothing.
float curveTransferAt(int j, float z);

// Axial stiffness AE at depth x. Above the first and below the last point the nearest AE holds;
// two points at one depth make a step (the upper AE first). 0 when no AE is given.
float axialStiffnessAt(float x);

// Downward soil settlement at depth x from the settlement profile: 0 outside the profile or when
// there is none; at a repeated depth, the mean of its two settlements.
float soilSettlementAt(float x);

}  // namespace keldar
