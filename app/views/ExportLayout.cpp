#include "ExportLayout.h"

#include <algorithm>
#include <cmath>

#include "GraphPlot.h"
#include "NumberText.h"

namespace keldar {

QString UnitsTitle(const QString& unitTemplate, int units) {
    return PlotUnitLabel(unitTemplate, units);
}

QString GetExcelCol(int n) {
    if (n < 1 || n > 702) return {};
    const auto letter = [](int number) { return QChar(u'A' + number - 1); };
    if (n <= 26) return QString(letter(n));
    return QString(letter((n - 1) / 26)) + letter((n - 1) % 26 + 1);
}

int TExportPlot::PointRows() const {
    std::size_t rows = 0;
    for (const TExportLine& line : Lines) rows = std::max(rows, line.Points.size());
    return static_cast<int>(rows);
}

static QString AxisTitle(const QString& caption, const QString& unitTemplate, int units) {
    if (unitTemplate.isEmpty()) return caption;
    return caption + QStringLiteral(" (") + UnitsTitle(unitTemplate, units) + QStringLiteral(")");
}

TExportPlot ExportPlotFrom(const TGraphPlot& plot) {
    TExportPlot out;
    out.Caption = plot.Caption();
    out.XTitle = AxisTitle(plot.XCaption(), plot.XUnits(), plot.Units());
    out.YTitle = AxisTitle(plot.YCaption(), plot.YUnits(), plot.Units());
    out.XOnTop = plot.XOnTop();
    for (int t = 0; t < plot.CurveCount(); ++t) {
        out.Lines.push_back({plot.LegendEntry(t), plot.Curve(t).Points});
    }
    // A measured load test goes with the computed curves, in the units of the axes.
    if (const TLine* measured = plot.MeasuredLine()) {
        out.Lines.push_back({measured->Name, measured->Points});
    }
    return out;
}

bool HasExportData(const TGraphPlot& plot) {
    for (int t = 0; t < plot.CurveCount(); ++t) {
        if (!plot.Curve(t).Points.empty()) return true;
    }
    return false;
}

QString DataSheetName(int n) { return QStringLiteral("Page_%1").arg(n); }
QString ChartSheetName(int n) { return QStringLiteral("Plot_%1").arg(n); }

QString SourceRange(const TExportPlot& plot) {
    return QStringLiteral("A6:") + GetExcelCol(static_cast<int>(plot.Lines.size()) + 1) +
           QString::number(plot.PointRows() + 5);
}

QString SeriesRange(int n, int column, int pointRows) {
    const QString letters = GetExcelCol(column);
    return QStringLiteral("=%1!$%2$6:$%2$%3").arg(DataSheetName(n), letters).arg(pointRows + 5);
}

static TExportCell Text(const QString& text) { return {TExportCell::Kind::Text, text, 0}; }

static TExportCell Number(double value) {
    if (!std::isfinite(value)) return Text(ShortestNumberText(value));
    // The sheet holds the number the plot shows: its shortest general text read back.
    return {TExportCell::Kind::Number, {}, ShortestNumberText(value).toDouble()};
}

std::vector<TExportRow> DataSheetRows(const TExportPlot& plot) {
    const std::size_t columns = std::max<std::size_t>(2, 2 * plot.Lines.size());
    const int points = plot.PointRows();
    std::vector<TExportRow> rows(static_cast<std::size_t>(points) + 5, TExportRow(columns));
    rows[0][0] = Text(plot.Caption);
    rows[1][0] = Text(QStringLiteral("X"));
    rows[1][1] = Text(plot.XTitle);
    rows[2][0] = Text(QStringLiteral("Y"));
    rows[2][1] = Text(plot.YTitle);
    for (std::size_t t = 0; t < plot.Lines.size(); ++t) {
        const TExportLine& line = plot.Lines[t];
        rows[3][2 * t] = Text(line.Name);
        rows[4][2 * t] = Text(QStringLiteral("X"));
        rows[4][2 * t + 1] = Text(QStringLiteral("Y"));
        for (std::size_t p = 0; p < line.Points.size(); ++p) {
            rows[5 + p][2 * t] = Number(line.Points[p].X);
            rows[5 + p][2 * t + 1] = Number(line.Points[p].Y);
        }
    }
    return rows;
}

}  // namespace keldar
