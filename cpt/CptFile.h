// Reads a CPT file of any of the supported formats, chosen by its extension (.gef, .ags, .csv,
// .tsv, .txt) or, for other names, by its first line.
#pragma once

#include <string>

#include "CptRecord.h"

namespace keldar::cpt {

enum class CptFormat { Gef, Ags4, Delimited };

CptFormat FormatOf(const std::string& fileName);
// Raises CptReadError naming the file, the line and the reason.
CptRecord ReadCptFile(const std::string& fileName);

}  // namespace keldar::cpt
