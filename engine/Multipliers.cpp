#include "Multipliers.h"

#include <algorithm>

#include "RunStore.h"

namespace keldar {

// Multiplier at depth x from the column `mult` of the factor rows. Two rows at one depth make
// a step; at that depth the lower row wins.
static float factorAt(float x, const float* mult) {
    const RunStore& s = runStore();
    const int n = std::min(s.NTFAC, kMaxFactorRows);
    if (n < 1 || x < s.XTFAC[1]) return 1.0f;
    int k = 2;
    while (k <= n && !(x <= s.XTFAC[k])) ++k;
    if (k > n) return 1.0f;
    if (x == s.XTFAC[n]) return mult[k];
    if (x == s.XTFAC[k]) return s.XTFAC[k + 1] == s.XTFAC[k] ? mult[k + 1] : mult[k];
    return mult[k - 1] +
           (x - s.XTFAC[k - 1]) * (mult[k] - mult[k - 1]) / (s.XTFAC[k] - s.XTFAC[k - 1]);
}

float TFACTOR(float x) { return factorAt(x, runStore().TMULT); }
float ZFACTOR(float x) { return factorAt(x, runStore().ZMULT); }

void applyTzMultipliers() {
    RunStore& s = runStore();
    const int curves = std::clamp(s.NCURV, 0, kMaxCurves);
    for (int j = 1; j <= curves; ++j) {
        const float tm = TFACTOR(s.XC[j]);
        const float zm = ZFACTOR(s.XC[j]);
        const int points = std::clamp(s.NPTC[j], 0, kMaxCurvePoints);
        for (int k = 1; k <= points; ++k) {
            s.TC[j][k] *= tm;
            s.ZC[j][k] *= zm;
        }
    }
}

void applyQwMultipliers() {
    RunStore& s = runStore();
    const int points = std::clamp(s.NQW, 0, kMaxQwPoints);
    for (int k = 1; k <= points; ++k) {
        s.QTIP[k] *= s.QMULT;
        s.WTIP[k] *= s.WMULT;
    }
}

}  // namespace keldar
