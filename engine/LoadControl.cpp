#include "LoadControl.h"

#include "RunStore.h"
#include "UnitSystem.h"

namespace keldar {

// Smallest of the default tip movements: 0.0001 in, or its metric equivalent.
static float smallestDefaultMovement() {
    return runStore().IUNIT == usEnglish ? 0.0001f : 0.0001f * kMetresPerInch;
}

static float interpolatedStart(float load) {
    const RunStore& s = runStore();
    const int n = s.NTM;
    if (n < 1) return 0.0f;
    if (load < s.TOPLOAD[1]) return s.TIPMOV[1];
    if (load > s.TOPLOAD[n]) return s.TIPMOV[n];
    for (int i = 2; i <= n; ++i) {
        if (load <= s.TOPLOAD[i]) {
            if (load == s.TOPLOAD[i]) {
                if (i < n && s.TOPLOAD[i + 1] == s.TOPLOAD[i])
                    return (s.TIPMOV[i] + s.TIPMOV[i + 1]) / 2.0f;
                return s.TIPMOV[i];
            }
            return s.TIPMOV[i - 1] + (load - s.TOPLOAD[i - 1]) * (s.TIPMOV[i] - s.TIPMOV[i - 1]) /
                                         (s.TOPLOAD[i] - s.TOPLOAD[i - 1]);
        }
    }
    return s.TIPMOV[1];  // one case, loaded exactly with its own top load
}

float startTipMovement(float load) {
    const float w = interpolatedStart(load);
    if (w > 1e-10f) return w;
    const RunStore& s = runStore();
    float smallest = 0.0f;
    for (int k = 1; k <= s.NTM; ++k) {
        if (s.TIPMOV[k] > 1e-10f && (smallest == 0.0f || s.TIPMOV[k] < smallest))
            smallest = s.TIPMOV[k];
    }
    return smallest > 0.0f ? smallest : smallestDefaultMovement();
}

}  // namespace keldar
