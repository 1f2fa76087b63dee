#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "db/DbTypes.h"
#include "models/ColumnSpec.h"

// What became of one row an import offered a table.
enum class ImportOutcome { Added, Skipped, Refused };
struct ImportResult {
    ImportOutcome outcome = ImportOutcome::Added;
    // Why a row was refused, in the user's words.
    std::string reason;
};

// Decides, before anything is stored, what becomes of each offered row
// (cells of the table's columns in order, without the id): skipped when its
// `cellCount` cells equal those of a row already in `existing` (whose last
// cell, the id, is left aside) or of an earlier offered row; refused when a
// cell is longer than its column holds or the row has more cells than the
// table. The rows to add are padded in place to `cellCount` cells.
std::vector<ImportResult> PlanImport(const RowSet& existing, RowSet& offered,
                                     const std::vector<ColumnSpec>& columns, std::size_t cellCount);

// The ids of `count` records added after the next free id `first`, counting
// up from it.
std::vector<std::string> ConsecutiveIds(const std::string& first, std::size_t count);
