#include <gtest/gtest.h>

#include "GridTestShapes.h"
#include "grid/GridLayout.h"
#include "grid/GridScroll.h"

namespace {
constexpr int kHeight = 16 + 20 * 16;

struct Scrolled {
    std::vector<ColumnSpec> columns = ColumnsOf({3, 3, 3, 3, 3});
    GridView view;
    GridShape shape{&columns, 100};

    void Lay() { LayOutGrid(view, shape, 332, kHeight); }
    int Rows(ScrollStep step, int thumb = 0) { return ScrolledFirstRow(view, shape, kHeight, step, thumb); }
    int Columns(ScrollStep step, int thumb = 0) { return ScrolledFirstColumn(view, shape, 332, step, thumb); }
};
}  // namespace

TEST(ScrollRows, LinesStayWithinTheRows)
{
    Scrolled s;
    s.Lay();
    EXPECT_EQ(s.Rows(ScrollStep::LineBack), 0);
    EXPECT_EQ(s.Rows(ScrollStep::LineForward), 1);
    s.view.firstRow = 99;
    EXPECT_EQ(s.Rows(ScrollStep::LineForward), 99);
}

TEST(ScrollRows, PagesMoveByTheVisibleRows)
{
    Scrolled s;
    s.Lay();
    EXPECT_EQ(s.Rows(ScrollStep::PageForward), 19);
    s.view.firstRow = 50;
    s.Lay();
    // Back until the rows stepped over exceed the client height.
    EXPECT_EQ(s.Rows(ScrollStep::PageBack), 29);
    s.view.firstRow = 3;
    EXPECT_EQ(s.Rows(ScrollStep::PageBack), 0);
    s.view.firstRow = 90;
    s.Lay();
    EXPECT_EQ(s.Rows(ScrollStep::PageForward), 99);
}

TEST(ScrollRows, APageForwardInAWindowWithoutAWholeRowStillMoves)
{
    Scrolled s;
    LayOutGrid(s.view, s.shape, 332, 20);
    ASSERT_LT(s.view.lastRow, s.view.firstRow);
    EXPECT_EQ(s.Rows(ScrollStep::PageForward), 1);
}

TEST(ScrollRows, TheThumbIsKeptWithinTheRows)
{
    Scrolled s;
    s.Lay();
    EXPECT_EQ(s.Rows(ScrollStep::Thumb, 42), 42);
    EXPECT_EQ(s.Rows(ScrollStep::Thumb, 70000), 99);
    EXPECT_EQ(s.Rows(ScrollStep::Thumb, -5), 0);
    s.view.firstRow = 7;
    EXPECT_EQ(s.Rows(ScrollStep::None), 7);
}

TEST(ScrollRows, NothingMovesWithoutRows)
{
    Scrolled s;
    s.shape.rowCount = 0;
    s.Lay();
    EXPECT_EQ(s.Rows(ScrollStep::LineForward), 0);
    EXPECT_EQ(s.Rows(ScrollStep::PageForward), 0);
    EXPECT_EQ(s.Rows(ScrollStep::Thumb, 5), 0);
}

TEST(ScrollColumns, APageRightKeepsTheLastVisibleColumnInView)
{
    Scrolled s;
    s.Lay();
    ASSERT_EQ(s.view.lastColumn, 2);
    EXPECT_EQ(s.Columns(ScrollStep::PageForward), 1);
    EXPECT_EQ(s.Columns(ScrollStep::LineForward), 1);
    s.view.firstColumn = 4;
    EXPECT_EQ(s.Columns(ScrollStep::LineForward), 4);
    EXPECT_EQ(s.Columns(ScrollStep::PageBack), 0);
}

TEST(KeepInView, OneLineTowardsACurrentCellOutsideTheView)
{
    Scrolled s;
    s.Lay();
    EXPECT_EQ(CorrectionToShowCurrent(s.view, s.shape).rowStep, 0);
    s.view.currentRow = 20;
    s.view.currentColumn = 3;
    const ViewCorrection down = CorrectionToShowCurrent(s.view, s.shape);
    EXPECT_EQ(down.rowStep, 1);
    EXPECT_EQ(down.columnStep, 1);
    s.view.firstRow = 30;
    s.view.firstColumn = 4;
    s.Lay();
    const ViewCorrection up = CorrectionToShowCurrent(s.view, s.shape);
    EXPECT_EQ(up.rowStep, -1);
    EXPECT_EQ(up.columnStep, -1);
}

TEST(KeepInView, NothingWithoutRowsOrColumns)
{
    Scrolled s;
    s.view.currentRow = 500;
    s.shape.rowCount = 0;
    EXPECT_EQ(CorrectionToShowCurrent(s.view, s.shape).rowStep, 0);
    std::vector<ColumnSpec> none;
    s.shape = GridShape{&none, 100};
    EXPECT_EQ(CorrectionToShowCurrent(s.view, s.shape).rowStep, 0);
}
