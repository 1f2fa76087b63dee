#pragma once
#include <vector>

#include "grid/RowHeights.h"
#include "models/ColumnSpec.h"

// Where a grid window stands over its table: the visible part, the current
// cell, the selection mode and the sizes of rows and headings. The window
// draws from it; keys, clicks and scrolling change it. No window here.
struct GridView {
    static constexpr int kMissingColumnWidth = 80;

    int rowHeadingWidth = 32;
    int headingHeight = RowHeights::kDefaultHeight;
    int firstRow = 0;
    int lastRow = 0;
    int firstColumn = 0;
    int lastColumn = 0;
    int currentColumn = 0;
    int currentRow = 0;
    // While set no editing starts and no single cell can be selected.
    bool readOnly = false;
    // False: the whole current row is selected; true: only the current cell.
    bool cellMode = false;
    bool verticalOverflow = false;
    bool horizontalOverflow = false;
    RowHeights rowHeights;
};

// The table the view stands over: its column descriptions (widths are
// written by the layout) and its number of rows.
struct GridShape {
    std::vector<ColumnSpec>* columns = nullptr;
    int rowCount = 0;

    int ColumnCount() const;
    // Width of a column, kMissingColumnWidth for one that does not exist.
    int ColumnWidth(int column) const;
    // Height of a row, the default height for one that does not exist.
    int RowHeight(const GridView& view, int row) const;
};
