#include "GridFixture.h"

// The grid window as a real MDI child: layout, scroll bars, keys and clicks.

namespace {
constexpr int kTwentyRows = 16 + 20 * 16;
constexpr int kWidth = 432;

using Request = RecordingModel::Request;

// Holds Ctrl down in this thread's key state while it lives.
class CtrlHeld {
public:
    CtrlHeld()
    {
        GetKeyboardState(saved_);
        BYTE state[256];
        memcpy(state, saved_, sizeof state);
        state[VK_CONTROL] = 0x80;
        SetKeyboardState(state);
    }
    ~CtrlHeld() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};
}  // namespace

TEST_F(GridTest, AHundredRowsInATwentyRowWindowShowTheVerticalScrollBar)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Show(NumberedRows(100, 2), ColumnsOfDivisors({2, 2})));
    SizeClient(kWidth, kTwentyRows);
    EXPECT_EQ(grid->View().lastRow, 19);
    EXPECT_TRUE(ScrollBarShown(SB_VERT));
    EXPECT_FALSE(ScrollBarShown(SB_HORZ));
    int low = -1, high = -1;
    GetScrollRange(grid->Handle(), SB_VERT, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 99);
}

TEST_F(GridTest, FiveRowsNeedNoScrollBar)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Show(NumberedRows(5, 2), ColumnsOfDivisors({2, 2})));
    SizeClient(kWidth, kTwentyRows);
    EXPECT_FALSE(ScrollBarShown(SB_VERT));
    EXPECT_FALSE(ScrollBarShown(SB_HORZ));
}

TEST_F(GridTest, OneColumnOfDivisorOneFillsTheWidthRightOfTheRowHeadings)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Show(NumberedRows(3, 1), ColumnsOfDivisors({1})));
    SizeClient(kWidth, kTwentyRows);
    EXPECT_EQ(grid->ColumnWidth(0), kWidth - 32);
    const CellBox cell = grid->CellRect(0, 2);
    EXPECT_EQ(cell.left, 32);
    EXPECT_EQ(cell.right, kWidth);
    EXPECT_EQ(cell.top, 16 + 2 * 16);
}

TEST_F(GridTest, ResizingLaysTheGridOutAgainAtTheNewSize)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Show(NumberedRows(100, 2), ColumnsOfDivisors({2, 2})));
    SizeClient(kWidth, 16 + 10 * 16);
    EXPECT_EQ(grid->View().lastRow, 9);
    SizeClient(kWidth + 100, kTwentyRows);
    EXPECT_EQ(grid->View().lastRow, 19);
    EXPECT_EQ(grid->ColumnWidth(1), (kWidth + 100 - 32) / 2);
}

TEST_F(GridTest, DownOnTheLastRowSwitchesToRowMode)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Show(NumberedRows(3, 2), ColumnsOfDivisors({2, 2})));
    grid->SetCurrentRow(2);
    Send(WM_KEYDOWN, VK_RETURN);
    ASSERT_TRUE(grid->InCellMode());
    Send(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(grid->CurrentRow(), 2);
    EXPECT_FALSE(grid->InCellMode());
}

TEST_F(GridTest, ThumbTrackingScrollsToThatRow)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Show(NumberedRows(100, 2), ColumnsOfDivisors({2, 2})));
    SizeClient(kWidth, kTwentyRows);
    Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 50));
    EXPECT_EQ(grid->FirstVisibleRow(), 50);
    EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), 50);
    EXPECT_EQ(GetFocus(), grid->Handle());
    // A current row above the view comes back into view a line at a time.
    Send(WM_KEYDOWN, VK_UP);
    EXPECT_EQ(grid->FirstVisibleRow(), 49);
}

TEST_F(GridTest, AClickOnAReadOnlyGridsCellSelectsTheRow)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Show(NumberedRows(10, 2), ColumnsOfDivisors({2, 2})));
    SizeClient(kWidth, kTwentyRows);
    grid->SetReadOnly(true);
    Click(300, 16 + 4 * 16 + 5);
    EXPECT_EQ(grid->CurrentRow(), 4);
    EXPECT_FALSE(grid->InCellMode());
    grid->SetReadOnly(false);
    Click(300, 16 + 6 * 16 + 5);
    EXPECT_EQ(grid->CurrentRow(), 6);
    EXPECT_EQ(grid->CurrentColumn(), 1);
    EXPECT_TRUE(grid->InCellMode());
}

TEST_F(GridTest, AClickOutsideTheClientAreaIsIgnored)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Show(NumberedRows(10, 2), ColumnsOfDivisors({2, 2})));
    SizeClient(kWidth, kTwentyRows);
    Click(300, 16 + 6 * 16 + 5);
    ASSERT_TRUE(grid->InCellMode());
    Click(kWidth + 5, 40);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-4, 40));
    EXPECT_TRUE(grid->InCellMode());
    EXPECT_EQ(grid->CurrentRow(), 6);
}

TEST_F(GridTest, TheFramesDeleteAddAndEditCommandsArriveAsKeys)
{
    ASSERT_TRUE(Start());
    RecordingModel* model = Show(NumberedRows(4, 2), ColumnsOfDivisors({2, 2}));
    ASSERT_TRUE(model);
    grid->SetCurrentRow(2);
    grid->SetCurrentColumn(1);
    SendMessageA(frame, WM_COMMAND, IDM_INSERT, 0);
    SendMessageA(frame, WM_COMMAND, IDM_EDIT, 0);
    SendMessageA(frame, WM_COMMAND, IDM_EDIT, 0);
    SendMessageA(frame, WM_COMMAND, IDM_DELETE, 0);
    PumpMessages();
    // The first Edit selects the cell, the second opens its editor; Delete
    // takes the focus from the editor, which stores the text it was given.
    EXPECT_EQ(model->requests, (std::vector<Request>{{"add", "", 0, 0, false},
                                                     {"edit", "r2c1", 1, 2, true},
                                                     {"delete", "", 1, 2, true}}));
    EXPECT_EQ(model->RowsToChange()[2][1], "r2c1");
}

TEST_F(GridTest, TheRowMenusCommandsAndUndoReachTheModel)
{
    ASSERT_TRUE(Start());
    RecordingModel* model = Show(NumberedRows(4, 2), ColumnsOfDivisors({2, 2}));
    ASSERT_TRUE(model);
    Send(WM_COMMAND, IDM_ADD_RECORD);
    Send(WM_COMMAND, IDM_DELETE_RECORD);
    Send(WM_COMMAND, IDM_UNDO);
    {
        CtrlHeld ctrl;
        Send(WM_KEYDOWN, 'Z');
    }
    EXPECT_EQ(model->requests, (std::vector<Request>{{"add", "", 0, 0, false},
                                                      {"delete", "", 0, 0, false},
                                                      {"undo", "", 0, 0, false},
                                                      {"undo", "", 0, 0, false}}));
}

TEST_F(GridTest, ATwelvePixelFontMakesRowsEighteenPixelsHigh)
{
    ASSERT_TRUE(Start());
    RecordingModel* model = Show(NumberedRows(30, 2), ColumnsOfDivisors({2, 2}));
    ASSERT_TRUE(model);
    LOGFONTA font{};
    font.lfHeight = -12;
    font.lfWeight = FW_NORMAL;
    lstrcpyA(font.lfFaceName, "Arial");
    grid->ApplyFont(font, RGB(0, 0, 128));
    EXPECT_EQ(grid->RowHeight(0), 18);
    EXPECT_EQ(grid->RowHeight(29), 18);
    EXPECT_EQ(grid->View().headingHeight, 18);
    EXPECT_EQ(grid->TextColor(), RGB(0, 0, 128));
    LOGFONTA made{};
    GetObjectA(grid->NormalFont(), sizeof made, &made);
    EXPECT_EQ(made.lfHeight, -12);
    EXPECT_EQ(made.lfCharSet, RUSSIAN_CHARSET);
    // Rows added afterwards keep the default height.
    model->RowsToChange().push_back({"new", "row"});
    EXPECT_EQ(grid->RowHeight(30), 16);
}

TEST_F(GridTest, TheFontDialogsChoiceSizesTheRows)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Show(NumberedRows(5, 2), ColumnsOfDivisors({2, 2})));
    MessageBoxWatcher watcher;
    watcher.OnDialog([](HWND dialog) {
        // The font dialog: its size box is 1138.
        if (!GetDlgItem(dialog, 1138))
            return false;
        PressButton(dialog, IDOK);
        return true;
    });
    Send(WM_COMMAND, IDM_FONT);
    ASSERT_EQ(watcher.Seen().size(), 1u);
    LOGFONTA made{};
    GetObjectA(grid->NormalFont(), sizeof made, &made);
    EXPECT_EQ(made.lfOutPrecision, OUT_TT_ONLY_PRECIS);
    EXPECT_EQ(grid->RowHeight(4), RowHeights::ForFont(made.lfHeight));
    EXPECT_EQ(grid->View().headingHeight, RowHeights::ForFont(made.lfHeight));
}

TEST_F(GridTest, MoreThanSixtyFiveThousandRowsPaintAndScrollToTheEnd)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Show(NumberedRows(70000, 1), ColumnsOfDivisors({1})));
    SizeClient(kWidth, kTwentyRows);
    LOGFONTA font{};
    font.lfHeight = -12;
    lstrcpyA(font.lfFaceName, "Arial");
    grid->ApplyFont(font, 0);
    grid->SetFirstVisibleRow(69990);
    Paint();
    EXPECT_EQ(grid->View().lastRow, 69999);
    EXPECT_EQ(grid->RowHeight(69999), 18);
    int low = -1, high = -1;
    GetScrollRange(grid->Handle(), SB_VERT, &low, &high);
    EXPECT_EQ(high, 69999);
    Send(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(grid->FirstVisibleRow(), 69991);
}
