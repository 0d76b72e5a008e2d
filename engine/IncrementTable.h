// What the load-transfer march needs at each increment and that no case or trial changes: the
// depths, the t-z curves and depth weights at the increment's middle, the axial stiffness and
// the soil settlement there. Built once before the cases are solved.
#pragma once

#include <cstdint>

#include "PileLookups.h"
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

    // The t-z curves of the run store (NPTC, ZC, TC), read at every evaluation.
    const std::int32_t* points = nullptr;
    const float (*movements)[kMaxCurvePoints + 1] = nullptr;
    const float (*transfers)[kMaxCurvePoints + 1] = nullptr;
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

// t of curve j at z, searched from the hint; the same value as curveTransferAt. Inline: the
// march evaluates it several times for every increment of every trial.
inline float readCurve(const IncrementTable& table, int j, float z, int& hint) {
    const int n = table.points[j];
    if (n < 1 || !table.ascending[j]) return curveTransferAt(j, z);
    const float* zc = table.movements[j];
    const float* tc = table.transfers[j];
    int k = hint < 1 ? 1 : (hint > n ? n : hint);
    if (zc[k] >= z) {
        while (k > 1 && zc[k - 1] >= z) --k;
    } else {
        while (k <= n && !(zc[k] >= z)) ++k;
    }
    if (k > n) {
        hint = n;
        return tc[n];
    }
    hint = k;
    if (k == 1 || zc[k] == z) return tc[k];
    return tc[k - 1] + (z - zc[k - 1]) * (tc[k] - tc[k - 1]) / (zc[k] - zc[k - 1]);
}

// Unit load transfer at the middle of increment i for the pile movement z.
inline float transferAtIncrement(const IncrementTable& table, int i, float z, CurveHints& hints) {
    const int lower = table.lowerCurve[i];
    if (lower == 0) return 0.0f;
    const float below = readCurve(table, lower, z, hints.lower);
    const int upper = table.upperCurve[i];
    if (upper == 0) return below;
    const float above = readCurve(table, upper, z, hints.upper);
    return above + table.offset[i] * (below - above) / table.spacing[i];
}

}  // namespace keldar
