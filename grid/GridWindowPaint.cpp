#include <windows.h>

#include <string>

#include "grid/GridWindow.h"

namespace {
constexpr UINT kCellText = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXTERNALLEADING;
constexpr UINT kHeadingText = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr COLORREF kWhite = RGB(255, 255, 255);

void Fill(HDC dc, int left, int top, int right, int bottom, int colour)
{
    if (right <= left || bottom <= top)
        return;
    RECT area{left, top, right, bottom};
    FillRect(dc, &area, GetSysColorBrush(colour));
}

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void Text(HDC dc, const std::string& text, RECT area, UINT format)
{
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
}
}  // namespace

void GridWindow::DrawContent()
{
    const MemoryBitmap& buffer = BackBuffer();
    HDC dc = buffer.Dc();
    const int width = buffer.Width();
    const int height = buffer.Height();
    const GridLayout layout = LayOutGrid(view_, Shape(), width, height);

    const bool focused = Handle() && GetFocus() == Handle();
    const COLORREF textColor = focused ? textColor_ : GetSysColor(COLOR_GRAYTEXT);
    HBRUSH selection = GetSysColorBrush(focused ? COLOR_ACTIVECAPTION : COLOR_GRAYTEXT);
    PenHandle pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE)));
    SelectedObject usePen(dc, pen.Get());
    SelectedObject useFont(dc, normalFont_.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColor);

    Fill(dc, 0, 0, width, height, COLOR_WINDOW);
    Fill(dc, 0, 0, width, view_.headingHeight, COLOR_BTNFACE);
    DrawColumnHeadings(dc, layout, width, height);
    DrawRowHeadings(dc, layout, width, height);
    DrawCells(dc, layout, textColor, selection);
    DrawNote(dc, layout, width);
}

void GridWindow::DrawColumnHeadings(HDC dc, const GridLayout& layout, int width, int height)
{
    for (const Span& column : layout.columns) {
        RECT cell{column.start, 0, column.end, view_.headingHeight};
        // In row mode the current column's heading stands out.
        const bool current = !view_.cellMode && column.index == view_.currentColumn;
        DrawEdge(dc, &cell, current ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        SelectedObject bold(dc, current ? boldFont_.Get() : nullptr);
        Text(dc, ColumnTitle(column.index), cell, kHeadingText);
        Line(dc, column.end, view_.headingHeight, column.end, height);
    }
    if (layout.columnsEnd <= width)
        Fill(dc, layout.columnsEnd, 0, width, height, COLOR_BTNFACE);
    Fill(dc, 0, 0, view_.rowHeadingWidth, height, COLOR_BTNFACE);
}

void GridWindow::DrawRowHeadings(HDC dc, const GridLayout& layout, int width, int height)
{
    for (const Span& row : layout.rows) {
        RECT cell{0, row.start, view_.rowHeadingWidth, row.end};
        const bool current = !view_.cellMode && row.index == view_.currentRow;
        DrawEdge(dc, &cell, current ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        SelectedObject bold(dc, current ? boldFont_.Get() : nullptr);
        Text(dc, std::to_string(row.index), cell, kHeadingText);
        Line(dc, view_.rowHeadingWidth, row.end, width, row.end);
    }
    if (layout.rowsFit)
        Fill(dc, 0, layout.rowsEnd, width, height, COLOR_BTNFACE);
}

void GridWindow::DrawCells(HDC dc, const GridLayout& layout, COLORREF textColor, HBRUSH selection)
{
    for (const Span& row : layout.rows) {
        const bool selectedRow = !view_.cellMode && row.index == view_.currentRow;
        for (const Span& column : layout.columns) {
            const RECT cell{column.start, row.start, column.end, row.end};
            const bool selected =
                selectedRow || (view_.cellMode && row.index == view_.currentRow && column.index == view_.currentColumn);
            if (selected) {
                FillRect(dc, &cell, selection);
                SetTextColor(dc, kWhite);
            }
            Text(dc, CellText(row.index, column.index), cell, kCellText);
            if (selected)
                SetTextColor(dc, textColor);
        }
    }
}

void GridWindow::DrawNote(HDC dc, const GridLayout& layout, int width)
{
    if (note_.empty())
        return;
    const int bottom = layout.fullRowsBottom;
    Text(dc, note_, RECT{10, bottom + 50, width - 10, bottom + 100}, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

void GridWindow::ShowScrollBarFor(int bar, bool shown, int count, int position)
{
    HWND window = Handle();
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const bool visible = (style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
    // Showing or hiding resizes the client; only a change is worth that.
    if (visible != shown)
        ShowScrollBar(window, bar, shown ? TRUE : FALSE);
    if (!shown)
        return;
    // Every paint comes here; drawing the bar again costs more than the
    // whole table under Wine, so a bar that already shows this range and
    // position is left alone.
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    if (GetScrollInfo(window, bar, &info) && info.nMin == 0 && info.nMax == count - 1 && info.nPos == position)
        return;
    SetScrollRange(window, bar, 0, count - 1, FALSE);
    SetScrollPos(window, bar, position, TRUE);
}

void GridWindow::MoveThumb(int bar, int position)
{
    HWND window = Handle();
    if (window && GetScrollPos(window, bar) != position)
        SetScrollPos(window, bar, position, TRUE);
}

void GridWindow::AfterPaint()
{
    if (!Handle())
        return;
    const GridShape shape = Shape();
    const bool vertical = view_.verticalOverflow && shape.rowCount > 0;
    const bool horizontal = view_.horizontalOverflow && shape.ColumnCount() > 0;
    ShowScrollBarFor(SB_VERT, vertical, shape.rowCount, view_.firstRow);
    ShowScrollBarFor(SB_HORZ, horizontal, shape.ColumnCount(), view_.firstColumn);
}
