// The cone record as the preview draws it: qt and the soil behaviour type index Ic per reading,
// with the stresses the design works with.
#pragma once

#include <vector>

#include "PileDesign.h"

namespace keldar::cpt {

struct ConeProfileRow {
    double depth = 0;          // m
    double qt = 0;             // kPa
    double ic = kNotMeasured;  // no index where fs is missing or qt ≤ σv0
};

std::vector<ConeProfileRow> ConeProfile(const CptRecord& record, const DesignOptions& options);

}  // namespace keldar::cpt
