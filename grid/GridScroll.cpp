#include "grid/GridScroll.h"

namespace {
int Clamp(int value, int count)
{
    if (value > count - 1)
        value = count - 1;
    return value < 0 ? 0 : value;
}

// Page back: step back one item at a time, adding its size to `used`, until
// the sum exceeds the client size or item 0 is reached.
template <typename SizeOf>
int PageBack(int first, int used, int clientSize, SizeOf sizeOf)
{
    while (first > 0 && used <= clientSize) {
        --first;
        used += sizeOf(first);
    }
    return first;
}

// Page forward to `target`; a page that would not move (the window shows no
// whole item) moves by one at least.
int PageForward(int first, int target)
{
    return target > first ? target : first + 1;
}
}  // namespace

int ScrolledFirstRow(const GridView& view, const GridShape& shape, int clientHeight, ScrollStep step, int thumb)
{
    const int first = view.firstRow;
    switch (step) {
    case ScrollStep::LineBack: return Clamp(first - 1, shape.rowCount);
    case ScrollStep::LineForward: return Clamp(first + 1, shape.rowCount);
    case ScrollStep::PageBack:
        return PageBack(first, view.headingHeight, clientHeight, [&](int r) { return shape.RowHeight(view, r); });
    case ScrollStep::PageForward: return Clamp(PageForward(first, view.lastRow), shape.rowCount);
    case ScrollStep::Thumb: return Clamp(thumb, shape.rowCount);
    case ScrollStep::None: break;
    }
    return first;
}

int ScrolledFirstColumn(const GridView& view, const GridShape& shape, int clientWidth, ScrollStep step, int thumb)
{
    const int first = view.firstColumn;
    const int count = shape.ColumnCount();
    switch (step) {
    case ScrollStep::LineBack: return Clamp(first - 1, count);
    case ScrollStep::LineForward: return Clamp(first + 1, count);
    case ScrollStep::PageBack:
        return PageBack(first, view.rowHeadingWidth, clientWidth, [&](int c) { return shape.ColumnWidth(c); });
    // A page to the right keeps the last visible column in view.
    case ScrollStep::PageForward: return Clamp(PageForward(first, view.lastColumn - 1), count);
    case ScrollStep::Thumb: return Clamp(thumb, count);
    case ScrollStep::None: break;
    }
    return first;
}

ViewCorrection CorrectionToShowCurrent(const GridView& view, const GridShape& shape)
{
    ViewCorrection correction;
    if (shape.rowCount == 0 || shape.ColumnCount() == 0)
        return correction;
    if (view.currentColumn < view.firstColumn)
        correction.columnStep = -1;
    else if (view.currentColumn > view.lastColumn)
        correction.columnStep = 1;
    if (view.currentRow > view.lastRow)
        correction.rowStep = 1;
    else if (view.currentRow < view.firstRow)
        correction.rowStep = -1;
    return correction;
}
