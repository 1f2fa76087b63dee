#pragma once
#include <vector>

#include "grid/GridView.h"

// The arithmetic of drawing and pointing: column widths, which rows and
// columns are on screen, where a cell lies and what lies under a point.

// One row or column on screen: its index and its pixel extent along the axis.
struct Span {
    int index;
    int start;
    int end;
};

struct GridLayout {
    // Real columns from the first visible one whose headings are drawn; the
    // last may be cut by the right edge.
    std::vector<Span> columns;
    // Right edge of the last column drawn (the row-heading width when none).
    int columnsEnd = 0;
    // Real rows from the first visible one; the last may be cut by the bottom.
    std::vector<Span> rows;
    // Bottom of the last row drawn (the heading height when none).
    int rowsEnd = 0;
    // No row was cut: the area below rowsEnd holds no row.
    bool rowsFit = true;
    // Bottom of the last fully visible row; the note text goes below it.
    int fullRowsBottom = 0;
};

// Every column's width: (client width - row-heading width) / width divisor,
// a divisor below 1 counting as 1, never below 0.
void ComputeColumnWidths(std::vector<ColumnSpec>& columns, int clientWidth, int rowHeadingWidth);

// Sets the column widths, the last visible row and column (a row or column
// cut by the edge does not count) and the overflow flags for a client area
// of width x height, and tells what to draw where.
GridLayout LayOutGrid(GridView& view, const GridShape& shape, int width, int height);

struct CellBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where a cell lies, counted from the first visible row and column (cells
// before them lie above or left of the headings). A negative column or row
// gives 0 for that axis.
CellBox CellRectangle(const GridView& view, const GridShape& shape, int column, int row);

// The row under client y: rows from the first visible one to one past the
// last visible one; -1 on the heading strip or below them. The result may lie
// beyond the table's rows.
int RowAt(const GridView& view, const GridShape& shape, int y);
// The column under client x, from the first to the last visible column; -1
// on the row headings or right of them.
int ColumnAt(const GridView& view, const GridShape& shape, int x);
