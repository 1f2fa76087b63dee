#pragma once
#include <string>

#include "db/DbTypes.h"

// What an export writes: the window title, the note under the table, the
// column titles and the rows in their current order.
struct TableSnapshot {
    std::string title;
    std::string note;
    std::vector<std::string> columnTitles;
    RowSet rows;
};
