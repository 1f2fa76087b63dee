#pragma once
// A table for the export writers, taken from the fuzzer's input: a title, a
// note, up to five column titles and up to `maxRows` rows of up to six cells.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <string>

#include "grid/TableSnapshot.h"

inline TableSnapshot ConsumeTable(FuzzedDataProvider& in, std::size_t maxTitle, int maxRows,
                                  std::size_t maxCell)
{
    TableSnapshot table;
    table.title = in.ConsumeRandomLengthString(maxTitle);
    table.note = in.ConsumeRandomLengthString(40);
    table.columnTitles.resize(in.ConsumeIntegralInRange(0, 5));
    for (std::string& title : table.columnTitles)
        title = in.ConsumeRandomLengthString(16);
    table.rows.resize(in.ConsumeIntegralInRange(0, maxRows));
    for (TextRow& row : table.rows) {
        row.resize(in.ConsumeIntegralInRange(0, 6));
        for (std::string& cell : row)
            cell = in.ConsumeRandomLengthString(maxCell);
    }
    return table;
}
