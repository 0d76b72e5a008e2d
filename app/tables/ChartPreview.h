// What the chart above a chart table's grid shows: one line of the table's X and Y columns, and
// for a table of three columns (depth and two multipliers) a second line with a legend. Computed
// from the table alone, so the window only hands the numbers to the chart.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "TableAccess.h"

namespace keldar {

struct TChartLine {
    std::string Title;
    std::vector<std::pair<double, double>> Points;
};

struct TChartAxis {
    std::string Title;
    // printf format of the tick labels.
    std::string LabelFormat;
    bool Inverted = false;
    double Minimum = 0;
    double Maximum = 0;
    // False: the chart picks round numbers around Minimum .. Maximum.
    bool FixedRange = false;
};

struct TChartPreview {
    TChartLine Series1;
    std::optional<TChartLine> Series2;
    bool Legend = false;
    // One visible column: the values are drawn against the row index, without marks.
    bool RowIndexAxis = false;
    // Every vertical value equals the first: the vertical axis is fixed around it.
    bool Flat = false;
    TChartAxis Bottom;
    TChartAxis Left;
};

// Tick label format for an axis over minimum .. maximum: plain numbers, or exponent notation
// when a bound exceeds 100000 in magnitude or both are below 0.001 (but not both zero).
std::string AxisLabelFormat(double minimum, double maximum);

TChartPreview BuildChartPreview(const TTableAccess& table);

// Segment drawing: the pixel of a value in a box of `size` pixels with a 20-pixel margin; the
// vertical direction runs from the bottom up (minimum and maximum swapped by the caller).
int SegmentPixel(double value, double minimum, double maximum, int size);

}  // namespace keldar
