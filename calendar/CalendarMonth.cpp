#include "calendar/CalendarMonth.h"

const char* const DayNames[WeekDays] = {"Пн", "Вт", "Ср", "Чт", "Пт", "Сб", "Вс"};

const char* const MonthNames[MonthCount] = {"Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
                                            "Июль",   "Август",  "Сенятбрь", "Октябрь", "Ноябрь", "Декабрь"};

int Weekday(int day, int month, int year)
{
    // January and February count as months 13 and 14 of the year before.
    if (month < 3) {
        month += 12;
        year -= 1;
    }
    const int w = (month * 26 + 26) / 10 + year * 125 / 100 + year / 400 + day - year / 100 - 2;
    return (w % WeekDays + WeekDays) % WeekDays;
}

int HeadingHeight(int height)
{
    return height / 7;
}

std::vector<DayCell> LayOutMonth(int monthIndex, int year, int width, int height)
{
    std::vector<DayCell> cells;
    const int heading = HeadingHeight(height);
    const int cellWidth = width / WeekDays;
    const int cellHeight = (height - heading) / CalendarRows;
    const int first = Weekday(1, monthIndex + 1, year);
    const int days = DaysInMonth(monthIndex, year);
    for (int day = 1; day <= days; ++day) {
        const int slot = first + day - 1;
        const int row = slot / WeekDays;
        const int column = slot % WeekDays;
        if (row >= CalendarRows)
            break;
        cells.push_back({column * cellWidth, heading + row * cellHeight, (column + 1) * cellWidth,
                         heading + (row + 1) * cellHeight, day});
    }
    return cells;
}

int DayAt(const std::vector<DayCell>& cells, int x, int y)
{
    for (const DayCell& cell : cells)
        if (cell.Contains(x, y))
            return cell.day;
    return 0;
}
