#include "ChartPreview.h"

#include <algorithm>
#include <cmath>

namespace keldar {

namespace {

constexpr const char* kPlainFormat = "%.6g";
constexpr const char* kExponentFormat = "%.3E";
constexpr const char* kWholeFormat = "%.0f";

double ValueOr(std::optional<long double> value) {
    return value ? static_cast<double>(*value) : 0.0;
}

std::pair<double, double> RangeOf(const std::vector<std::pair<double, double>>& points, bool y) {
    if (points.empty()) return {0, 0};
    double lo = y ? points.front().second : points.front().first;
    double hi = lo;
    for (const auto& p : points) {
        const double v = y ? p.second : p.first;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    return {lo, hi};
}

void Widen(std::pair<double, double>& range, const std::vector<std::pair<double, double>>& points,
           bool y) {
    if (points.empty()) return;
    const auto other = RangeOf(points, y);
    range.first = std::min(range.first, other.first);
    range.second = std::max(range.second, other.second);
}

// A range of a single value gets some room, so that the chart has an axis to draw on.
void OpenUp(TChartAxis& axis) {
    if (axis.Minimum < axis.Maximum) return;
    const double v = axis.Minimum;
    const double room = v == 0 ? 1.0 : std::fabs(v) * 0.1;
    axis.Minimum = v - room;
    axis.Maximum = v + room;
}

}  // namespace

std::string AxisLabelFormat(double minimum, double maximum) {
    if (minimum == 0 && maximum == 0) return kPlainFormat;
    const double a = std::fabs(minimum);
    const double b = std::fabs(maximum);
    if (a > 100000 || b > 100000 || (a < 0.001 && b < 0.001)) return kExponentFormat;
    return kPlainFormat;
}

TChartPreview BuildChartPreview(const TTableAccess& table) {
    TChartPreview chart;
    const TChartParameters p = table.ChartParameters();
    const int rows = table.RowCount();
    chart.RowIndexAxis = table.ColumnCount() == 1;
    const bool twoSeries = table.ColumnCount() == 3 && p.XColumn == 0 && p.YColumn == 1;
    if (twoSeries) {
        chart.Series2 = TChartLine{table.ChartTitle(2), {}};
        chart.Series1.Title = table.ChartTitle(1);
        chart.Legend = true;
    }

    // Flat: every vertical value (of both lines) equals the first; a single row is not flat.
    const double firstY = ValueOr(table.Number(p.YColumn, 0));
    bool flat = rows > 1;
    for (int r = 0; r < rows && flat; ++r) {
        if (ValueOr(table.Number(p.YColumn, r)) != firstY) flat = false;
        if (twoSeries && ValueOr(table.Number(2, r)) != firstY) flat = false;
    }
    chart.Flat = flat;

    for (int r = 0; r < rows; ++r) {
        const double x = chart.RowIndexAxis ? r : ValueOr(table.Number(p.XColumn, r));
        double y = ValueOr(table.Number(p.YColumn, r));
        // The chart draws nothing for a line of equal values unless one point is set apart.
        if (flat && r == 1) y *= 1.001;
        chart.Series1.Points.emplace_back(x, y);
        if (twoSeries) chart.Series2->Points.emplace_back(x, ValueOr(table.Number(2, r)));
    }

    chart.Bottom.Title = chart.RowIndexAxis ? "N" : table.ChartTitle(p.XColumn);
    chart.Left.Title = table.ChartTitle(p.YColumn);
    chart.Bottom.Inverted = table.InvertedXAxis();
    chart.Left.Inverted = table.InvertedYAxis();

    auto xRange = RangeOf(chart.Series1.Points, false);
    auto yRange = RangeOf(chart.Series1.Points, true);
    if (chart.Series2) Widen(yRange, chart.Series2->Points, true);
    if (flat) {
        // A flat profile shows 10 % above and below its value (a zero value one unit each way).
        const double a = 0.9 * firstY;
        const double b = 1.1 * firstY;
        yRange = firstY == 0 ? std::pair{-1.0, 1.0} : std::pair{std::min(a, b), std::max(a, b)};
        chart.Left.FixedRange = true;
    }
    chart.Left.Minimum = yRange.first;
    chart.Left.Maximum = yRange.second;
    chart.Bottom.Minimum = xRange.first;
    chart.Bottom.Maximum = xRange.second;
    chart.Left.LabelFormat = AxisLabelFormat(yRange.first, yRange.second);
    chart.Bottom.LabelFormat =
        chart.RowIndexAxis ? kWholeFormat : AxisLabelFormat(xRange.first, xRange.second);
    OpenUp(chart.Left);
    OpenUp(chart.Bottom);
    return chart;
}

int SegmentPixel(double value, double minimum, double maximum, int size) {
    if (minimum == maximum) return 20;
    return static_cast<int>(
        std::lround(20 + (value - minimum) / (maximum - minimum) * (size - 40)));
}

}  // namespace keldar
