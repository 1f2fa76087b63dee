#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "grid/InterchangeRows.h"

// iCalendar 2.0 (UTF-8) of scheduler rows, cells in table order with the id
// last: one event per row. `nowUtc` (YYYYMMDDTHHMMSS) is the DTSTAMP. A row
// whose start is not a time stamp cannot be an event: it is left out and
// counted.
struct ICalendarText {
    std::string text;
    std::size_t rowsLeftOut = 0;
};
ICalendarText BuildICalendar(const RowSet& rows, const std::string& nowUtc);
// Every VEVENT of an iCalendar (or vCalendar 1.0) file, as scheduler rows of
// SchedColumns cells.
ImportedRows ReadICalendar(std::string_view file, const UtcToLocal& toLocal);
