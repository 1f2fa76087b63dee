#pragma once
// Values travel between the program and its database as texts (code page
// 1251 bytes), one text per column, in the table's column order.

#include <cstdint>
#include <string>
#include <vector>

using TextRow = std::vector<std::string>;
using RowSet = std::vector<TextRow>;
// Column names and SQL type codes as the driver describes them, parallel lists.
using ColumnNameList = std::vector<std::string>;
using ColumnTypeList = std::vector<std::int32_t>;
// Column sizes as the driver describes them (characters for a text column).
using ColumnSizeList = std::vector<std::uint64_t>;
