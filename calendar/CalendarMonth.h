#pragma once
#include <vector>

#include "common/LocalDate.h"

// Month arithmetic of the calendar: names, weekdays and where each
// day of a month is drawn. Months are indexes 0 (January) to 11 here except
// where a parameter says otherwise.

constexpr int WeekDays = 7;
constexpr int CalendarRows = 6;

// Column headings, Monday first.
extern const char* const DayNames[WeekDays];
// The month list, January first.
extern const char* const MonthNames[MonthCount];

// Weekday of day `day` of month `month` (1 to 12) of `year`: 0 Monday to 6
// Sunday.
int Weekday(int day, int month, int year);

// One day of the month as drawn: its cell in client coordinates (right and
// bottom exclusive) and its number.
struct DayCell {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int day = 0;

    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// The cells of month `monthIndex` of `year` in an area of `width` x `height`
// pixels: a heading strip of height / 7 for the day names, then six rows of
// seven columns. Day 1 stands in the column of its weekday; the days follow
// left to right and row by row. Days past the sixth row are left out.
std::vector<DayCell> LayOutMonth(int monthIndex, int year, int width, int height);
// The height of the heading strip of an area `height` pixels high.
int HeadingHeight(int height);
// The day whose cell holds the point, 0 when none does.
int DayAt(const std::vector<DayCell>& cells, int x, int y);
