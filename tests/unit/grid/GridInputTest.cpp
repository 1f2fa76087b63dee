#include <gtest/gtest.h>

#include "GridTestShapes.h"
#include "grid/GridInput.h"
#include "grid/GridLayout.h"

namespace {
// Three columns of 100 pixels right of the 32-pixel row headings, ten rows
// of 16 pixels under the 16-pixel heading strip.
struct Grid {
    std::vector<ColumnSpec> columns = ColumnsOf({3, 3, 3});
    GridView view;
    GridShape shape{&columns, 10};

    Grid() { LayOutGrid(view, shape, 332, 400); }
    ModelRequest Key(int key, bool ctrl = false, bool shift = false)
    {
        return ApplyKey(view, shape, key, ctrl, shift);
    }
};

constexpr int kCellX = 32 + 150;  // inside column 1
int RowY(int row)
{
    return 16 + row * 16 + 8;
}
}  // namespace

TEST(Keys, DownOnTheLastRowKeepsTheRowAndSelectsTheWholeRow)
{
    Grid g;
    g.view.currentRow = 9;
    g.view.cellMode = true;
    EXPECT_EQ(g.Key(kKeyDown), ModelRequest::None);
    EXPECT_EQ(g.view.currentRow, 9);
    EXPECT_FALSE(g.view.cellMode);
}

TEST(Keys, ArrowsStepInsideTheTableAndLeaveCellModeAtItsEdges)
{
    Grid g;
    g.view.cellMode = true;
    g.Key(kKeyDown);
    g.Key(kKeyRight);
    EXPECT_EQ(g.view.currentRow, 1);
    EXPECT_EQ(g.view.currentColumn, 1);
    EXPECT_TRUE(g.view.cellMode);
    g.Key(kKeyLeft);
    g.Key(kKeyLeft);
    EXPECT_EQ(g.view.currentColumn, 0);
    EXPECT_FALSE(g.view.cellMode);
    g.view.cellMode = true;
    g.view.currentColumn = 2;
    g.Key(kKeyRight);
    EXPECT_EQ(g.view.currentColumn, 2);
    EXPECT_FALSE(g.view.cellMode);
    g.view.currentRow = 0;
    g.Key(kKeyUp);
    EXPECT_EQ(g.view.currentRow, 0);
}

TEST(Keys, ACurrentRowLeftBehindByDeletedRowsComesBack)
{
    Grid g;
    g.view.currentRow = 15;
    g.Key(kKeyUp);
    EXPECT_EQ(g.view.currentRow, 9);
}

TEST(Keys, ArrowsInAnEmptyTableGoNowhere)
{
    Grid g;
    g.shape.rowCount = 0;
    g.Key(kKeyDown);
    g.Key(kKeyDown);
    EXPECT_EQ(g.view.currentRow, 0);
}

TEST(Keys, TabMovesAcrossColumnsWithinTheTable)
{
    Grid g;
    g.Key(kKeyTab);
    g.Key(kKeyTab);
    g.Key(kKeyTab);
    EXPECT_EQ(g.view.currentColumn, 2);
    g.Key(kKeyTab, false, true);
    EXPECT_EQ(g.view.currentColumn, 1);
    g.view.currentColumn = 0;
    g.Key(kKeyTab, false, true);
    EXPECT_EQ(g.view.currentColumn, 0);
}

TEST(Keys, EnterOnlySelectsTheCellAndNeverAsksToStoreAnything)
{
    Grid g;
    EXPECT_EQ(g.Key(kKeyReturn), ModelRequest::None);
    EXPECT_TRUE(g.view.cellMode);
    EXPECT_EQ(g.Key(kKeyReturn), ModelRequest::None);
    EXPECT_TRUE(g.view.cellMode);
    Grid readOnly;
    readOnly.view.readOnly = true;
    readOnly.Key(kKeyReturn);
    EXPECT_FALSE(readOnly.view.cellMode);
}

TEST(Keys, InsertDeleteAndCtrlZGoToTheModel)
{
    Grid g;
    EXPECT_EQ(g.Key(kKeyInsert), ModelRequest::AddRow);
    EXPECT_EQ(g.Key(kKeyDelete), ModelRequest::DeleteRow);
    EXPECT_EQ(g.Key(kKeyZ, true), ModelRequest::Undo);
    EXPECT_EQ(g.Key(kKeyZ), ModelRequest::None);
    EXPECT_TRUE(IsUndoKey(kKeyZ, true));
    EXPECT_FALSE(IsUndoKey(kKeyDown, true));
}

TEST(Keys, DeleteNeedsACellToActOn)
{
    Grid g;
    g.shape.rowCount = 0;
    EXPECT_EQ(g.Key(kKeyDelete), ModelRequest::None);
    EXPECT_EQ(g.Key(kKeyInsert), ModelRequest::AddRow);
    std::vector<ColumnSpec> none;
    g.shape = GridShape{&none, 10};
    EXPECT_EQ(g.Key(kKeyDelete), ModelRequest::None);
}

TEST(Characters, SelectTheCellAndStartEditingUnlessReadOnlyOrCtrl)
{
    Grid g;
    EXPECT_TRUE(ApplyChar(g.view, '7', false));
    EXPECT_TRUE(g.view.cellMode);
    for (int c : {8, 9, 13, 27}) {
        g.view.cellMode = false;
        EXPECT_FALSE(ApplyChar(g.view, c, false)) << c;
        EXPECT_TRUE(g.view.cellMode) << c;
    }
    g.view.cellMode = false;
    EXPECT_FALSE(ApplyChar(g.view, 'a', true));
    EXPECT_FALSE(g.view.cellMode);
    g.view.readOnly = true;
    EXPECT_FALSE(ApplyChar(g.view, 'a', false));
    EXPECT_FALSE(g.view.cellMode);
}

TEST(LeftClick, OnACellSelectsItAndOnAReadOnlyGridOnlyItsRow)
{
    Grid g;
    ApplyLeftClick(g.view, g.shape, kCellX, RowY(3));
    EXPECT_EQ(g.view.currentRow, 3);
    EXPECT_EQ(g.view.currentColumn, 1);
    EXPECT_TRUE(g.view.cellMode);

    Grid readOnly;
    readOnly.view.readOnly = true;
    ApplyLeftClick(readOnly.view, readOnly.shape, kCellX, RowY(4));
    EXPECT_EQ(readOnly.view.currentRow, 4);
    EXPECT_FALSE(readOnly.view.cellMode);
}

TEST(LeftClick, OnARowHeadingSelectsTheWholeRow)
{
    Grid g;
    g.view.cellMode = true;
    g.view.currentColumn = 2;
    ApplyLeftClick(g.view, g.shape, 10, RowY(5));
    EXPECT_EQ(g.view.currentRow, 5);
    EXPECT_EQ(g.view.currentColumn, 2);
    EXPECT_FALSE(g.view.cellMode);
}

TEST(LeftClick, BelowTheRowsOrOnTheHeadingsChangesOnlyTheMode)
{
    Grid g;
    g.view.currentRow = 2;
    g.view.cellMode = true;
    ApplyLeftClick(g.view, g.shape, kCellX, RowY(10));
    ApplyLeftClick(g.view, g.shape, kCellX, 5);
    EXPECT_EQ(g.view.currentRow, 2);
    EXPECT_FALSE(g.view.cellMode);
}

TEST(RightClick, ChoosesTheMenuByWhereItLands)
{
    Grid g;
    EXPECT_EQ(ApplyRightClick(g.view, g.shape, kCellX, 8, true), ContextMenuKind::Column);
    EXPECT_EQ(g.view.currentColumn, 1);
    EXPECT_TRUE(g.view.cellMode);
    EXPECT_EQ(ApplyRightClick(g.view, g.shape, 10, RowY(6), true), ContextMenuKind::Row);
    EXPECT_EQ(g.view.currentRow, 6);
    EXPECT_FALSE(g.view.cellMode);
    EXPECT_EQ(ApplyRightClick(g.view, g.shape, kCellX, RowY(2), true), ContextMenuKind::Table);
    EXPECT_EQ(g.view.currentRow, 6);
}

TEST(RightClick, PhotoAndMovieTablesHaveNoRowMenu)
{
    Grid g;
    EXPECT_EQ(ApplyRightClick(g.view, g.shape, 10, RowY(6), false), ContextMenuKind::None);
    EXPECT_EQ(g.view.currentRow, 6);
}

TEST(DoubleClick, OnlyACellInsideTheDataStartsEditing)
{
    Grid g;
    EXPECT_TRUE(ApplyDoubleClick(g.view, g.shape, kCellX, RowY(2)));
    EXPECT_EQ(g.view.currentRow, 2);
    EXPECT_EQ(g.view.currentColumn, 1);
    EXPECT_TRUE(g.view.cellMode);
    EXPECT_FALSE(ApplyDoubleClick(g.view, g.shape, kCellX, RowY(10)));
    EXPECT_FALSE(ApplyDoubleClick(g.view, g.shape, 10, RowY(3)));
    EXPECT_EQ(g.view.currentRow, 2);
}
