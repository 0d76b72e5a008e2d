// The export's data sheets as CSV files, one per plot, for users without a spreadsheet program
// and for scripts: comma-separated, "." decimal point, texts quoted where they need it.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "ExportLayout.h"

namespace keldar {

// The CSV text of one data sheet.
QByteArray DataSheetCsv(const TExportPlot& plot);

// The file names for the plots: the chosen name's base followed by "_Page_n.csv", as
// results_Page_1.csv for results.csv.
QStringList CsvFileNames(const QString& chosen, int plotCount);

// Writes every file; each replaces an earlier one only once it is complete. Raises
// EExportError on the first file that cannot be written.
void SaveCsvFiles(const std::vector<TExportPlot>& plots, const QString& chosen);

}  // namespace keldar
