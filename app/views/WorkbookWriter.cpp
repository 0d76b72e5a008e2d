#include "WorkbookWriter.h"

#include <xlsxwriter.h>

#include <QFile>
#include <algorithm>
#include <memory>

#include "FileReplace.h"
#include "NumericCLocale.h"

namespace keldar {

namespace {

// Frees a workbook that was never closed; closing writes the file and frees it.
struct TWorkbook {
    lxw_workbook* Book = nullptr;
    ~TWorkbook() {
        // An unclosed workbook is freed without writing a file.
        if (Book) lxw_workbook_free(Book);
    }
};

void Check(lxw_error error, const QString& what) {
    if (error == LXW_NO_ERROR) return;
    throw EExportError(QStringLiteral("The workbook could not be written (%1: %2).")
                           .arg(what, QString::fromUtf8(lxw_strerror(error))));
}

void WriteText(lxw_worksheet* sheet, int row, int column, const QString& text,
               lxw_format* format = nullptr) {
    Check(worksheet_write_string(sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                                 text.toUtf8().constData(), format),
          QStringLiteral("cell text"));
}

void WriteLink(lxw_worksheet* sheet, int row, int column, const QString& subAddress,
               const QString& text) {
    const QByteArray url = (QStringLiteral("internal:") + subAddress).toUtf8();
    Check(
        worksheet_write_url_opt(sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                                url.constData(), nullptr, text.toUtf8().constData(), nullptr),
        QStringLiteral("hyperlink"));
}

void WriteDataSheet(lxw_worksheet* sheet, const TExportPlot& plot) {
    const std::vector<TExportRow> rows = DataSheetRows(plot);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const TExportCell& cell = rows[r][c];
            if (cell.Type == TExportCell::Kind::Text) {
                WriteText(sheet, static_cast<int>(r), static_cast<int>(c), cell.Text);
            } else if (cell.Type == TExportCell::Kind::Number) {
                Check(worksheet_write_number(sheet, static_cast<lxw_row_t>(r),
                                             static_cast<lxw_col_t>(c), cell.Number, nullptr),
                      QStringLiteral("cell number"));
            }
        }
    }
    WriteLink(sheet, 0, 6, QStringLiteral("Legend!A1"), QStringLiteral("Go to Legend Page"));
}

lxw_chart* BuildChart(lxw_workbook* book, const TExportPlot& plot, int n) {
    lxw_chart* chart = workbook_add_chart(book, LXW_CHART_SCATTER_STRAIGHT_WITH_MARKERS);
    if (!chart) throw EExportError(QStringLiteral("The workbook could not be written (chart)."));
    const int points = plot.PointRows();
    const QByteArray sheet = DataSheetName(n).toUtf8();
    for (std::size_t t = 0; t < plot.Lines.size(); ++t) {
        const int x = 2 * static_cast<int>(t) + 1;
        lxw_chart_series* series =
            chart_add_series(chart, SeriesRange(n, x, points).toUtf8().constData(),
                             SeriesRange(n, x + 1, points).toUtf8().constData());
        if (!series)
            throw EExportError(QStringLiteral("The workbook could not be written (series)."));
        // The name is the line's name cell in row 4 of the data sheet.
        chart_series_set_name_range(series, sheet.constData(), 3, static_cast<lxw_col_t>(x - 1));
    }
    chart_title_off(chart);
    chart_axis_set_name(chart->x_axis, plot.XTitle.toUtf8().constData());
    chart_axis_set_name(chart->y_axis, plot.YTitle.toUtf8().constData());
    chart_axis_major_gridlines_set_visible(chart->x_axis, LXW_TRUE);
    chart_axis_major_gridlines_set_visible(chart->y_axis, LXW_TRUE);
    if (plot.XOnTop) {
        // Depth grows downward; the x axis then crosses at the value axis's maximum, which
        // keeps it at the bottom of the chart.
        chart_axis_set_reverse(chart->y_axis);
        chart_axis_set_crossing_max(chart->y_axis);
    }
    return chart;
}

void CheckExportable(const TExportPlot& plot) {
    if (plot.Lines.size() > static_cast<std::size_t>(kMaxExportLines)) {
        throw EExportError(
            QStringLiteral("The plot \"%1\" has %2 curves; a spreadsheet chart takes at most %3.")
                .arg(plot.Caption)
                .arg(plot.Lines.size())
                .arg(kMaxExportLines));
    }
}

void WriteLegendSheet(lxw_workbook* book, lxw_worksheet* legend,
                      const std::vector<TExportPlot>& plots) {
    lxw_format* header = workbook_add_format(book);
    format_set_bold(header);
    format_set_align(header, LXW_ALIGN_VERTICAL_CENTER);
    std::vector<int> widths(5);
    for (int c = 0; c < 5; ++c) {
        WriteText(legend, 1, c + 1, QString::fromLatin1(kLegendHeader[c]), header);
        widths[static_cast<std::size_t>(c)] = static_cast<int>(qstrlen(kLegendHeader[c]));
    }
    for (std::size_t k = 0; k < plots.size(); ++k) {
        const int row = static_cast<int>(k) + 2;
        const int n = static_cast<int>(k) + 1;
        Check(worksheet_write_number(legend, static_cast<lxw_row_t>(row), 1, n, nullptr),
              QStringLiteral("cell number"));
        WriteText(legend, row, 2, plots[k].Caption);
        WriteLink(legend, row, 3, DataSheetName(n) + QStringLiteral("!A1"), DataSheetName(n));
        WriteText(legend, row, 4, ChartSheetName(n));
        WriteText(legend, row, 5, QStringLiteral("Complete"));
        widths[1] = std::max(widths[1], static_cast<int>(plots[k].Caption.size()));
    }
    // Wide enough for the longest text of each column.
    for (int c = 0; c < 5; ++c) {
        worksheet_set_column(legend, static_cast<lxw_col_t>(c + 1), static_cast<lxw_col_t>(c + 1),
                             widths[static_cast<std::size_t>(c)] + 1, nullptr);
    }
    worksheet_activate(legend);
}

}  // namespace

void WriteWorkbookFile(const std::vector<TExportPlot>& plots, const QString& fileName) {
    for (const TExportPlot& plot : plots) CheckExportable(plot);
    // The library writes numbers with the C library's printf.
    const TNumericCLocale numbers;
    const QByteArray path = QFile::encodeName(fileName);
    TWorkbook workbook;
    workbook.Book = workbook_new(path.constData());
    if (!workbook.Book) {
        throw EExportError(QStringLiteral("The workbook %1 could not be created.").arg(fileName));
    }
    lxw_worksheet* legend = workbook_add_worksheet(workbook.Book, "Legend");
    if (!legend) throw EExportError(QStringLiteral("The workbook could not be written (sheet)."));
    WriteLegendSheet(workbook.Book, legend, plots);

    for (std::size_t k = 0; k < plots.size(); ++k) {
        const int n = static_cast<int>(k) + 1;
        lxw_worksheet* data =
            workbook_add_worksheet(workbook.Book, DataSheetName(n).toUtf8().constData());
        lxw_chartsheet* chartSheet =
            workbook_add_chartsheet(workbook.Book, ChartSheetName(n).toUtf8().constData());
        if (!data || !chartSheet) {
            throw EExportError(QStringLiteral("The workbook could not be written (sheet)."));
        }
        WriteDataSheet(data, plots[k]);
        chartsheet_set_landscape(chartSheet);
        Check(chartsheet_set_chart(chartSheet, BuildChart(workbook.Book, plots[k], n)),
              QStringLiteral("chart sheet"));
    }
    lxw_workbook* book = workbook.Book;
    workbook.Book = nullptr;  // closing frees it, whatever the outcome
    Check(workbook_close(book), QStringLiteral("saving"));
}

void SaveWorkbook(const std::vector<TExportPlot>& plots, const QString& target) {
    WriteThenReplace(target,
                     [&](const QString& temporary) { WriteWorkbookFile(plots, temporary); });
}

}  // namespace keldar
