// Printing a plot on one page, its legend drawn in.
#pragma once

#include <QPrinter>
#include <memory>

#include "PlotExport.h"

namespace keldar {

// A printer at its full resolution with margins of one inch on every side.
std::unique_ptr<QPrinter> NewPlotPrinter();

// Prints the plot inside the page margins; false when the printer could not start.
bool PrintPlotPage(QPrinter& printer, const TPlotPicture& picture);

}  // namespace keldar
