#pragma once
#include <string>
#include <vector>

#include "db/DbTypes.h"

// What an export writes: the window title, the note under the table, the
// column titles and the rows in their current order.
struct TableSnapshot {
    std::string title;
    std::string note;
    std::vector<std::string> columnTitles;
    RowSet rows;
};

// The same four parts read where they stand, so that a window's rows go into
// the file without being copied first. A snapshot turns into one on its own;
// it must outlive the contents made from it.
struct TableContents {
    TableContents(const std::string& title, const std::string& note, const std::vector<std::string>& columnTitles,
                  const RowSet& rows)
        : title(title), note(note), columnTitles(columnTitles), rows(rows)
    {
    }
    TableContents(const TableSnapshot& table)
        : TableContents(table.title, table.note, table.columnTitles, table.rows)
    {
    }

    const std::string& title;
    const std::string& note;
    const std::vector<std::string>& columnTitles;
    const RowSet& rows;
};
