#include "PileStiffness.h"

#include <cmath>

namespace keldar {

float stiffnessInTable(const float* depth, const float* ae, int n, float x) {
    if (n < 1) return 0.0f;
    if (x < depth[0]) return ae[0];
    for (int i = 1; i < n; ++i) {
        if (depth[i] >= x) {
            // Only the first pair can share a depth here (x at a step at the first row).
            if (depth[i] == depth[i - 1]) return ae[i - 1];
            return ae[i - 1] + (x - depth[i - 1]) * (ae[i] - ae[i - 1]) / (depth[i] - depth[i - 1]);
        }
    }
    return ae[n - 1];
}

float incrementMiddleDepth(float pileLength, int increments, int i) {
    const float length = pileLength / static_cast<float>(increments);
    return pileLength - (static_cast<float>(i) - 0.5f) * length;
}

float pileFlexibility(const float* depth, const float* ae, int n, float pileLength,
                      int increments) {
    if (increments < 1) return 0.0f;
    const float length = pileLength / static_cast<float>(increments);
    double flexibility = 0.0;
    for (int i = 1; i <= increments; ++i) {
        const float stiffness =
            stiffnessInTable(depth, ae, n, incrementMiddleDepth(pileLength, increments, i));
        if (!(stiffness > 0.0f) || !std::isfinite(stiffness)) return 0.0f;
        flexibility += length / double(stiffness);
    }
    return static_cast<float>(flexibility);
}

}  // namespace keldar
