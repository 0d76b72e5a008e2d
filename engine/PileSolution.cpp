#include "PileSolution.h"

#include <cmath>

namespace keldar {

static constexpr float kPi = 3.1416f;

void solvePile(const IncrementTable& table, float tipMovement, float tipLoad,
               PileSolution& solution) {
    const float tol = runStore().TOL;
    const float dl = table.length;
    const float diam = table.side;
    solution.load[1] = tipLoad;
    solution.movement[1] = tipMovement;
    float zmid = tipMovement;
    CurveHints hints;
    solution.unconverged = 0;
    solution.largestStrain = 0.0f;
    for (int i = 1; i <= table.count; ++i) {
        const float p = solution.load[i];
        const float s = solution.movement[i];
        const float ae = table.stiffness[i];
        float t = 0.0f, dp = 0.0f, pNext = p, pAvg = p;
        bool converged = false;
        for (int m = 0;;) {
            const float zsave = zmid;
            float r = 0.0f;
            if (table.downDrag) {
                // Load transfer follows the movement of the pile relative to the soil.
                r = zmid - table.settlement[i];
                zmid = std::fabs(r);
            }
            t = transferAtIncrement(table, i, zmid, hints);
            if (table.downDrag && r < 1e-8f) t = -t;  // soil settles past the pile: drag down
            dp = t * kPi * diam * dl;
            pNext = p + dp;
            pAvg = p + dp / 2.0f;
            // Shortening of the lower half under the mean load of that half.
            const float znew = s + ((pNext + p) / 2.0f + p) / 2.0f * (dl / 2.0f) / ae;
            if (table.downDrag) zmid = zsave;
            if (std::fabs(znew - zmid) <= tol) {
                converged = true;
                break;
            }
            zmid = znew;
            if (++m >= kMaxEvaluations) break;
        }
        if (!converged) ++solution.unconverged;
        // The shortening of the whole increment, from the last evaluation's mean load.
        const float ds = dl * pAvg / ae;
        const float sNext = s + ds;
        solution.largestStrain = std::fmax(solution.largestStrain, std::fabs(ds) / dl);
        solution.transfer[i] = t;
        solution.loadTaken[i] = dp;
        solution.averageLoad[i] = pAvg;
        solution.shortening[i] = ds;
        solution.middleMovement[i] = zmid;
        solution.load[i + 1] = pNext;
        solution.movement[i + 1] = sNext;
        zmid = sNext;
    }
    solution.headLoad = solution.load[table.count + 1];
    solution.headMovement = solution.movement[table.count + 1];
}

}  // namespace keldar
