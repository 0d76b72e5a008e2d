// Writes the project as the data file's records, in their order and under their conditions.
#pragma once

#include <QByteArray>

namespace keldar {

class TProgramData;

// The whole data file, CR LF line ends. Recomputes the project's CurveMode from its curve choice
// and gives every layer data table its layer number and minimum rows, as a save does.
QByteArray DataFileText(TProgramData& project);

}  // namespace keldar
