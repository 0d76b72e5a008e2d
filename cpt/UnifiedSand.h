// The Unified CPT-based method for driven piles in sand: B. M. Lehane, Z. Liu, E. Bittar et al.
// (2020), "A new 'Unified' CPT-based axial pile capacity design method for driven piles in sand",
// Proc. 4th Int. Symp. Frontiers in Offshore Geotechnics (ISFOG), pp. 462-477. Stresses in kPa,
// lengths in m.
#pragma once

#include "PileGeometry.h"

namespace keldar::cpt {

enum class LoadDirection { Compression, Tension };

// Interface friction angle at failure used to calibrate the method, degrees.
inline constexpr double kSandInterfaceFriction = 29.0;

struct SandShaftInput {
    double qt = 0;              // corrected cone resistance at the depth, kPa
    double sigmaVEff = 0;       // vertical effective stress σ'v0, kPa
    double heightAboveTip = 0;  // h, m
    LoadDirection direction = LoadDirection::Compression;
    double interfaceFriction = kSandInterfaceFriction;  // δf, degrees
    double coneDiameter = kConeDiameter;                // dCPT, m
};

// Radial effective stress after installation: σ'rc = (qt/44) Are^0.3 [max(1, h/D)]^-0.4.
double SandStationaryRadialStress(double qt, double areaRatio, double heightAboveTip,
                                  double diameter);
// Increase of radial stress by dilation during loading: Δσ'rd = (qt/10)(qt/σ'v0)^-0.33 (dCPT/D).
double SandDilatantRadialStress(double qt, double sigmaVEff, double diameter,
                                double coneDiameter = kConeDiameter);
// Ultimate shaft friction τf = (ft/fc)(σ'rc + Δσ'rd) tan δf, ft/fc = 1 in compression and 0.75 in
// tension.
double SandShaftFriction(const SandShaftInput& input, const PileGeometry& pile);
// Unit base resistance at a base movement of 0.1 D: qb0.1 = (0.12 + 0.38 Are) qp.
double SandBaseResistance(double qp, const PileGeometry& pile, double coneDiameter = kConeDiameter);

}  // namespace keldar::cpt
