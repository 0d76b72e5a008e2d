// AGS4 files: the SCPT group's readings of the first test, its cone area ratio from SCPG and the
// ground level from LOCA. Later tests of the file are left out and said so in the notes.
#pragma once

#include <string>

#include "CptRecord.h"

namespace keldar::cpt {

// Raises CptReadError for a file that cannot be read as AGS4 CPT data.
CptRecord ReadAgs4(const std::string& fileName);

}  // namespace keldar::cpt
