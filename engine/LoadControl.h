// Load-controlled analysis: the tip movement whose solution carries a given pile-head load.
#pragma once

#include <cmath>

namespace keldar {

// A search that has not converged after this many trials is given up.
inline constexpr int kMaxTrials = 100;

// Starting tip movement for the head load from the results of the tip-movement cases
// (TOPLOAD and TIPMOV 1..NTM): the first or last case outside their range, otherwise
// interpolated. A start not above 1e-10 (an uplift or zero case) is replaced by the smallest
// positive tip movement of the cases, or by the smallest default movement when there is none.
float startTipMovement(float load);

// The search's outcome for one head load.
struct LoadSearch {
    bool converged = false;
    int trials = 0;  // whole-pile solutions made
    float tipMovement = 0.0f;
};

// Searches the tip movement w at which headLoadAt(w) - load is within 0.0005 x load, starting
// from w0: steps of 0.98 or 1.02 until a positive and a negative error have been seen from the
// second trial on, then halving between the closest ones.
template <class HeadLoadAt>
LoadSearch searchTipMovement(float load, float w0, HeadLoadAt headLoadAt) {
    LoadSearch result;
    float w = w0;
    bool havePositive = false, haveNegative = false;
    float bestPositive = 0.0f, bestNegative = 0.0f;  // errors
    float wPositive = 0.0f, wNegative = 0.0f;
    for (int trial = 1; trial < kMaxTrials; ++trial) {
        const float e = headLoadAt(w) - load;
        result.trials = trial;
        if (std::fabs(e) < 0.0005f * load) {
            result.converged = true;
            result.tipMovement = w;
            return result;
        }
        if (trial >= 2) {
            if (e > 0.0f && (!havePositive || e < bestPositive)) {
                havePositive = true;
                bestPositive = e;
                wPositive = w;
            } else if (e < 0.0f && (!haveNegative || e > bestNegative)) {
                haveNegative = true;
                bestNegative = e;
                wNegative = w;
            }
        }
        if (havePositive && haveNegative) {
            w = (wPositive + wNegative) / 2.0f;
        } else if (e > 0.0f) {
            w = w * 0.98f;
        } else if (e < 0.0f) {
            w = w * 1.02f;
        }
    }
    return result;
}

}  // namespace keldar
