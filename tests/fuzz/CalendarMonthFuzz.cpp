// The calendar's month layout: a weekday agrees with the civil calendar,
// every day of the month that fits has its own cell inside the area, in
// order and apart from the others, and a point in a cell finds that day.
// The date the dialog opens at lies in its year range and month.
#include <fuzzer/FuzzedDataProvider.h>

#include <chrono>

#include "FuzzCheck.h"
#include "calendar/CalendarDate.h"
#include "calendar/CalendarMonth.h"
#include "calendar/DateInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    namespace ch = std::chrono;
    FuzzedDataProvider in(data, size);
    const int month = in.ConsumeIntegralInRange(0, 11);
    const int year = in.ConsumeIntegralInRange(1, 9999);
    const int width = in.ConsumeIntegralInRange(0, 5000);
    const int height = in.ConsumeIntegralInRange(0, 5000);
    const int64_t start = in.ConsumeIntegral<int64_t>();

    const int days = DaysInMonth(month, year);
    const ch::year_month_day civil{ch::year{year}, ch::month{unsigned(month + 1)}, ch::day{1}};
    FUZZ_CHECK(days == int(unsigned(ch::year_month_day_last{civil.year(), ch::month_day_last{civil.month()}}.day())));
    const int first = Weekday(1, month + 1, year);
    FUZZ_CHECK(first == int(ch::weekday{ch::sys_days{civil}}.iso_encoding()) - 1);

    const std::vector<DayCell> cells = LayOutMonth(month, year, width, height);
    FUZZ_CHECK(int(cells.size()) == std::min(days, CalendarRows * WeekDays - first));
    for (size_t i = 0; i < cells.size(); ++i) {
        const DayCell& cell = cells[i];
        FUZZ_CHECK(cell.day == int(i) + 1);
        FUZZ_CHECK(cell.left >= 0 && cell.right <= width && cell.top >= HeadingHeight(height) && cell.bottom <= height);
        if (cell.right > cell.left && cell.bottom > cell.top) {
            FUZZ_CHECK(DayAt(cells, cell.left, cell.top) == cell.day);
            FUZZ_CHECK(DayAt(cells, cell.right - 1, cell.bottom - 1) == cell.day);
        }
    }

    const CalendarDate date = StartDate(start, 1700000000);
    FUZZ_CHECK(date.year >= FirstYear && date.year <= LastYear && date.month >= 1 && date.month <= 12);
    FUZZ_CHECK(date.day >= 1 && date.day <= DaysInMonth(date.month - 1, date.year));
    return 0;
}
