#pragma once
#include "db/DbTypes.h"

// What a generic add or delete did to a table's rows. Nothing replays the
// records; the model only counts them.
enum class ChangeKind : int { RowAdded = 0, RowDeleted = 2 };

struct ChangeRecord {
    ChangeKind kind = ChangeKind::RowAdded;
    // A copy of the row's cells taken at the change.
    TextRow cells;
    // For a deletion, the index the row had.
    int index = -1;
};
