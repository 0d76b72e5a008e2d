#include "PlotFileDialogs.h"

#include <array>

namespace keldar {

namespace {

struct TFileTypeFilter {
    TPlotFileType Type;
    const char* Filter;
};

// The order of the save dialog's filters; the first is the one selected at the start.
constexpr std::array<TFileTypeFilter, 4> kFilters = {{
    {TPlotFileType::Bitmap, "Bitmap (*.bmp)"},
    {TPlotFileType::Png, "PNG image (*.png)"},
    {TPlotFileType::Pdf, "PDF document (*.pdf)"},
    {TPlotFileType::Svg, "SVG drawing (*.svg)"},
}};

}  // namespace

TFileDialogRequest PlotSaveRequest(QWidget* parent) {
    QStringList filters;
    for (const TFileTypeFilter& f : kFilters) filters << QString::fromLatin1(f.Filter);
    return {.filters = filters,
            .defaultSuffix = QStringLiteral("bmp"),
            .suffixFollowsFilter = true,
            .parent = parent};
}

TPlotFileType PlotFileTypeOfFilter(int filterIndex) {
    if (filterIndex < 0 || filterIndex >= static_cast<int>(kFilters.size()))
        return TPlotFileType::Bitmap;
    return kFilters[static_cast<std::size_t>(filterIndex)].Type;
}

TFileDialogRequest MeasuredCurveRequest(QWidget* parent) {
    return {.title = QStringLiteral("Load Measured Curve"),
            .filters = {QStringLiteral("Load tests (*.csv *.txt *.tsv)"),
                        QStringLiteral("All Files (*)")},
            .parent = parent};
}

}  // namespace keldar
