#include <gtest/gtest.h>

#include "GridFit.h"

namespace keldar {
namespace {

// Three columns of 100 pixels, 25 rows of 20, 10 of them shown.
TGridMetrics Grid(int firstColumn = 0) {
    TGridMetrics g;
    g.FixedWidth = 50;
    g.FixedHeight = 30;
    g.ColumnWidths = {100, 100, 100};
    g.RowHeight = 20;
    g.RowCount = 25;
    g.ScrollBar = 15;
    g.Shown = {firstColumn, 0, 3 - firstColumn, 10};
    return g;
}

TEST(GridFit, ARoomyWindowShrinksToAllRowsAndColumns) {
    const TGridFit fit = FitGrid(Grid(), 600, 800, true, true);
    EXPECT_EQ(fit.Columns, 3);
    EXPECT_EQ(fit.Rows, 25);
    EXPECT_EQ(fit.Width, 350);
    EXPECT_EQ(fit.Height, 530);
}

TEST(GridFit, DraggingTheBottomEdgeFitsWholeRowsWithAVerticalScrollBar) {
    const TGridFit fit = FitGrid(Grid(), 350, 120, false, true);
    EXPECT_EQ(fit.Columns, 3);
    EXPECT_EQ(fit.Rows, 4);
    EXPECT_EQ(fit.Width, 365);
    EXPECT_EQ(fit.Height, 110);
}

TEST(GridFit, ANarrowWindowShowsTheColumnsThatFitWithAHorizontalScrollBar) {
    const TGridFit fit = FitGrid(Grid(), 260, 800, true, true);
    EXPECT_EQ(fit.FirstColumn, 0);
    EXPECT_EQ(fit.Columns, 2);
    EXPECT_EQ(fit.Rows, 25);
    EXPECT_EQ(fit.Height, 545);
    // Scrolled to the last column, the column before it is taken back in front.
    const TGridFit scrolled = FitGrid(Grid(2), 260, 800, true, true);
    EXPECT_EQ(scrolled.FirstColumn, 1);
    EXPECT_EQ(scrolled.Columns, 2);
}

}  // namespace
}  // namespace keldar
