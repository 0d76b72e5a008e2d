// The load-transfer march for one tip movement: from the tip up, each increment iterated until
// the movement at its middle agrees with the elastic shortening of its lower half.
#pragma once

#include "IncrementTable.h"
#include "RunStore.h"

namespace keldar {

// Load and movement along the pile for one tip movement. Node n counts from the tip (node 1)
// to the pile head (node NINC + 1); increment i lies between nodes i and i + 1.
struct PileSolution {
    float load[kMaxIncrements + 2];            // P(n)
    float movement[kMaxIncrements + 2];        // S(n)
    float transfer[kMaxIncrements + 1];        // unit load transfer t at the middle
    float loadTaken[kMaxIncrements + 1];       // dP, load transferred over the increment
    float averageLoad[kMaxIncrements + 1];     // Pavg
    float shortening[kMaxIncrements + 1];      // dS
    float middleMovement[kMaxIncrements + 1];  // converged zmid
    float headLoad;
    float headMovement;
    int unconverged;      // increments accepted after kMaxEvaluations without meeting TOL
    float largestStrain;  // largest |dS| / DL of the increments, the pile's axial strain
};

// An increment is evaluated at most this often; the last values are then accepted as they are,
// and the increment is counted in PileSolution::unconverged.
inline constexpr int kMaxEvaluations = 100;

// Solves the pile with the tip moving down by tipMovement (>= 0) under tipLoad.
void solvePile(const IncrementTable& table, float tipMovement, float tipLoad,
               PileSolution& solution);

}  // namespace keldar
