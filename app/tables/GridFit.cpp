#include "GridFit.h"

#include <algorithm>
#include <array>

namespace keldar {

namespace {

struct Span {
    int First;
    int Count;
};

int WidthOf(const TGridMetrics& g, Span columns, bool verticalBar) {
    int width = g.FixedWidth + (verticalBar ? g.ScrollBar : 0);
    for (int c = columns.First; c < columns.First + columns.Count; ++c) width += g.ColumnWidths[c];
    return std::max(width, g.MinWidth);
}

int HeightOf(const TGridMetrics& g, Span rows, bool horizontalBar) {
    return g.FixedHeight + (horizontalBar ? g.ScrollBar : 0) + rows.Count * g.RowHeight;
}

// Columns from the first shown one on while they fit, then earlier ones taken back in front.
Span FitColumns(const TGridMetrics& g, int width, bool verticalBar) {
    const int count = static_cast<int>(g.ColumnWidths.size());
    int first = std::clamp(g.Shown.FirstColumn, 0, std::max(count - 1, 0));
    int last = first;  // one past the last column taken
    const auto fits = [&](int from, int to) { return WidthOf(g, {from, to - from}, verticalBar); };
    while (last < count && (last == first || fits(first, last + 1) <= width)) ++last;
    while (first > 0 && fits(first - 1, last) <= width) --first;
    return {first, last - first};
}

Span FitRows(const TGridMetrics& g, int height, bool horizontalBar) {
    int rows = 1;
    while (rows < g.RowCount && HeightOf(g, {0, rows + 1}, horizontalBar) <= height) ++rows;
    rows = std::min(rows, g.RowCount);
    const int first = std::clamp(g.Shown.FirstRow, 0, std::max(g.RowCount - rows, 0));
    return {first, rows};
}

long long Excess(int w, int h, int width, int height) {
    const long long W = width, H = height;
    if (w <= width && h <= height) return 0;
    if (w <= width) return W * (h - H);
    if (h <= height) return H * (w - W);
    return static_cast<long long>(w) * h - W * H;
}

}  // namespace

TGridFit FitGrid(const TGridMetrics& g, int width, int height, bool widthDragged,
                 bool heightDragged) {
    const int columnCount = static_cast<int>(g.ColumnWidths.size());
    const Span allColumns{0, columnCount};
    const Span allRows{0, g.RowCount};
    const TGridView& shown = g.Shown;
    const Span keptColumns{shown.FirstColumn,
                           std::clamp(shown.Columns, 0, columnCount - shown.FirstColumn)};
    const Span keptRows{shown.FirstRow, std::clamp(shown.Rows, 0, g.RowCount - shown.FirstRow)};

    std::array<TGridFit, 4> candidates;
    for (int i = 0; i < 4; ++i) {
        const bool fitColumns = i >= 2;
        const bool fitRows = i == 1 || i == 3;
        const Span columns = !fitColumns    ? allColumns
                             : widthDragged ? FitColumns(g, width, fitRows)
                                            : keptColumns;
        const Span rows = !fitRows        ? allRows
                          : heightDragged ? FitRows(g, height, fitColumns)
                                          : keptRows;
        TGridFit& fit = candidates[i];
        fit = {{columns.First, rows.First, columns.Count, rows.Count},
               WidthOf(g, columns, fitRows),
               HeightOf(g, rows, fitColumns)};
    }
    const TGridFit* best = &candidates[0];
    long long lowest = Excess(best->Width, best->Height, width, height);
    for (const TGridFit& fit : candidates) {
        const long long excess = Excess(fit.Width, fit.Height, width, height);
        if (excess < lowest) {
            lowest = excess;
            best = &fit;
        }
    }
    return *best;
}

}  // namespace keldar
