#pragma once
#include <cstddef>
#include <string>

#include "db/DbTypes.h"

// One visible column of a table window, made from one row of the table's
// column-description table: title, editor kind, width divisor and, for a
// drop-down column, lookup table.
struct ColumnSpec {
    int widthDivisor = 1;
    // Set by the grid on every paint from the client width and the divisor.
    int width = 0;
    std::string title;
    // Selects the grid's in-place editor.
    int editorKind = 0;
    // Rows of the lookup table; only for drop-down columns.
    RowSet choices;
    // The characters the database column holds at most; 0 when it is not a
    // fixed-size text column or its size is unknown.
    std::size_t textSize = 0;
};

inline constexpr int kDropDownEditor = 3;

// The column described by one description row: first cell title, second
// editor kind, third width divisor; missing cells count as empty.
ColumnSpec DescribeColumn(const TextRow& description);
// The lookup table named by a description row (its fourth cell), or empty
// when the row does not describe a drop-down column.
std::string LookupTableOf(const TextRow& description);
