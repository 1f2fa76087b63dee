#include <gtest/gtest.h>

#include "GridTestShapes.h"
#include "grid/GridLayout.h"

// A client area 332 pixels wide leaves 300 for the columns; 16 + 20 rows of
// 16 pixels make 336.
constexpr int kWidth = 332;
constexpr int kTwentyRows = 16 + 20 * 16;

TEST(ColumnWidths, OneColumnOfDivisorOneFillsTheWidthRightOfTheRowHeadings)
{
    auto columns = ColumnsOf({1});
    ComputeColumnWidths(columns, kWidth, 32);
    EXPECT_EQ(columns[0].width, 300);
}

TEST(ColumnWidths, TwoColumnsOfDivisorTwoShareItEqually)
{
    auto columns = ColumnsOf({2, 2});
    ComputeColumnWidths(columns, kWidth + 1, 32);
    EXPECT_EQ(columns[0].width, 150);
    EXPECT_EQ(columns[1].width, 150);
}

TEST(ColumnWidths, ADivisorBelowOneCountsAsOneAndANarrowClientGivesNoWidth)
{
    auto columns = ColumnsOf({0, -3, 3});
    ComputeColumnWidths(columns, kWidth, 32);
    EXPECT_EQ(columns[0].width, 300);
    EXPECT_EQ(columns[1].width, 300);
    EXPECT_EQ(columns[2].width, 100);
    ComputeColumnWidths(columns, 10, 32);
    EXPECT_EQ(columns[0].width, 0);
}

TEST(Layout, AHundredRowsInATwentyRowWindowOverflow)
{
    auto columns = ColumnsOf({1});
    GridView view;
    const GridLayout layout = LayOutGrid(view, ShapeOf(columns, 100), kWidth, kTwentyRows);
    EXPECT_EQ(view.lastRow, 19);
    EXPECT_TRUE(view.verticalOverflow);
    EXPECT_FALSE(view.horizontalOverflow);
    ASSERT_EQ(layout.rows.size(), 20u);
    EXPECT_EQ(layout.rows.front().start, 16);
    EXPECT_EQ(layout.fullRowsBottom, kTwentyRows);
}

TEST(Layout, FiveRowsFitAndLeaveTheRestEmpty)
{
    auto columns = ColumnsOf({1});
    GridView view;
    const GridLayout layout = LayOutGrid(view, ShapeOf(columns, 5), kWidth, kTwentyRows);
    EXPECT_EQ(view.lastRow, 4);
    EXPECT_FALSE(view.verticalOverflow);
    EXPECT_TRUE(layout.rowsFit);
    EXPECT_EQ(layout.rowsEnd, 16 + 5 * 16);
}

TEST(Layout, ARowCutByTheBottomIsDrawnButNotCountedVisible)
{
    auto columns = ColumnsOf({1});
    GridView view;
    const GridLayout layout = LayOutGrid(view, ShapeOf(columns, 100), kWidth, kTwentyRows + 5);
    EXPECT_EQ(view.lastRow, 19);
    ASSERT_EQ(layout.rows.size(), 21u);
    EXPECT_EQ(layout.rows.back().index, 20);
    EXPECT_FALSE(layout.rowsFit);
}

TEST(Layout, ScrolledToTheEndStillOverflowsBecauseTheTopIsHidden)
{
    auto columns = ColumnsOf({1});
    GridView view;
    view.firstRow = 95;
    LayOutGrid(view, ShapeOf(columns, 100), kWidth, kTwentyRows);
    EXPECT_EQ(view.lastRow, 99);
    EXPECT_TRUE(view.verticalOverflow);
}

TEST(Layout, ColumnsWiderThanTheClientOverflowAndTheCutOneIsNotVisible)
{
    auto columns = ColumnsOf({2, 2, 2});
    GridView view;
    const GridLayout layout = LayOutGrid(view, ShapeOf(columns, 3), kWidth, kTwentyRows);
    EXPECT_EQ(view.lastColumn, 1);
    EXPECT_TRUE(view.horizontalOverflow);
    EXPECT_EQ(layout.columnsEnd, 32 + 150 * 2);
}

TEST(Layout, ATableWithoutRowsOrColumnsHasNothingVisible)
{
    std::vector<ColumnSpec> none;
    GridView view;
    const GridLayout layout = LayOutGrid(view, ShapeOf(none, 0), kWidth, kTwentyRows);
    EXPECT_EQ(view.lastRow, -1);
    EXPECT_EQ(view.lastColumn, -1);
    EXPECT_FALSE(view.verticalOverflow);
    EXPECT_FALSE(view.horizontalOverflow);
    EXPECT_TRUE(layout.rows.empty());
    EXPECT_EQ(layout.columnsEnd, 32);
}

TEST(CellRectangle, CountsFromTheFirstVisibleRowAndColumn)
{
    auto columns = ColumnsOf({3, 3, 3});
    GridView view;
    auto shape = ShapeOf(columns, 50);
    LayOutGrid(view, shape, kWidth, kTwentyRows);
    view.firstRow = 10;
    view.firstColumn = 1;
    const CellBox box = CellRectangle(view, shape, 2, 12);
    EXPECT_EQ(box.left, 32 + 100);
    EXPECT_EQ(box.right, 32 + 200);
    EXPECT_EQ(box.top, 16 + 2 * 16);
    EXPECT_EQ(box.bottom, 16 + 3 * 16);
    // Cells scrolled out lie above and left of the headings.
    EXPECT_EQ(CellRectangle(view, shape, 0, 9).left, 32 - 100);
    EXPECT_EQ(CellRectangle(view, shape, 0, 9).top, 0);
}

TEST(CellRectangle, NegativeIndexesGiveZeroForTheirAxis)
{
    auto columns = ColumnsOf({1});
    GridView view;
    const CellBox box = CellRectangle(view, ShapeOf(columns, 3), -1, -1);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.bottom, 0);
}

TEST(HitTest, FindsRowsAndColumnsUnderAPoint)
{
    auto columns = ColumnsOf({3, 3, 3});
    GridView view;
    auto shape = ShapeOf(columns, 100);
    LayOutGrid(view, shape, kWidth, kTwentyRows + 5);
    EXPECT_EQ(RowAt(view, shape, 10), -1);
    EXPECT_EQ(RowAt(view, shape, 16), 0);
    EXPECT_EQ(RowAt(view, shape, 31), 0);
    EXPECT_EQ(RowAt(view, shape, 32), 1);
    // The row cut by the bottom can be hit; nothing below it.
    EXPECT_EQ(RowAt(view, shape, kTwentyRows + 2), 20);
    EXPECT_EQ(RowAt(view, shape, kTwentyRows + 16), -1);
    EXPECT_EQ(ColumnAt(view, shape, 20), -1);
    EXPECT_EQ(ColumnAt(view, shape, 32), 0);
    EXPECT_EQ(ColumnAt(view, shape, 331), 2);
    EXPECT_EQ(ColumnAt(view, shape, 332), -1);
}

TEST(HitTest, BelowTheLastRowOfASmallTableGivesARowBeyondTheData)
{
    auto columns = ColumnsOf({1});
    GridView view;
    auto shape = ShapeOf(columns, 2);
    LayOutGrid(view, shape, kWidth, kTwentyRows);
    EXPECT_EQ(RowAt(view, shape, 16 + 2 * 16 + 1), 2);
    EXPECT_EQ(RowAt(view, shape, 16 + 3 * 16 + 1), -1);
}
