#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>

#include "calendar/CalendarDate.h"
#include "calendar/DateInput.h"

namespace {
// Seconds since 1970 of a UTC date and time.
int64_t Utc(int year, int month, int day, int hour, int minute)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    return static_cast<int64_t>(timegm(&t));
}

// Central European time, with summer time from the last Sunday of March to
// the last Sunday of October.
class CalendarChoiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        tzset();
    }
    void TearDown() override
    {
        unsetenv("TZ");
        tzset();
    }
};
}  // namespace

TEST_F(CalendarChoiceTest, TheChoiceIsLocalTimeWithSecondsZero)
{
    EXPECT_EQ(CalendarTimeOf({8, 3, 2005, 9, 30}), Utc(2005, 3, 8, 8, 30));
    EXPECT_EQ(CalendarTimeOf({29, 2, 2004, 23, 59}), Utc(2004, 2, 29, 22, 59));
}

TEST_F(CalendarChoiceTest, SummerDatesKeepTheirClockTime)
{
    // 12:00 in July is summer time, UTC+2.
    EXPECT_EQ(CalendarTimeOf({1, 7, 2005, 12, 0}), Utc(2005, 7, 1, 10, 0));
}

TEST_F(CalendarChoiceTest, AFieldOutOfRangeGivesMinusOne)
{
    EXPECT_EQ(CalendarTimeOf({}), -1);
    EXPECT_EQ(CalendarTimeOf({29, 2, 2005, 0, 0}), -1);
    EXPECT_EQ(CalendarTimeOf({1, 13, 2005, 0, 0}), -1);
    EXPECT_EQ(CalendarTimeOf({1, 1, 2005, 24, 0}), -1);
    EXPECT_EQ(CalendarTimeOf({1, 1, 2005, 0, 60}), -1);
}

TEST_F(CalendarChoiceTest, TheDialogStartsAtTheLocalFieldsOfItsTime)
{
    const CalendarDate date = StartDate(Utc(2005, 3, 7, 13, 5) + 9, Utc(2020, 1, 1, 0, 0));
    EXPECT_EQ(date, (CalendarDate{7, 3, 2005, 14, 5}));
}

TEST_F(CalendarChoiceTest, ZeroStartsAtNow)
{
    EXPECT_EQ(StartDate(0, Utc(2026, 12, 6, 10, 15)), (CalendarDate{6, 12, 2026, 11, 15}));
}

TEST_F(CalendarChoiceTest, ATimeTheLibraryCannotBreakDownStartsAtNow)
{
    ASSERT_FALSE(LocalDateOf(INT64_MAX).has_value());
    EXPECT_EQ(StartDate(INT64_MAX, Utc(2026, 12, 6, 10, 15)), (CalendarDate{6, 12, 2026, 11, 15}));
}

TEST_F(CalendarChoiceTest, AStartOutsideTheYearRangeIsTakenToItsNearestEnd)
{
    EXPECT_EQ(StartDate(Utc(1999, 5, 3, 8, 0), 0).year, 2000);
    // 29 February 2032 becomes a day February of 2030 has.
    EXPECT_EQ(StartDate(Utc(2032, 2, 29, 8, 0), 0), (CalendarDate{28, 2, 2030, 9, 0}));
}

TEST(CalendarTypedYear, IsTakenToTheNearestEndOfTheRange)
{
    EXPECT_EQ(YearFromText("2005", 2010), 2005);
    EXPECT_EQ(YearFromText("1999", 2010), 2000);
    EXPECT_EQ(YearFromText("5", 2010), 2000);
    EXPECT_EQ(YearFromText("2031", 2010), 2030);
    EXPECT_EQ(YearFromText("99999999999999999999", 2010), 2030);
    EXPECT_EQ(YearFromText("-2020", 2010), 2000);
}

TEST(CalendarTypedYear, TextThatIsNotANumberKeepsTheYear)
{
    EXPECT_EQ(YearFromText("", 2010), 2010);
    EXPECT_EQ(YearFromText("20x5", 2010), 2010);
    EXPECT_EQ(YearFromText("год", 2010), 2010);
}

TEST(CalendarTypedMonth, ANameThatSelectsNothingKeepsTheMonth)
{
    EXPECT_EQ(MonthIndexOrPrevious(3, 2), 3);
    EXPECT_EQ(MonthIndexOrPrevious(-1, 2), 2);
    EXPECT_EQ(MonthIndexOrPrevious(12, 2), 2);
}

TEST(CalendarTypedClock, HoursAndMinutesAreTakenIntoTheirRange)
{
    EXPECT_EQ(ClockFieldFromText("9", 23), 9);
    EXPECT_EQ(ClockFieldFromText("23", 23), 23);
    EXPECT_EQ(ClockFieldFromText("24", 23), 23);
    EXPECT_EQ(ClockFieldFromText("99", 59), 59);
    EXPECT_EQ(ClockFieldFromText("-5", 59), 0);
    EXPECT_EQ(ClockFieldFromText("ab", 23), 0);
    EXPECT_EQ(ClockFieldFromText("", 59), 0);
}

TEST(CalendarTypedClock, OnlyTheFirstTwoCharactersCount)
{
    EXPECT_EQ(ClockFieldFromText("123", 59), 12);
    EXPECT_EQ(ClockFieldFromText("5x", 59), 5);
    EXPECT_EQ(ClockFieldFromText(" 7", 23), 7);
}
