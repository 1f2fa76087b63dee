#include <gtest/gtest.h>

#include <cstring>

#include "calendar/CalendarMonth.h"

namespace {
// The calendar window's client area in the dialog: 200 x 120 pixels gives a
// 17-pixel heading and cells of 28 x 17.
constexpr int Width = 200;
constexpr int Height = 120;

const DayCell& CellOf(const std::vector<DayCell>& cells, int day)
{
    return cells.at(static_cast<std::size_t>(day - 1));
}

int ColumnOf(const DayCell& cell)
{
    return cell.left / (Width / WeekDays);
}
}  // namespace

TEST(CalendarWeekday, CountsFromMondayAsColumnZero)
{
    EXPECT_EQ(Weekday(1, 1, 2005), 5);    // Saturday
    EXPECT_EQ(Weekday(6, 12, 2026), 6);   // Sunday
    EXPECT_EQ(Weekday(7, 3, 2005), 0);    // Monday
    EXPECT_EQ(Weekday(29, 2, 2000), 1);   // Tuesday, in a year divisible by 400
    EXPECT_EQ(Weekday(1, 3, 2030), 4);    // Friday
}

TEST(CalendarDays, FebruaryHas29DaysInLeapYears)
{
    EXPECT_EQ(DaysInMonth(1, 2004), 29);
    EXPECT_EQ(DaysInMonth(1, 2005), 28);
    EXPECT_EQ(DaysInMonth(1, 2000), 29);
    EXPECT_EQ(DaysInMonth(1, 1900), 28);
    EXPECT_EQ(DaysInMonth(1, 2100), 28);
    EXPECT_EQ(DaysInMonth(0, 2005), 31);
    EXPECT_EQ(DaysInMonth(3, 2005), 30);
    EXPECT_EQ(DaysInMonth(11, 2005), 31);
    EXPECT_EQ(DaysInMonth(-1, 2005), 0);
    EXPECT_EQ(DaysInMonth(12, 2005), 0);
}

TEST(CalendarNames, MonthsAndDaysAsTheListsShowThem)
{
    EXPECT_STREQ(MonthNames[0], "Январь");
    EXPECT_STREQ(MonthNames[8], "Сенятбрь");
    EXPECT_STREQ(MonthNames[11], "Декабрь");
    EXPECT_STREQ(DayNames[0], "Пн");
    EXPECT_STREQ(DayNames[6], "Вс");
    // Code page 1251: one byte a letter.
    EXPECT_EQ(std::strlen(MonthNames[2]), 4u);
}

TEST(CalendarLayout, TheFirstStandsInTheColumnOfItsWeekday)
{
    const std::vector<DayCell> january = LayOutMonth(0, 2005, Width, Height);
    const DayCell& first = CellOf(january, 1);
    EXPECT_EQ(ColumnOf(first), 5);
    EXPECT_EQ(first.left, 5 * 28);
    EXPECT_EQ(first.top, 17);
    EXPECT_EQ(first.right, 6 * 28);
    EXPECT_EQ(first.bottom, 17 + 17);

    const std::vector<DayCell> december = LayOutMonth(11, 2026, Width, Height);
    EXPECT_EQ(ColumnOf(CellOf(december, 6)), 6);
    EXPECT_EQ(CellOf(december, 6).top, 17);
}

TEST(CalendarLayout, DaysFollowLeftToRightAndWrapToTheNextRow)
{
    const std::vector<DayCell> january = LayOutMonth(0, 2005, Width, Height);
    const DayCell& sunday = CellOf(january, 2);
    const DayCell& monday = CellOf(january, 3);
    EXPECT_EQ(ColumnOf(sunday), 6);
    EXPECT_EQ(ColumnOf(monday), 0);
    EXPECT_EQ(monday.top, sunday.bottom);
    // 31 days from a Saturday reach the sixth row.
    EXPECT_EQ(CellOf(january, 31).top, 17 + 5 * 17);
}

TEST(CalendarLayout, EveryMonthOfTheYearRangeFitsInSixRows)
{
    const int lastRowBottom = 17 + 6 * 17;
    for (int year = 2000; year <= 2030; ++year)
        for (int month = 0; month < MonthCount; ++month) {
            const std::vector<DayCell> cells = LayOutMonth(month, year, Width, Height);
            ASSERT_EQ(static_cast<int>(cells.size()), DaysInMonth(month, year)) << month << " " << year;
            EXPECT_LE(cells.back().bottom, lastRowBottom) << month << " " << year;
        }
}

TEST(CalendarLayout, AClickFindsTheDayWhoseCellHoldsIt)
{
    const std::vector<DayCell> march = LayOutMonth(2, 2005, Width, Height);
    const DayCell& eighth = CellOf(march, 8);
    EXPECT_EQ(DayAt(march, eighth.left, eighth.top), 8);
    EXPECT_EQ(DayAt(march, eighth.right - 1, eighth.bottom - 1), 8);
    EXPECT_EQ(DayAt(march, eighth.right, eighth.top), 9);
    // The heading strip and the empty cell before the first (a Tuesday) hold
    // no day.
    EXPECT_EQ(DayAt(march, 5, 5), 0);
    EXPECT_EQ(DayAt(march, 5, 17 + 5), 0);
}
