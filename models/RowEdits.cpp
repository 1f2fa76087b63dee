#include "models/RowEdits.h"

#include <climits>

#include "common/Decimal.h"
#include "models/ColumnSpec.h"

TextRow BlankRow(std::size_t count)
{
    return TextRow(count > 0 ? count - 1 : 0);
}

std::string NextRecordId(const RowSet& rowsById, long long firstId)
{
    if (rowsById.empty())
        return std::to_string(firstId);
    const TextRow& last = rowsById.back();
    const long long id = last.empty() ? 0 : ReadDecimal(last.back());
    return std::to_string(id < LLONG_MAX ? id + 1 : id);
}

bool IsStoredCell(const RowSet& rows, int column, int row)
{
    if (rows.empty() || row < 0 || static_cast<std::size_t>(row) >= rows.size())
        return false;
    if (rows.front().empty() || column < 0 || static_cast<std::size_t>(column) >= rows.front().size())
        return false;
    // Every row read from one table has the same cells; a row that somehow
    // lacks its id cannot be addressed in the database.
    return !rows[row].empty();
}

bool StoreCellText(RowSet& rows, std::size_t columnCount, int column, int row, const std::string& text)
{
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size())
        return false;
    if (column < 0 || static_cast<std::size_t>(column) >= columnCount)
        return false;
    TextRow& cells = rows[row];
    if (static_cast<std::size_t>(column) >= cells.size())
        cells.resize(column + 1);
    cells[column] = text;
    return true;
}

std::optional<ChangeRecord> RemoveRow(RowSet& rows, int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size())
        return std::nullopt;
    ChangeRecord record{ChangeKind::RowDeleted, std::move(rows[row]), row};
    rows.erase(rows.begin() + row);
    return record;
}

int RowCountOf(const RowSet& rows)
{
    return rows.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(rows.size());
}
