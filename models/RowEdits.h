#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "db/DbTypes.h"
#include "models/ChangeRecord.h"

// The in-memory side of adding, editing and deleting rows of a table model:
// the checks that keep every index inside the rows, and the next record id.

// `count - 1` empty cells: a new row for a table or query described with
// `count` columns, the last of which (the id) is left out. None when nothing
// was described.
TextRow BlankRow(std::size_t count);

// The id of a record added after `rowsById` (rows read in ascending id
// order, the id in the last cell): the last row's id plus one, or `firstId`
// when there are no rows.
std::string NextRecordId(const RowSet& rowsById, long long firstId);

// The cell lies inside a stored table's rows: the row exists and the column
// is one of the first row's cells. Such a row always has its id.
bool IsStoredCell(const RowSet& rows, int column, int row);

// Puts `text` into the cell of an existing row and a column below
// `columnCount`; a row shorter than that grows to hold the cell. False, and
// nothing changed, for a cell outside.
bool StoreCellText(RowSet& rows, std::size_t columnCount, int column, int row, const std::string& text);

// Takes row `row` out of `rows` and returns the record of its deletion, or
// nothing when there is no such row.
std::optional<ChangeRecord> RemoveRow(RowSet& rows, int row);

// Row count as an int index bound; tables never come near the limit.
int RowCountOf(const RowSet& rows);
