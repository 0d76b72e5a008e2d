// What the export writes for a plot: its sheet names, the cells of its data sheet and the
// ranges its chart series read. The workbook and the CSV files are both written from this.
#pragma once

#include <QString>
#include <optional>
#include <stdexcept>
#include <vector>

#include "FloatPoint.h"

namespace keldar {

class TGraphPlot;

// An export that cannot be written; the message is what the user sees.
class EExportError : public std::runtime_error {
  public:
    explicit EExportError(const QString& message)
        : std::runtime_error(message.toStdString()), fMessage(message) {}
    const QString& Message() const { return fMessage; }

  private:
    QString fMessage;
};

// Unit text for an axis title: the force symbol first (every "F2", else every "F1", else every
// "F"), then the length symbol the same way. Units 1 English, 2 S.I., 3 the template unchanged.
QString UnitsTitle(const QString& unitTemplate, int units);

// Column letters of column number n: 1 "A" .. 26 "Z", 27 "AA" .. 702 "ZZ"; empty outside.
QString GetExcelCol(int n);

struct TExportLine {
    QString Name;
    std::vector<TFloatPoint> Points;
};

// One plot as the export reads it.
struct TExportPlot {
    QString Caption;
    QString XTitle;  // caption and, when the plot has a unit template, " (unit)"
    QString YTitle;
    bool XOnTop = false;  // depth plots: the value axis runs downward
    std::vector<TExportLine> Lines;

    // Rows of data: the longest line's point count, so no point is ever left out.
    int PointRows() const;
};

TExportPlot ExportPlotFrom(const TGraphPlot& plot);

// Whether the plot has anything to export: a line with at least one point.
bool HasExportData(const TGraphPlot& plot);

QString DataSheetName(int n);   // "Page_n"
QString ChartSheetName(int n);  // "Plot_n"

// Sheets hold 702 columns at most through GetExcelCol, and a chart 255 series.
inline constexpr int kMaxExportLines = 255;

// The range the chart is first pointed at: "A6:" + the column after the last x column + the
// last data row, as in A6:Z15 for 25 lines of 10 points.
QString SourceRange(const TExportPlot& plot);
// "=Page_1!$A$6:$A$15": the x (or y) values of line t (1-based) on data sheet n.
QString SeriesRange(int n, int column, int pointRows);

// One cell of a data sheet: text, a number, or nothing.
struct TExportCell {
    enum class Kind { Empty, Text, Number };
    Kind Type = Kind::Empty;
    QString Text;
    double Number = 0;
};
using TExportRow = std::vector<TExportCell>;

// The data sheet: row 1 the caption, rows 2 and 3 the axis titles, row 4 the line names over
// their x columns, row 5 "X" and "Y", then one row per point; line t takes columns 2t-1 and 2t.
// Numbers pass through the shortest general number text, as the sheet shows them; values that
// are not finite are written as text.
std::vector<TExportRow> DataSheetRows(const TExportPlot& plot);

}  // namespace keldar
