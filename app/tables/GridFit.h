// Snapping a table editor's grid to whole rows and columns after the user resized the window.
// Four candidates are weighed: (A) all columns and rows without scroll bars, (B) all columns
// with the rows that fit and a vertical scroll bar, (C) the columns that fit and all rows with a
// horizontal scroll bar, (D) both fitted with both scroll bars. A candidate that is larger than
// the size the user asked for is charged for the area it overshoots; the cheapest wins, the
// first of A, B, C, D on a tie.
#pragma once

#include <vector>

namespace keldar {

// The part of the grid in view: the first column and row shown and how many of each.
struct TGridView {
    int FirstColumn = 0;
    int FirstRow = 0;
    int Columns = 0;
    int Rows = 0;
};

struct TGridMetrics {
    // Frame and row-number column; frame and heading rows.
    int FixedWidth = 0;
    int FixedHeight = 0;
    std::vector<int> ColumnWidths;
    int RowHeight = 1;
    int RowCount = 0;
    int ScrollBar = 0;
    // The grid is never narrower than this (the row buttons below it).
    int MinWidth = 0;
    TGridView Shown;
};

// What the grid is to show, and the grid's size for it.
struct TGridFit : TGridView {
    int Width = 0;
    int Height = 0;
};

// width and height are the grid's proposed size; a dimension the user did not drag keeps its
// columns (or rows) as they are.
TGridFit FitGrid(const TGridMetrics& grid, int width, int height, bool widthDragged,
                 bool heightDragged);

}  // namespace keldar
