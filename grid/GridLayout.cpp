#include "grid/GridLayout.h"

void ComputeColumnWidths(std::vector<ColumnSpec>& columns, int clientWidth, int rowHeadingWidth)
{
    const int available = clientWidth > rowHeadingWidth ? clientWidth - rowHeadingWidth : 0;
    for (ColumnSpec& column : columns) {
        // The description tables should hold divisors of 1 or more; a smaller
        // one must not divide by zero or turn the width around.
        const int divisor = column.widthDivisor < 1 ? 1 : column.widthDivisor;
        column.width = available / divisor;
    }
}

namespace {
// Lays `count` items of the sizes `sizeOf` from `first` on, starting at
// `origin`, while they begin before `limit`. Returns the last item that fits
// entirely (first - 1 when none does).
template <typename SizeOf>
int LayOutAxis(int first, int count, int origin, int limit, SizeOf sizeOf, std::vector<Span>& spans,
               int& end, bool& fit, int& fullEnd)
{
    int last = first - 1;
    int at = origin;
    fit = true;
    fullEnd = origin;
    for (int i = first < 0 ? 0 : first; i < count && at < limit; ++i) {
        const int next = at + sizeOf(i);
        spans.push_back({i, at, next});
        if (next > limit) {
            fit = false;
            at = next;
            break;
        }
        last = i;
        at = next;
        fullEnd = next;
    }
    end = at;
    return last;
}
}  // namespace

GridLayout LayOutGrid(GridView& view, const GridShape& shape, int width, int height)
{
    if (shape.columns)
        ComputeColumnWidths(*shape.columns, width, view.rowHeadingWidth);

    GridLayout layout;
    bool columnsFit = true;
    int fullColumnsEnd = 0;
    view.lastColumn = LayOutAxis(
        view.firstColumn, shape.ColumnCount(), view.rowHeadingWidth, width,
        [&](int c) { return shape.ColumnWidth(c); }, layout.columns, layout.columnsEnd, columnsFit, fullColumnsEnd);
    view.lastRow = LayOutAxis(
        view.firstRow, shape.rowCount, view.headingHeight, height, [&](int r) { return shape.RowHeight(view, r); },
        layout.rows, layout.rowsEnd, layout.rowsFit, layout.fullRowsBottom);

    view.verticalOverflow = view.firstRow != 0 || view.lastRow < shape.rowCount - 1;
    view.horizontalOverflow = view.firstColumn != 0 || view.lastColumn < shape.ColumnCount() - 1;
    return layout;
}

namespace {
// Start of item `index` along an axis whose visible part begins with `first`
// at `origin`.
template <typename SizeOf>
int StartOf(int index, int first, int origin, SizeOf sizeOf)
{
    int at = origin;
    for (int i = first; i < index; ++i)
        at += sizeOf(i);
    for (int i = index; i < first; ++i)
        at -= sizeOf(i);
    return at;
}
}  // namespace

CellBox CellRectangle(const GridView& view, const GridShape& shape, int column, int row)
{
    CellBox box;
    if (column >= 0) {
        box.left = StartOf(column, view.firstColumn, view.rowHeadingWidth, [&](int c) { return shape.ColumnWidth(c); });
        box.right = box.left + shape.ColumnWidth(column);
    }
    if (row >= 0) {
        box.top = StartOf(row, view.firstRow, view.headingHeight, [&](int r) { return shape.RowHeight(view, r); });
        box.bottom = box.top + shape.RowHeight(view, row);
    }
    return box;
}

int RowAt(const GridView& view, const GridShape& shape, int y)
{
    if (y < view.headingHeight)
        return -1;
    int top = view.headingHeight;
    for (int r = view.firstRow; r <= view.lastRow + 1; ++r) {
        const int bottom = top + shape.RowHeight(view, r);
        if (y < bottom)
            return r;
        top = bottom;
    }
    return -1;
}

int ColumnAt(const GridView& view, const GridShape& shape, int x)
{
    if (x < view.rowHeadingWidth)
        return -1;
    int left = view.rowHeadingWidth;
    for (int c = view.firstColumn; c <= view.lastColumn; ++c) {
        const int right = left + shape.ColumnWidth(c);
        if (x < right)
            return c;
        left = right;
    }
    return -1;
}
