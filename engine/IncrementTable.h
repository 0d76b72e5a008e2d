// What the load-transfer march needs at each increment and that no case or trial changes: the
// depths, the t-z curves and depth weights at the increment's middle, the axial stiffness and
// the soil settlement there. Built once before the cases are solved.
#pragma once

#include "RunStore.h"

namespace keldar {

struct IncrementTable {
    int count = 0;          // NINC
    float length = 0.0f;    // DL = PLEN / NINC
    float side = 0.0f;      // DIAM, kept for the transfer of an increment
    bool downDrag = false;  // a soil settlement profile is given

    // Increment i (1..count) lies between node i (below) and node i+1, counted from the tip.
    float nodeDepth[kMaxIncrements + 2];
    float midDepth[kMaxIncrements + 1];
    // Load transfer at the middle: t read from curve `lowerCurve` alone when `upperCurve` is 0,
    // otherwise interpolated in depth from curve `upperCurve` (offset below it, over spacing).
    // No curve at all (0, 0): the middle lies above the first curve, no load transfer.
    int upperCurve[kMaxIncrements + 1];
    int lowerCurve[kMaxIncrements + 1];
    float offset[kMaxIncrements + 1];
    float spacing[kMaxIncrements + 1];
    float stiffness[kMaxIncrements + 1];
    float settlement[kMaxIncrements + 1];

    // Curves whose movements never decrease are searched from the point found last time
    // instead of from their first point; both find the same first point at or beyond the
    // movement.
    bool ascending[kMaxCurves + 1];
};

// Where the last readings of the two curves of an increment ended; the movement changes little
// from one evaluation and one increment to the next.
struct CurveHints {
    int upper = 1;
    int lower = 1;
};

// Fills the table from the run store. Returns 0, or kStatusBadStiffness when AE is not above 0 at
// some middle (badDepth then holds that depth).
int prepareIncrementTable(IncrementTable& table, float& badDepth);

// Unit load transfer at the middle of increment i for the pile movement z.
float transferAtIncrement(const IncrementTable& table, int i, float z, CurveHints& hints);

}  // namespace keldar
