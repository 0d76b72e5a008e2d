#include "IncrementTable.h"

#include <cmath>

#include "PileLookups.h"
#include "PileStiffness.h"

namespace keldar {

static void findCurves(IncrementTable& table, int i) {
    const RunStore& s = runStore();
    const float x = table.midDepth[i];
    table.upperCurve[i] = 0;
    table.lowerCurve[i] = 0;
    table.offset[i] = 0.0f;
    table.spacing[i] = 0.0f;
    if (s.NCURV < 1) return;
    int j = 1;
    while (j < s.NCURV && !(s.XC[j] >= x)) ++j;
    if (s.XC[j] == x || !(s.XC[j] >= x)) {
        table.lowerCurve[i] = j;  // at a curve, or below the deepest one
        return;
    }
    if (j == 1) return;  // above the first curve
    table.upperCurve[i] = j - 1;
    table.lowerCurve[i] = j;
    table.offset[i] = x - s.XC[j - 1];
    table.spacing[i] = s.XC[j] - s.XC[j - 1];
}

int prepareIncrementTable(IncrementTable& table, float& badDepth) {
    const RunStore& s = runStore();
    table.count = s.NINC;
    table.length = s.PLEN / static_cast<float>(s.NINC);
    table.side = s.DIAM;
    table.downDrag = s.NSET > 0;
    table.points = s.NPTC;
    table.movements = s.ZC;
    table.transfers = s.TC;
    for (int n = 1; n <= s.NINC + 1; ++n) {
        // From the node index, so that the pile head is exactly 0.
        table.nodeDepth[n] =
            s.PLEN * static_cast<float>(s.NINC - n + 1) / static_cast<float>(s.NINC);
    }
    for (int i = 1; i <= s.NINC; ++i) {
        const float x = incrementMiddleDepth(s.PLEN, s.NINC, i);
        table.midDepth[i] = x;
        findCurves(table, i);
        const float ae = axialStiffnessAt(x);
        if (!(ae > 0.0f) || !std::isfinite(ae)) {
            badDepth = x;
            return kStatusBadStiffness;
        }
        table.stiffness[i] = ae;
        table.settlement[i] = table.downDrag ? soilSettlementAt(x) : 0.0f;
    }
    for (int j = 1; j <= s.NCURV; ++j) {
        bool up = true;
        for (int k = 2; k <= s.NPTC[j] && up; ++k) up = s.ZC[j][k - 1] <= s.ZC[j][k];
        table.ascending[j] = up;
    }
    return kStatusOk;
}

}  // namespace keldar
