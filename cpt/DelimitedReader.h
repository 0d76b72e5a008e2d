// CSV or tab-separated CPT text: optional "# key = value" lines (test id, ground level, area
// ratio, void), then a header naming each column with its unit in brackets, "qc [MPa]", then one
// row per reading.
#pragma once

#include <string>

#include "CptRecord.h"

namespace keldar::cpt {

// Raises CptReadError for a file that cannot be read as CPT text.
CptRecord ReadDelimited(const std::string& fileName);

}  // namespace keldar::cpt
