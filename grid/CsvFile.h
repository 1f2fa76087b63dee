#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "grid/InterchangeRows.h"
#include "grid/TableSnapshot.h"

// A CSV file for Excel (UTF-8 with a byte-order mark, ";" between fields):
// the column titles, then cells 0 to (titles - 1) of every row as text.
std::string BuildCsv(const TableContents& table);
// Rows of a CSV file with a header row, matched to `columnTitles` by title:
// each row has one cell per column title.
ImportedRows ReadCsv(std::string_view file, const std::vector<std::string>& columnTitles);
