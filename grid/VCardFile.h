#pragma once
#include <string>
#include <string_view>

#include "grid/InterchangeRows.h"

// vCard 3.0 (UTF-8) of phone-book rows, cells in table order with the id
// last: one card per row. The numbers that are not empty go out in column
// order and come back into the first number columns; a line break in a cell
// comes back as CR LF; a time stamp cell that is no stamp is not written.
std::string BuildVCards(const RowSet& rows);
// Every card of a vCard 2.1 or 3.0 file, as phone-book rows of BookColumns
// cells. A card with more numbers or notes than the table holds, a text the
// code page lacks or nothing to keep is refused, not cut.
ImportedRows ReadVCards(std::string_view file, const UtcToLocal& toLocal);
