#pragma once
#include <string>
#include <string_view>

#include "grid/InterchangeRows.h"

// vCard 3.0 (UTF-8) of phone-book rows, cells in table order with the id
// last: one card per row.
std::string BuildVCards(const RowSet& rows);
// Every card of a vCard 2.1 or 3.0 file, as phone-book rows of BookColumns
// cells.
ImportedRows ReadVCards(std::string_view file, const UtcToLocal& toLocal);
