// The export workbook: a "Legend" sheet listing the plots with links to their data, then per
// plot a data sheet "Page_n" and a chart sheet "Plot_n" (XY scatter with lines and markers).
#pragma once

#include <QString>
#include <vector>

#include "ExportLayout.h"

namespace keldar {

// The legend sheet's header row, blanks included.
inline constexpr const char* kLegendHeader[5] = {
    "     N    ", "                             Plot Name                             ",
    "  Sheet Name  ", "  Chart Name  ", "          Status          "};

// Writes the workbook to fileName, replacing it. Raises EExportError with the user's message.
void WriteWorkbookFile(const std::vector<TExportPlot>& plots, const QString& fileName);

// Writes the workbook beside target and puts it in target's place only once it is complete.
void SaveWorkbook(const std::vector<TExportPlot>& plots, const QString& target);

}  // namespace keldar
