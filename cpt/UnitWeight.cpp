#include "UnitWeight.h"

#include <cmath>

#include "PileGeometry.h"

namespace keldar::cpt {

double UnitWeightFromCone(double qt, double fs, double fallback) {
    if (!(qt > 0) || !(fs > 0)) return fallback;
    const double frictionRatio = fs / qt * 100.0;
    return kWaterUnitWeight * (0.27 * std::log10(frictionRatio) +
                               0.36 * std::log10(qt / kAtmosphericPressure) + 1.236);
}

std::vector<UnitWeightLayer> UnitWeightsFromCone(const CptRecord& record, double fallback) {
    std::vector<UnitWeightLayer> layers;
    const std::vector<CptReading>& r = record.readings;
    for (std::size_t i = 0; i < r.size(); ++i) {
        const double bottom = i + 1 < r.size() ? 0.5 * (r[i].depth + r[i + 1].depth) : 0.0;
        layers.push_back({bottom, UnitWeightFromCone(record.Qt(r[i]), r[i].fs, fallback)});
    }
    return layers;
}

}  // namespace keldar::cpt
