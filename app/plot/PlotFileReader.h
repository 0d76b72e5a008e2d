// Reads the plot data file that the engine writes into the main window's plots.
#pragma once

#include <QString>

#include "MainPlots.h"
#include "UserMessages.h"

namespace keldar {

inline constexpr char kRunErrorMessage[] = "An error occured in running the main program.";

// Fills the plots from the file; true when the file was read completely. On a file that
// cannot be read, is cut short or is broken, the plots keep what was read before the fault and,
// when reportErrors is set, messages shows kRunErrorMessage in an information box. projectUnits
// names the t-z curves until the file's own unit system has been read.
bool ReadPlotFile(TMainPlots& plots, const QString& fileName, bool reportErrors, int projectUnits,
                  UserMessages& messages);

}  // namespace keldar
