#include "calendar/CalendarDate.h"

#include <algorithm>
#include <optional>

#include "calendar/DateInput.h"

CalendarDate SelectedDate;

CalendarDate StartDate(int64_t start, int64_t now)
{
    std::optional<CalendarDate> date = start != 0 ? LocalDateOf(start) : std::nullopt;
    if (!date)
        date = LocalDateOf(now);
    if (!date)
        date = CalendarDate{1, 1, FirstYear, 0, 0};
    date->year = std::clamp(date->year, FirstYear, LastYear);
    date->day = std::min(date->day, DaysInMonth(date->month - 1, date->year));
    return *date;
}
