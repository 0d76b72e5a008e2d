// What a plot window asks the desktop's file dialogs: the picture file to save, whose filter
// chooses its type, and the file of a measured load-settlement curve to open.
#pragma once

#include "PlotExport.h"
#include "TDesktop.h"

namespace keldar {

// Save to Disk: one filter per picture file type, a bitmap unless the user picks another; the
// extension appended follows the filter.
TFileDialogRequest PlotSaveRequest(QWidget* parent);
// The picture file type of the save dialog's filter at filterIndex; a bitmap for none.
TPlotFileType PlotFileTypeOfFilter(int filterIndex);

// Load Measured Curve: the load test files the reader takes.
TFileDialogRequest MeasuredCurveRequest(QWidget* parent);

}  // namespace keldar
