// A plain-text account of a CPT design: the record read, the layers, each t-z curve's peak and
// the base, for the command line and the examples' expected output.
#pragma once

#include <string>

#include "PileDesign.h"

namespace keldar::cpt {

std::string DesignSummary(const CptRecord& record, const DesignOptions& options,
                          const PileDesign& design);

}  // namespace keldar::cpt
