// One cone penetration test in memory, in the units the methods work in: depths in metres below
// the ground surface, stresses in kPa. Every reader (GEF, AGS4, delimited text) fills this record.
#pragma once

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace keldar::cpt {

inline constexpr double kNotMeasured = std::numeric_limits<double>::quiet_NaN();

struct CptReading {
    double depth = 0;          // m below the ground surface
    double qc = 0;             // cone resistance, kPa
    double fs = kNotMeasured;  // sleeve friction, kPa
    double u2 = kNotMeasured;  // pore pressure behind the cone, kPa
};

struct CptRecord {
    std::string fileName;
    std::string testId;
    double groundLevel = kNotMeasured;  // m above the file's datum, when the header gives it
    // The cone's net area ratio a: qt = qc + (1 - a) u2. Without it qt is taken as qc.
    double areaRatio = kNotMeasured;
    std::vector<CptReading> readings;
    int droppedRows = 0;  // rows whose qc or depth the file declares void
    std::vector<std::string> notes;

    // Cone resistance corrected for the pore pressure acting behind the cone.
    double Qt(const CptReading& r) const {
        if (std::isnan(r.u2) || std::isnan(areaRatio)) return r.qc;
        return r.qc + (1.0 - areaRatio) * r.u2;
    }
};

}  // namespace keldar::cpt
