#pragma once
#include <vector>

#include "grid/GridView.h"

// Columns of the given width divisors, and a grid shape over them.
inline std::vector<ColumnSpec> ColumnsOf(std::vector<int> divisors)
{
    std::vector<ColumnSpec> columns;
    for (int divisor : divisors) {
        ColumnSpec column;
        column.widthDivisor = divisor;
        columns.push_back(column);
    }
    return columns;
}

inline GridShape ShapeOf(std::vector<ColumnSpec>& columns, int rows)
{
    return GridShape{&columns, rows};
}
