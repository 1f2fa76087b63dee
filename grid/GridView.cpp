#include "grid/GridView.h"

#include <climits>

int GridShape::ColumnCount() const
{
    if (!columns)
        return 0;
    return columns->size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(columns->size());
}

int GridShape::ColumnWidth(int column) const
{
    if (column < 0 || column >= ColumnCount())
        return GridView::kMissingColumnWidth;
    return (*columns)[column].width;
}

int GridShape::RowHeight(const GridView& view, int row) const
{
    if (row < 0 || row >= rowCount)
        return RowHeights::kDefaultHeight;
    return view.rowHeights.Height(row);
}
