// Vertical stresses in the ground before the pile: total σv0 from the unit weights, hydrostatic
// pore pressure u0 below the water table and σ'v0 = σv0 − u0. Depths in m below the ground
// surface, unit weights in kN/m³, stresses in kPa.
#pragma once

#include <vector>

namespace keldar::cpt {

inline constexpr double kWaterUnitWeight = 9.81;

struct UnitWeightLayer {
    double bottom = 0;      // m; the last layer goes on below its bottom
    double unitWeight = 0;  // total (bulk) unit weight, kN/m³
};

class StressProfile {
  public:
    // Layers in order of depth; one layer for a uniform ground. waterTable is its depth (≥ 0).
    StressProfile(std::vector<UnitWeightLayer> layers, double waterTable);

    double Total(double depth) const;
    double PorePressure(double depth) const;
    double Effective(double depth) const { return Total(depth) - PorePressure(depth); }
    double WaterTable() const { return fWaterTable; }

  private:
    std::vector<UnitWeightLayer> fLayers;
    double fWaterTable;
};

}  // namespace keldar::cpt
