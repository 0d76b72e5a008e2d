#include "PileLookups.h"

#include "PileStiffness.h"
#include "RunStore.h"

namespace keldar {

float tipLoadAt(float w) {
    const RunStore& s = runStore();
    if (s.NQW < 1) return 0.0f;
    for (int k = 1; k <= s.NQW; ++k) {
        if (s.WTIP[k] >= w) {
            if (k == 1) return s.QTIP[1];
            return s.QTIP[k - 1] +
                   (w - s.WTIP[k - 1]) * (s.QTIP[k] - s.QTIP[k - 1]) / (s.WTIP[k] - s.WTIP[k - 1]);
        }
    }
    return s.QTIP[s.NQW];
}

float curveTransferAt(int j, float z) {
    const RunStore& s = runStore();
    const int n = s.NPTC[j];
    if (n < 1) return 0.0f;
    const float* tc = s.TC[j];
    const float* zc = s.ZC[j];
    for (int k = 1; k <= n; ++k) {
        if (zc[k] >= z) {
            if (k == 1 || zc[k] == z) return tc[k];
            return tc[k - 1] + (z - zc[k - 1]) * (tc[k] - tc[k - 1]) / (zc[k] - zc[k - 1]);
        }
    }
    return tc[n];
}

float axialStiffnessAt(float x) {
    const RunStore& s = runStore();
    return stiffnessInTable(&s.XAE[1], &s.AE[1], s.NAE, x);
}

float soilSettlementAt(float x) {
    const RunStore& s = runStore();
    if (s.NSET < 1 || x < s.XSET[1] || x > s.XSET[s.NSET]) return 0.0f;
    if (s.NSET == 1) return s.SSET[1];  // x is exactly at the one row
    for (int i = 2; i <= s.NSET; ++i) {
        if (x <= s.XSET[i]) {
            if (x == s.XSET[i]) {
                if (i < s.NSET && s.XSET[i + 1] == s.XSET[i])
                    return (s.SSET[i] + s.SSET[i + 1]) / 2.0f;
                return s.SSET[i];
            }
            return s.SSET[i - 1] +
                   (x - s.XSET[i - 1]) * (s.SSET[i] - s.SSET[i - 1]) / (s.XSET[i] - s.XSET[i - 1]);
        }
    }
    return 0.0f;
}

}  // namespace keldar
