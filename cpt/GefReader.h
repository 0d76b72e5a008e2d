// GEF CPT reports: "#KEYWORD= values" header lines up to "#EOH=", then one row per reading.
#pragma once

#include <string>

#include "CptRecord.h"

namespace keldar::cpt {

// Raises CptReadError for a file that cannot be read as a CPT report.
CptRecord ReadGef(const std::string& fileName);

}  // namespace keldar::cpt
