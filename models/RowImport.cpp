#include "models/RowImport.h"

#include <unordered_set>

#include "common/Decimal.h"

namespace {
// The cells of a row as one key: each cell's length, then its bytes, so
// that no two different rows share a key.
std::string RowKey(const TextRow& row, std::size_t cellCount)
{
    std::string key;
    for (std::size_t k = 0; k < cellCount; ++k) {
        const std::string& cell = k < row.size() ? row[k] : std::string();
        key += std::to_string(cell.size());
        key += ':';
        key += cell;
    }
    return key;
}

std::string TooLong(const ColumnSpec& column, std::size_t length)
{
    return "«" + column.title + "»: знаков " + std::to_string(length) + ", в столбце помещается " +
           std::to_string(column.textSize);
}
}  // namespace

std::vector<ImportResult> PlanImport(const RowSet& existing, RowSet& offered,
                                     const std::vector<ColumnSpec>& columns, std::size_t cellCount)
{
    std::unordered_set<std::string> present;
    for (const TextRow& row : existing) {
        // A stored row ends with its id, which no offered row has.
        const TextRow cells(row.begin(), row.empty() ? row.end() : row.end() - 1);
        present.insert(RowKey(cells, cellCount));
    }

    std::vector<ImportResult> results(offered.size());
    for (std::size_t i = 0; i < offered.size(); ++i) {
        TextRow& row = offered[i];
        ImportResult& result = results[i];
        bool extra = false;
        for (std::size_t k = cellCount; k < row.size(); ++k)
            extra = extra || !row[k].empty();
        if (extra) {
            result = {ImportOutcome::Refused, "столбцов больше, чем в таблице"};
            continue;
        }
        row.resize(cellCount);
        for (std::size_t k = 0; k < row.size() && k < columns.size(); ++k) {
            if (columns[k].textSize > 0 && row[k].size() > columns[k].textSize) {
                result = {ImportOutcome::Refused, TooLong(columns[k], row[k].size())};
                break;
            }
        }
        if (result.outcome == ImportOutcome::Refused)
            continue;
        if (!present.insert(RowKey(row, cellCount)).second)
            result.outcome = ImportOutcome::Skipped;
    }
    return results;
}

std::vector<std::string> ConsecutiveIds(const std::string& first, std::size_t count)
{
    std::vector<std::string> ids;
    const long long start = ReadDecimal(first);
    for (std::size_t i = 0; i < count; ++i)
        ids.push_back(std::to_string(start + static_cast<long long>(i)));
    return ids;
}
