#include "InSituStress.h"

#include <algorithm>

namespace keldar::cpt {

StressProfile::StressProfile(std::vector<UnitWeightLayer> layers, double waterTable)
    : fLayers(std::move(layers)), fWaterTable(std::max(0.0, waterTable)) {}

double StressProfile::Total(double depth) const {
    double stress = 0;
    double top = 0;
    for (std::size_t i = 0; i < fLayers.size() && top < depth; ++i) {
        const bool last = i + 1 == fLayers.size();
        const double bottom = last ? depth : std::min(depth, fLayers[i].bottom);
        stress += fLayers[i].unitWeight * std::max(0.0, bottom - top);
        top = std::max(top, bottom);
    }
    return stress;
}

double StressProfile::PorePressure(double depth) const {
    return kWaterUnitWeight * std::max(0.0, depth - fWaterTable);
}

}  // namespace keldar::cpt
