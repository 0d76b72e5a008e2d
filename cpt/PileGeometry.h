// The pile as the CPT methods see it: a tube (open or closed at its tip) or a solid section.
#pragma once

namespace keldar::cpt {

// Diameter of the standard cone (10 cm² base area), m.
inline constexpr double kConeDiameter = 0.0357;
// Atmospheric pressure, kPa, the reference stress of the normalised CPT quantities.
inline constexpr double kAtmosphericPressure = 100.0;

struct PileGeometry {
    double diameter = 0;  // outer diameter D, m
    double wall = 0;      // wall thickness t, m; 0 for a solid section
    bool closedEnd = false;
    double length = 0;       // embedded length L, m
    double modulus = 2.1e8;  // Young's modulus of the material, kPa (steel)

    // The inner diameter through which soil can enter: 0 for a closed end or a solid section.
    double InnerDiameter() const;
    // The material's cross-section, m².
    double SectionArea() const;
    // The gross area of the tip, π D² / 4, m².
    double GrossTipArea() const;
};

// Plug length ratio of an open tube driven into sand (Lehane et al. 2020, ISFOG):
// PLR ≈ tanh[0.3 (Di / dCPT)^0.5].
double PlugLengthRatio(double innerDiameter, double coneDiameter = kConeDiameter);
// Effective area ratio Are = 1 − PLR (Di / D)² (Lehane et al. 2020, ISFOG); 1 for a closed end.
double EffectiveAreaRatio(const PileGeometry& pile, double coneDiameter = kConeDiameter);

}  // namespace keldar::cpt
