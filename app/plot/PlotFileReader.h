// Reads the plot data file that the engine writes into the main window's plots.
#pragma once

#include <QString>
#include <functional>

#include "MainPlots.h"

namespace keldar {

inline constexpr char kRunErrorMessage[] = "An error occured in running the main program.";

// Shows a message in an information box; the caller decides how.
using TInformFunc = std::function<void(const QString& message)>;

// Fills the plots from the file; true when the file was read completely. On a file that
// cannot be read, is cut short or is broken, the plots keep what was read before the fault and,
// when reportErrors is set, inform gets kRunErrorMessage. projectUnits names the t-z curves
// until the file's own unit system has been read.
bool ReadPlotFile(TMainPlots& plots, const QString& fileName, bool reportErrors, int projectUnits,
                  const TInformFunc& inform);

}  // namespace keldar
